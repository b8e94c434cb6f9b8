#pragma once

#include <array>
#include <string_view>

// The item texts of the option lists, as the window shows them. The mapper items keep their
// trailing blanks: they are the texts the lists have always shown.
namespace items {
inline constexpr std::array<std::string_view, 3> computer{"MSX1", "MSX2", "MSX2+"};
inline constexpr std::array<std::string_view, 2> freq{"50Hz", "60Hz"};
inline constexpr std::array<std::string_view, 3> Sram{"128Kb Ram", "256Kb Ram", "512Kb Ram"};
inline constexpr std::array<std::string_view, 3> Svram{"128Kb Vram", "256Kb Vram", ""};
inline constexpr std::array<std::string_view, 4> resolutie{"320x200", "320x240", "640x480", "256x212"};
inline constexpr std::array<std::string_view, 2> sccselect{"SCC OFF", "SCC ON"};
inline constexpr std::array<std::string_view, 4> FMPACselect{"FM-PAC OFF", "FM-PAC OPL2 (Adlib)",
                                                             "FM-PAC MPU401 (MIDI)", "FM-PAC MPU401 & OPL2"};
inline constexpr std::array<std::string_view, 3> sadapter{"Autodetect", "S3 Chipset", "Vesa"};
inline constexpr std::array<std::string_view, 2> spritegroup{"Show all", "Limit to 4/8"};
inline constexpr std::array<std::string_view, 4> vdpgroup{"NO", "Horizontal", "Vertical", "Fully"};
inline constexpr std::array<std::string_view, 2> vgabox{"NO", "VGA"};
inline constexpr std::array<std::string_view, 2> syncbox{"NO", "All"};
inline constexpr std::array<std::string_view, 6> mapper{"Konami 8kB ", "Konami 16kB",    "Konami5 8kB  ",
                                                        "Konami4 8kB", "ASCII 8kB     ", "ASCII 16kB"};
} // namespace items
