#pragma once

#include <string_view>

// Where the Online, Download and Help menus lead: every address in one place.
namespace links {

inline constexpr std::string_view homePage = "https://veldrun.github.io";
inline constexpr std::string_view updatePage = "/download.htm";
inline constexpr std::string_view romPack = "/download/zazure.zip";
inline constexpr std::string_view emulatorArchive = "/download/fmsx.zip";
inline constexpr std::string_view msxDatabase = "https://www.generation-msx.nl";
inline constexpr std::string_view mailAddress = "veldrun@users.noreply.github.com";

} // namespace links
