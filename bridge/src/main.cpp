// fmsx-dos.exe for Linux: reads the front-end's response file and hands over to openMSX, running
// the free C-BIOS system ROMs. Every decision goes to bridge.log beside this program.

#include "launch_plan.h"

#include <cerrno>
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

fs::path ownDirectory(const char* argv0)
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec || self.empty())
        self = fs::absolute(argv0, ec);
    return self.parent_path();
}

std::string environmentValue(const char* name, const char* fallback = "")
{
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

// openMSX finds the C-BIOS ROMs under its system data, through links that the cbios package
// fills; a missing package leaves those links dangling.
bool cbiosInstalled(const std::string& openmsx)
{
    std::vector<fs::path> dirs{fs::path(openmsx).parent_path().parent_path() / "share/openmsx/systemroms",
                               "/usr/share/openmsx/systemroms", "/usr/local/share/openmsx/systemroms"};
    if (auto data = environmentValue("OPENMSX_SYSTEM_DATA"); !data.empty())
        dirs.emplace_back(fs::path(data) / "systemroms");
    if (auto home = environmentValue("OPENMSX_HOME"); !home.empty())
        dirs.emplace_back(fs::path(home) / "share/systemroms");
    if (auto home = environmentValue("HOME"); !home.empty())
        dirs.emplace_back(fs::path(home) / ".openMSX/share/systemroms");
    std::error_code ec;
    for (const auto& dir : dirs)
        if (fs::is_regular_file(dir / "cbios_main_msx2.rom", ec))
            return true;
    return false;
}

void writeLog(const fs::path& path, const std::vector<std::string>& lines)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "Veldrun emulator bridge: fMSX options to openMSX\n";
    for (const auto& line : lines)
        out << line << '\n';
    if (!out)
        std::cerr << "fmsx-dos.exe: cannot write " << path.string() << "; carrying on without a log\n";
}

} // namespace

int main(int argc, char** argv)
{
    bridge::Environment environment;
    // execvp searches this list when PATH is not set; so do we.
    environment.path = environmentValue("PATH", "/bin:/usr/bin");
    environment.extraCommand = environmentValue("VELDRUN_BRIDGE_EXTRA_COMMAND");
    environment.knownSoftware = bridge::knownToInstalledDatabase;

    bridge::LaunchPlan plan = bridge::planLaunch({argv + 1, argv + argc}, environment);
    const fs::path logPath = ownDirectory(argv[0]) / "bridge.log";

    if (plan.exitCode != 0) {
        writeLog(logPath, plan.log);
        std::cerr << plan.failure << '\n';
        return plan.exitCode;
    }
    if (!cbiosInstalled(plan.program)) {
        const std::string warning = "fmsx-dos.exe: the C-BIOS system ROMs were not found; if openMSX stops "
                                    "at once, install them with \"sudo apt-get install cbios\"";
        plan.log.push_back(warning);
        std::cerr << warning << '\n';
    }
    writeLog(logPath, plan.log);

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
    writeLog(logPath, plan.log);
    std::cerr << failure << '\n';
    return bridge::exitStartFailed;
}
