#pragma once

#include "machine_choice.h"
#include "response_line.h"
#include "software_database.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Turns what the front-end asked of fMSX into an openMSX command line on a machine that can do
// it, says in plain words what became of every option, and on the screen what was left out.
namespace bridge {

// What openMSX's software database knows about a ROM image, or nothing.
using KnownSoftware = std::function<std::optional<softwaredb::Software>(const std::string& path)>;

// The look-up in the database installed with openMSX.
std::optional<softwaredb::Software> knownToInstalledDatabase(const std::string& path);

struct LaunchContext {
    std::string appDir; // the application directory; its disks/drivea.dsk and driveb.dsk are blanks
    FileSizeOf sizeOf = fileSizeOnDisk;
    std::string machineChoiceText;    // the machine choice file's text, empty when there is none
    std::string machineChoiceProblem; // why the machine choice file was not read ("is larger than ...")
    std::string userRomFolder;        // where the user puts system ROMs, as the notice names it
    Probe starts;                     // may openMSX start this machine (with this extension)?
    // Drives and slots of a machine the bridge's table does not know; without an answer it is
    // taken to have one drive and two slots.
    std::function<std::optional<MachineDescription>(const std::string& machine)> describe;
    KnownSoftware known; // a cartridge found here keeps openMSX's own entry; none: unknown
};

struct OpenMsxLaunch {
    std::vector<std::string> arguments; // without the program name
    std::vector<std::string> log;       // one decision a line
    std::vector<std::string> notice;    // shown on the emulator's screen; empty when all went in
};

// A cartridge this size or smaller keeps openMSX's own detection of its type.
inline constexpr std::uintmax_t largestDetectedRom = 64 * 1024;

// The openMSX ROM type for a mapper index of the front-end's list, or empty for none.
std::string_view romTypeFor(int mapperIndex);

// The -romtype given for a cartridge, or empty where openMSX detects the type itself.
std::string_view romTypeArgument(std::uintmax_t size, int mapperIndex);

// The front-end's volume, 0 to 15, as openMSX's master volume, 0 to 100.
int masterVolumeFor(int volume);

// Strict decimal: an optional minus sign and digits, nothing else.
std::optional<int> parseNumber(std::string_view text);

OpenMsxLaunch mapToOpenMsx(const ResponseLine& line, const LaunchContext& context);

} // namespace bridge
