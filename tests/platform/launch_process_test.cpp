#include "form/tform1.h"
#include "platform/qt_desktop_shell.h"
#include "platform/qt_emulator_session.h"
#include "support/eventually.h"
#include "support/fakes.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

void writeScript(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
    fs::permissions(path, fs::perms::owner_all);
}

// Each run of the stand-in emulator leaves, beside itself, run.<pid> (its argument count, its
// arguments and its working directory, a line each) and resp.<pid> (a copy of the response
// file it was handed). run.<pid> appears last, by a rename, when both are complete.
const char* const recordingEmulator = R"(#!/bin/sh
dir=$(dirname -- "$0")
cat -- "${1#@}" > "$dir/resp.$$"
{ printf '%s\n' "$#"; for a in "$@"; do printf '%s\n' "$a"; done; pwd; } > "$dir/run.$$.tmp"
mv -- "$dir/run.$$.tmp" "$dir/run.$$"
)";

struct EmulatorRun {
    std::vector<std::string> lines; // argument count, arguments, working directory
    std::string response;
};

std::vector<EmulatorRun> runsIn(const std::string& dir)
{
    std::vector<EmulatorRun> runs;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("run.", 0) != 0 || name.find(".tmp") != std::string::npos)
            continue;
        EmulatorRun run;
        std::istringstream in(readFile(it->path().string()));
        for (std::string line; std::getline(in, line);)
            run.lines.push_back(line);
        run.response = readFile(dir + "/resp." + name.substr(4));
        runs.push_back(run);
    }
    return runs;
}

// Runs the test in another directory, as after browsing, and comes back.
struct InDirectory {
    explicit InDirectory(const std::string& dir) : previous(fs::current_path()) { fs::current_path(dir); }
    ~InDirectory() { fs::current_path(previous); }
    fs::path previous;
};

// The session watches its emulator with timers, which want an application object.
void needApplication()
{
    static int argc = 1;
    static char name[] = "launch_process_test";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
}

struct LaunchCase {
    const char* name;
    std::string applicationDirectory; // under the temporary root
    std::string emulatorFile;         // the executable as the installation names it
    std::string editline;
    int launches;
};

class RealLaunch : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(RealLaunch, EmulatorGetsTheResponseFileAsItsOneArgumentInTheBrowsedDirectory)
{
    const LaunchCase& c = GetParam();
    needApplication();
    TempDir root;
    const std::string app = root.file(c.applicationDirectory);
    const std::string emulatorDir =
        fs::path(root.file(c.applicationDirectory + "/" + c.emulatorFile)).parent_path();
    writeScript(root.file(c.applicationDirectory + "/" + c.emulatorFile), recordingEmulator);
    fs::create_directories(root.file("browsed"));
    const std::string browsed = fs::canonical(root.file("browsed")).string();

    FakeServices fakes;
    QtEmulatorSession starter;
    TForm1 form{Services{fakes.pictures, fakes.music, starter, fakes.shell, fakes.errors, fakes.windows,
                         fakes.random, fakes.questions}};
    form.state.default_ = app;
    form.state.editline = c.editline;
    {
        InDirectory cd(browsed);
        for (int i = 0; i < c.launches; ++i) {
            // One emulator at a time: the next launch comes once the last has ended.
            ASSERT_TRUE(eventually([&] {
                QCoreApplication::processEvents();
                const SessionPhase phase = starter.status().phase;
                return phase == SessionPhase::None || phase == SessionPhase::Ended;
            }));
            form.startknopClick();
        }
    }
    ASSERT_TRUE(eventually([&] { return static_cast<int>(runsIn(emulatorDir).size()) == c.launches; }));

