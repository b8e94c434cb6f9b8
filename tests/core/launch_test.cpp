#include "files/paths.h"
#include "form/tform1.h"
#include "launch/emulator_end.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr char sep = paths::separator;

struct LaunchForm : ::testing::Test {
    TempDir app;
    FakeServices fakes;
    TForm1 form{fakes.services()};

    LaunchForm() { form.state.default_ = app.path; }
    std::string responseFile() const { return app.path + sep + "TULK.CFG"; }
    std::string command(const std::string& exe) const
    {
        return app.path + sep + "emulator" + sep + exe + " @" + responseFile();
    }
};

struct ResponseCase {
    const char* name;
    std::string editline;
    std::string file;
};

class ResponseFile : public LaunchForm, public ::testing::WithParamInterface<ResponseCase> {};

TEST_P(ResponseFile, HoldsTheLineByteForByteThenCrLf)
{
    app.write("TULK.CFG", "an older, longer line that must not survive\r\n");
    form.state.editline = GetParam().editline;
    form.startknopClick();
    EXPECT_EQ(readFile(responseFile()), GetParam().file);
    ASSERT_EQ(fakes.processes.calls.size(), 1u) << "the emulator starts whatever the line holds";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResponseFile,
    ::testing::Values(ResponseCase{"Empty", "", "\r\n"},
                      ResponseCase{"Options", " -msx2 -ram 8 -vram 8", " -msx2 -ram 8 -vram 8\r\n"},
                      ResponseCase{"EightBitAndShellCharacters", "-home \xe9t\xe9 $(rm -rf) ; `x` \"q\"",
                                   "-home \xe9t\xe9 $(rm -rf) ; `x` \"q\"\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LaunchForm, StartsTheEmulatorWithTheResponseFileAsItsOneArgument)
{
    form.linecreate();
    const std::string line = form.state.editline;
    form.startknopClick();
    EXPECT_EQ(form.state.start, command("fmsx-dos.exe"));
    ASSERT_EQ(fakes.processes.calls.size(), 1u);
    EXPECT_EQ(fakes.processes.calls[0].program, app.path + sep + "emulator" + sep + "fmsx-dos.exe");
    EXPECT_EQ(fakes.processes.calls[0].arguments, std::vector<std::string>{"@" + responseFile()});
    EXPECT_EQ(readFile(responseFile()), line + "\r\n") << "the line start-up built, as it is";
    EXPECT_EQ(fakes.windows.raises, 1);
}

TEST_F(LaunchForm, HandEditReachesTheFileUntilASettingRebuildsTheLine)
{
    form.Show1Click();
    form.linecreate();
    const std::string built = form.state.editline;
    form.state.editline = "-my own options";
    form.startknopClick();
    EXPECT_EQ(readFile(responseFile()), "-my own options\r\n");
    form.state.freq.select(1);
    form.freqClick();
    form.startknopClick();
    EXPECT_NE(readFile(responseFile()), "-my own options\r\n");
}

TEST_F(LaunchForm, MusicIsStoppedOnlyWhenATuneIsOpen)
{
    form.startknopClick();
    EXPECT_EQ(fakes.music.stops, 0) << "no tune: nothing to stop, the emulator still starts";
    EXPECT_EQ(fakes.processes.calls.size(), 1u);

    fakes.music.openMissing = true;
    form.playtune(4);
    form.startknopClick();
    EXPECT_EQ(fakes.music.stops, 1);
    EXPECT_EQ(fakes.music.state(), MusicState::Halted) << "the music stays stopped after a launch";
    EXPECT_EQ(fakes.processes.calls.size(), 2u);

    form.startknopClick();
    EXPECT_EQ(fakes.processes.calls.size(), 3u) << "a halted tune stops again without error";
}

TEST_F(LaunchForm, TwoLaunchesWriteTheSameFileAndStartTwoProcesses)
{
    form.linecreate();
    form.startknopClick();
    const std::string first = readFile(responseFile());
    form.startknopClick();
    EXPECT_EQ(readFile(responseFile()), first);
    ASSERT_EQ(fakes.processes.calls.size(), 2u);
    EXPECT_EQ(fakes.processes.calls[0].arguments, fakes.processes.calls[1].arguments);
    EXPECT_EQ(form.state.start, command("fmsx-dos.exe"));
}

// Each row sets up a launch that cannot go ahead and returns the message it must give; nothing
// is then written or started.
struct RefusedCase {
    const char* name;
    std::string (*prepare)(TForm1&, const TempDir&);
};

class RefusedLaunch : public LaunchForm, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedLaunch, ChangesNothing)
{
    app.write("TULK.CFG", "the last launch\r\n");
    form.linecreate();
    const std::string message = GetParam().prepare(form, app);
    try {
        form.startknopClick();
        FAIL() << "expected an error";
    } catch (const VeldrunError& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
    EXPECT_EQ(readFile(responseFile()), "the last launch\r\n");
    EXPECT_TRUE(fakes.processes.calls.empty());
    EXPECT_EQ(form.state.start, "None");
    EXPECT_EQ(fakes.windows.raises, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedLaunch,
    ::testing::Values(RefusedCase{"UnwritableResponseFile",
                                  [](TForm1& f, const TempDir& d) {
                                      d.write("plainfile", "x");
                                      f.state.default_ = d.file("plainfile") + sep + "app";
                                      f.state.editline = "-msx2";
                                      return "Cannot create file " + f.state.default_ + sep + "TULK.CFG";
                                  }},
                      RefusedCase{"FolderAtTheTemporaryIsNamed",
                                  [](TForm1& f, const TempDir& d) {
                                      std::filesystem::create_directory(d.file(".TULK.CFG.saving"));
                                      return "Cannot create file " + f.state.default_ + sep +
                                             "TULK.CFG: " + d.file(".TULK.CFG.saving") + " is a folder";
                                  }},
                      RefusedCase{"LineBreakInACartridgeName",
                                  [](TForm1& f, const TempDir&) {
                                      f.state.slotafile = "/roms/two\nlines.rom";
                                      f.linecreate();
                                      return std::string("The emulator cannot be started: the cartridge name "
                                                         "\"/roms/two\nlines.rom\" holds a line break");
                                  }},
                      RefusedCase{"OptionWordInADiskName",
                                  [](TForm1& f, const TempDir&) {
                                      f.state.diskafile = f.state.diskatext = "games -msx1 tape.dsk";
                                      f.linecreate();
                                      return std::string(
                                          "The emulator cannot be started: the disk image name "
                                          "\"games -msx1 tape.dsk\" holds the option word "
                                          "\"-msx1\"");
                                  }},
                      RefusedCase{
                          "LineBreakInTheApplicationDirectory",
                          [](TForm1& f, const TempDir& d) {
                              f.state.default_ = d.path + "/a\r";
                              f.linecreate();
                              return "The emulator cannot be started: the application directory name \"" +
                                     f.state.default_ + "\" holds a line break";
                          }},
                      RefusedCase{"ApplicationDirectoryTooLongToLookUp",
                                  [](TForm1& f, const TempDir& d) {
                                      f.state.default_ = d.path;
                                      for (int i = 0; i < 20; ++i)
                                          f.state.default_ += sep + std::string(225, 'd');
                                      f.linecreate();
                                      return "Cannot open file " + f.state.default_ + sep + "emulator" + sep +
                                             "fmsx-dos.exe";
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LaunchForm, KilledSaveLeavesTheOldLineOrTheNewAndTheNextSaveClearsUp)
{
    const std::string a(1 << 20, 'a'), b(1 << 20, 'b');
    form.state.editline = a;
    form.opslaan();
    for (int delay : {300, 1000, 3000, 10000}) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (int i = 0; i < 1000; ++i) {
                form.state.editline = i % 2 ? a : b;
                form.opslaan();
            }
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(delay));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const std::string file = readFile(responseFile());
        EXPECT_TRUE(file == a + "\r\n" || file == b + "\r\n") << file.size() << " bytes after " << delay;
    }
    form.state.editline = "-msx2";
    form.opslaan();
    EXPECT_EQ(readFile(responseFile()), "-msx2\r\n");
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(app.path), std::filesystem::directory_iterator()),
        1)
        << "the killed saves' temporary is gone";
}

TEST_F(LaunchForm, ExecutableAndEmulatorDirectoryAreFoundWhateverTheirCase)
{
    app.write("Emulator/FMSX-DOS.EXE", "#!/bin/sh\n");
    form.fMSX1Click();
    form.startknopClick();
    EXPECT_EQ(form.state.start, command("fMSX-dos.exe")) << "the command shows the name as formed";
    ASSERT_EQ(fakes.processes.calls.size(), 1u);
    EXPECT_EQ(fakes.processes.calls[0].program, app.file("Emulator/FMSX-DOS.EXE"));
}

TEST_F(LaunchForm, EmulatorMenuChangesOnlyTheExecutable)
{
    form.linecreate();
    const std::string options = form.state.editline;

    form.fMSX1Click();
    EXPECT_EQ(form.state.emulatorexe, "fMSX-dos.exe");
    EXPECT_TRUE(form.fMSX1.checked);
    EXPECT_FALSE(form.BrMSX1.checked);
    EXPECT_EQ(form.state.editline, options);
    form.startknopClick();
    EXPECT_EQ(form.state.start, command("fMSX-dos.exe"));

    form.BrMSX1Click();
    EXPECT_EQ(form.state.emulatorexe, "BrMSX.exe");
    EXPECT_TRUE(form.BrMSX1.checked);
    EXPECT_FALSE(form.fMSX1.checked);
    EXPECT_FALSE(form.BrMSX1.enabled) << "the item stays disabled";
    EXPECT_EQ(form.state.editline, options);
}

TEST_F(LaunchForm, ShowToggleReturnsToTheFirstLook)
{
    const std::pair<const char*, bool> looks[] = {{"&Show", false}, {"&Hide", true}, {"&Show", false}};
    for (int clicks = 0; clicks < 3; ++clicks) {
        EXPECT_EQ(form.Show1.caption, looks[clicks].first) << clicks;
        EXPECT_EQ(form.commandAreaShown, looks[clicks].second) << clicks;
        form.Show1Click();
    }
}

TEST_F(LaunchForm, BothQuitCommandsCloseTheMainWindowAndSaveNothing)
{
    form.endknopClick();
    form.Close1Click();
    EXPECT_EQ(fakes.windows.closes, 2);
    EXPECT_FALSE(std::filesystem::exists(responseFile()));
    EXPECT_FALSE(std::filesystem::exists(app.file("settings.CFG")));
}

// How an emulator ended and what it wrote, and what the box says.
struct EndCase {
    const char* name;
    int status;
    bool crashed;
    const char* output;
    const char* failure;
};

class EmulatorEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(EmulatorEnd, IsSaidInTheUsersWords)
{
    const EndCase& c = GetParam();
    EXPECT_EQ(emulatorFailure("/app/emulator/fmsx-dos.exe", c.status, c.crashed, c.output), c.failure);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EmulatorEnd,
    ::testing::Values(
        EndCase{"WellEnded", 0, false, "Fatal error: an old one\n", ""},
        EndCase{"BridgesLastWord", 4, false, "noise\nfmsx-dos.exe: openMSX is not installed\n",
                "openMSX is not installed"},
        EndCase{"OpenMsxFatalError", 1, false, "info: x\r\nFatal error: Invalid ROM file: /r.rom\r\n",
                "openMSX stopped: Invalid ROM file: /r.rom"},
        EndCase{"OtherProgramsLastLines", 3, false, "1\n2\n\n3\n4\n5\n6\n",
                "The emulator fmsx-dos.exe ended with exit status 3; its last words:\n2\n3\n4\n5\n6"},
        EndCase{"KilledInSilence", 0, true, "",
                "The emulator fmsx-dos.exe stopped unexpectedly and wrote nothing"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
