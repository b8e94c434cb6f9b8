#pragma once

#include <array>
#include <string>
#include <string_view>

// The one line of settings.CFG: fifteen one-digit pieces, the volume (one or two digits), the
// marker "#", the CPU speed and a closing "00", with nothing between them, ended by CR LF.
namespace settings {

struct SettingsValues {
    int computer = -1;
    int freq = -1;
    int Sram = -1;
    int Svram = -1;
    int slota = -1;
    int slotb = -1;
    int sqbar = 5;
    int resolutie = -1;
    int FMPACselect = -1;
    int sccselect = -1;
    int spritegroup = -1;
    int vdpgroup = -1;
    int vgabox = -1;
    int syncbox = -1;
    int sadapter = -1;
    int volbar = 15;
    int speed = 100;

    bool operator==(const SettingsValues&) const = default;
};

// The one-digit pieces in line order (line positions 1 to 15).
inline constexpr std::array<int SettingsValues::*, 15> digitPieces{
    &SettingsValues::computer,  &SettingsValues::freq,        &SettingsValues::Sram,
    &SettingsValues::Svram,     &SettingsValues::slota,       &SettingsValues::slotb,
    &SettingsValues::sqbar,     &SettingsValues::resolutie,   &SettingsValues::FMPACselect,
    &SettingsValues::sccselect, &SettingsValues::spritegroup, &SettingsValues::vdpgroup,
    &SettingsValues::vgabox,    &SettingsValues::syncbox,     &SettingsValues::sadapter};

// The file's whole content: the line followed by CR LF. A list with no selection (-1) is written
// as "9", which keeps every later piece in its place and loads back as no selection.
std::string encode(const SettingsValues& values);

// The first line of a text: everything up to the first CR or LF.
std::string_view firstLine(std::string_view text);

// Reads the first line of the file's text. Every number is converted before anything is
// returned, so a bad line yields no values at all. Throws VeldrunError
// "'<text>' is not a valid integer value" naming the first text that is no number; a line that
// ends early meets its own line end, which is no number either. Digits beyond a list's items and
// values outside a track bar's range are returned as read: the controls take care of them.
SettingsValues decode(std::string_view fileText);

} // namespace settings
