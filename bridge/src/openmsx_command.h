#pragma once

#include "response_line.h"
#include "software_database.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Turns what the front-end asked of fMSX into an openMSX command line running on the free C-BIOS
// system ROMs, and says in plain words what became of every option.
namespace bridge {

struct OpenMsxLaunch {
    std::vector<std::string> arguments; // without the program name
    std::vector<std::string> log;       // one decision a line
};

// What openMSX's software database knows about a ROM image, or nothing.
using KnownSoftware = std::function<std::optional<softwaredb::Software>(const std::string& path)>;

// The look-up in the database installed with openMSX.
std::optional<softwaredb::Software> knownToInstalledDatabase(const std::string& path);

// A cartridge this size or smaller keeps openMSX's own detection of its type.
inline constexpr std::uintmax_t largestDetectedRom = 64 * 1024;

// The openMSX ROM type for a mapper index of the front-end's list, or empty for none.
std::string_view romTypeFor(int mapperIndex);

// The front-end's volume, 0 to 15, as openMSX's master volume, 0 to 100.
int masterVolumeFor(int volume);

// Strict decimal: an optional minus sign and digits, nothing else.
std::optional<int> parseNumber(std::string_view text);

// extraCommand, when not empty, goes last as one more Tcl command (used by the tests). A cartridge
// that `known` finds keeps openMSX's own entry; the others get the slot's mapper as before.
OpenMsxLaunch mapToOpenMsx(const ResponseLine& line, const FileSizeOf& sizeOf,
                           std::string_view extraCommand = {}, const KnownSoftware& known = {});

} // namespace bridge
