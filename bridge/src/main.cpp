// fmsx-dos.exe for Linux: reads the front-end's response file and hands over to openMSX on a
// machine that can do what the line asks. Every decision goes to emulator/bridge.log in the
// application directory, the folder of the response file.

#include "launch_plan.h"
#include "machine_choice.h"
#include "media_check.h"
#include "openmsx_probe.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string environmentValue(const char* name, const char* fallback = "")
{
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

// openMSX finds the C-BIOS ROMs among its system ROMs, through links that the cbios package
// fills; a missing package leaves those links dangling.
bool cbiosInstalled(const std::string& openmsx)
{
    std::error_code ec;
    for (const auto& folder : bridge::openMsxFolders(openmsx))
        if (fs::is_regular_file(fs::path(folder) / "cbios_main_msx2.rom", ec))
            return true;
    return false;
}

// A path or a line may hold any byte: control bytes are written as \xNN, so that the log stays
// one line per decision and cannot move a terminal's cursor.
std::string escaped(const std::string& line)
{
    std::string out;
    for (const unsigned char c : line) {
        if (c >= 0x20 && c != 0x7f && c != '\\') {
            out += static_cast<char>(c);
            continue;
        }
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        out += hex;
    }
    return out;
}

void writeLog(const std::string& appDir, const std::vector<std::string>& lines)
{
    if (appDir.empty())
        return; // no response file named: the message on standard error is all there is
    const fs::path path = appDir + std::string(bridge::logFile);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "Veldrun emulator bridge: fMSX options to openMSX\n";
    for (const auto& line : lines)
        out << escaped(line) << '\n';
    if (!out)
        std::cerr << "fmsx-dos.exe: cannot write " << path.string() << "; carrying on without a log\n";
}

// A commented machine choice file beside the log shows the user what can be chosen.
void offerMachineChoiceFile(const std::string& appDir)
{
    const fs::path path = appDir + std::string(bridge::machineChoiceFile);
    std::error_code ec;
    if (appDir.empty() || fs::exists(fs::symlink_status(path, ec)) ||
        !fs::is_directory(path.parent_path(), ec))
        return;
    std::ofstream(path, std::ios::binary) << bridge::machineChoiceTemplate();
}

bridge::Environment environment()
{
    bridge::Environment env;
    // execvp searches this list when PATH is not set; so do we.
    env.path = environmentValue("PATH", "/bin:/usr/bin");
    env.cacheFile = bridge::answersCachePath();
    env.knownSoftware = bridge::knownToInstalledDatabase;
    if (auto home = environmentValue("OPENMSX_HOME"); !home.empty())
        env.userRomFolder = home + "/share/systemroms";
    return env;
}

} // namespace

int main(int argc, char** argv)
{
    bridge::LaunchPlan plan = bridge::planLaunch({argv + 1, argv + argc}, environment());
    if (plan.exitCode != 0) {
        writeLog(plan.appDir, plan.log);
        std::cerr << plan.failure << '\n';
        return plan.exitCode;
    }
    if (!cbiosInstalled(plan.program)) {
        const std::string warning = "fmsx-dos.exe: the C-BIOS system ROMs were not found; if openMSX stops "
                                    "at once, install them with \"sudo apt-get install cbios\"";
        plan.log.push_back(warning);
        std::cerr << warning << '\n';
    }
    // The front-end shows the last line a failed bridge writes: openMSX's fatal error on a file it
    // cannot read comes out here, in words a user can act on.
    if (const std::string unusable = bridge::unusableMedium(plan.arguments); !unusable.empty()) {
        plan.log.push_back("fmsx-dos.exe: " + unusable);
        writeLog(plan.appDir, plan.log);
        std::cerr << plan.log.back() << '\n';
        return bridge::exitUnusableMedium;
    }
    offerMachineChoiceFile(plan.appDir);
    writeLog(plan.appDir, plan.log);

    std::vector<char*> args;
    std::string name = "openmsx";
    args.push_back(name.data());
    for (auto& a : plan.arguments)
        args.push_back(a.data());
    args.push_back(nullptr);
    execv(plan.program.c_str(), args.data());

    const std::string failure = "fmsx-dos.exe: cannot start " + plan.program + ": " + std::strerror(errno) +
                                "; reinstall it with \"sudo apt-get install --reinstall openmsx\"";
    plan.log.push_back(failure);
    writeLog(plan.appDir, plan.log);
    std::cerr << failure << '\n';
    return bridge::exitStartFailed;
}