    const std::string response = app + "/TULK.CFG";
    for (const EmulatorRun& run : runsIn(emulatorDir)) {
        EXPECT_EQ(run.lines, (std::vector<std::string>{"1", "@" + response, browsed}));
        EXPECT_EQ(run.response, c.editline + "\r\n");
    }
    EXPECT_EQ(form.state.start, app + "/emulator/fmsx-dos.exe @" + response);
    EXPECT_EQ(fakes.windows.raises, c.launches);
    EXPECT_FALSE(fs::exists(root.file("INJECTED")) || fs::exists(root.file("browsed/INJECTED")))
        << "no shell ever saw the directory name";
}

INSTANTIATE_TEST_SUITE_P(
    Table, RealLaunch,
    ::testing::Values(LaunchCase{"Plain", "msx", "emulator/fmsx-dos.exe", "-msx2 -ram 8", 1},
                      LaunchCase{"SpaceAndCommandSubstitution", "my emu $(touch INJECTED)",
                                 "emulator/fmsx-dos.exe", "-msx2 -home \"a b\" $(touch INJECTED)", 1},
                      LaunchCase{"EmptyLine", "msx", "emulator/fmsx-dos.exe", "", 1},
                      LaunchCase{"TwoLaunches", "two launches", "emulator/fmsx-dos.exe", "-msx1", 2},
                      LaunchCase{"OtherLetterCase", "msx", "Emulator/FMSX-DOS.EXE", "-msx1", 1},
                      LaunchCase{"NotUtf8", "caf\xe9 \xff", "emulator/fmsx-dos.exe", "-msx1", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RealLaunch, MissingEmulatorIsSaid)
{
    needApplication();
    TempDir root;
    FakeServices fakes;
    QtEmulatorSession starter;
    TForm1 form{Services{fakes.pictures, fakes.music, starter, fakes.shell, fakes.errors, fakes.windows,
                         fakes.random, fakes.questions}};
    form.state.default_ = root.path;
    form.state.editline = "-msx2";
    const std::string program = root.path + "/emulator/fmsx-dos.exe";
    try {
        form.startknopClick();
        ADD_FAILURE() << "a launch of nothing goes unsaid";
    } catch (const VeldrunError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The emulator cannot be started: " + program + ": No such file or directory");
    }
    EXPECT_EQ(readFile(root.file("TULK.CFG")), "-msx2\r\n");
    EXPECT_EQ(form.state.start, program + " @" + root.path + "/TULK.CFG");
}

// The terminal stand-ins leave their name and working directory in a record file.
struct TerminalCase {
    const char* name;
    std::vector<std::string> installed;
    std::string started;
};

class CommandInterpreter : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(CommandInterpreter, StartsTheDesktopTerminalInTheCurrentDirectory)
{
    TempDir root;
    for (const auto& name : GetParam().installed)
        writeScript(root.file("bin/" + name),
                    "#!/bin/sh\necho \"" + name + " $(pwd)\" > '" + root.file("record.tmp") + "'\n/bin/mv '" +
                        root.file("record.tmp") + "' '" + root.file("record") + "'\n");
    fs::create_directories(root.file("roms"));
    const std::string roms = fs::canonical(root.file("roms")).string();

    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", root.file("bin").c_str(), 1);
    {
        InDirectory cd(roms);
        QtDesktopShell().openCommandInterpreter();
    }
    setenv("PATH", path.c_str(), 1);

    ASSERT_TRUE(eventually([&] { return fs::exists(root.file("record")); }));
    EXPECT_EQ(readFile(root.file("record")), GetParam().started + " " + roms + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandInterpreter,
    ::testing::Values(TerminalCase{"Alternative", {"x-terminal-emulator", "xterm"}, "x-terminal-emulator"},
                      TerminalCase{"XtermWhenNoAlternative", {"xterm"}, "xterm"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandInterpreter, NoTerminalAtAllIsNoError)
{
    TempDir root;
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", root.path.c_str(), 1);
    EXPECT_NO_THROW(QtDesktopShell().openCommandInterpreter());
    setenv("PATH", path.c_str(), 1);
}

} // namespace
