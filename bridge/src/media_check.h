#pragma once

#include <string>
#include <vector>

// openMSX ends with a fatal error on a cartridge or disk image it cannot read; said beforehand, in
// the user's words, the front-end can show it instead.
namespace bridge {

inline constexpr int exitUnusableMedium = 6;

// Why the first cartridge or disk image among openMSX's arguments cannot be used ("openMSX cannot
// open the cartridge /x/a.rom: permission denied"), or empty when every one can be opened and a
// cartridge holds something.
std::string unusableMedium(const std::vector<std::string>& arguments);

} // namespace bridge
