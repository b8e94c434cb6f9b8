#pragma once

#include "machine_list.h"
#include "openmsx_command.h"
#include "openmsx_probe.h"
#include "response_line.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Everything the bridge decides before it hands over to openMSX, kept apart from the process
// calls so that it can be tested.
namespace bridge {

inline constexpr int exitNoArgument = 2;
inline constexpr int exitNoResponseFile = 3;
inline constexpr int exitNoEmulator = 4;
inline constexpr int exitStartFailed = 5;

struct Environment {
    std::string path;      // the PATH variable
    std::string cacheFile; // where openMSX's answers are kept between runs; empty: none kept
    std::string userRomFolder = "~/.openMSX/share/systemroms";
    FileSizeOf sizeOf = fileSizeOnDisk;
    KnownSoftware knownSoftware; // openMSX's software database; none in most tests
};

inline constexpr std::string_view logFile = "/emulator/bridge.log";

struct LaunchPlan {
    int exitCode = 0;    // not 0: start nothing, show `failure` and end with this code
    std::string failure; // one line: what is wrong and how to put it right
    std::string appDir;  // the response file's directory; empty when no response file was named
    std::string program; // full path of openmsx
    std::vector<std::string> arguments;
    std::vector<std::string> log;
};

// arguments: the bridge's arguments after its own name.
LaunchPlan planLaunch(const std::vector<std::string>& arguments, const Environment& environment);

// The response file's first line without its line end, or nothing when it cannot be read. At
// most `bound` bytes are read: a longer line comes back cut to bound + 1 bytes.
std::optional<std::string> readFirstLine(const std::string& path, std::size_t bound = longestLine);

// The first `bound` bytes of a regular file, or nothing when it cannot be read.
std::optional<std::string> readHead(const std::string& path, std::size_t bound);

// A command line as a reader can copy it into a shell.
std::string shellQuoted(const std::vector<std::string>& words);

} // namespace bridge
