#include "fake_files.h"
#include "fake_openmsx.h"
#include "launch_plan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

using bridge::planLaunch;
using testing::Contains;
using testing::HasSubstr;

namespace {

class LaunchPlan : public testing::Test {
  protected:
    ScratchDir dir;
    // openMSX's own folders are the scratch directory's, so that nothing of this computer counts.
    void SetUp() override { ::setenv("OPENMSX_HOME", dir.file("openmsx").c_str(), 1); }
    void TearDown() override { ::unsetenv("OPENMSX_HOME"); }
    bridge::Environment environment()
    {
        bridge::Environment env;
        env.path = dir.file("bin");
        env.cacheFile = dir.file("cache/answers.txt");
        return env;
    }
};

struct FailureCase {
    std::vector<std::string> arguments;
    bool installOpenMsx;
    int exitCode;
    std::string says;
};

class Failures : public LaunchPlan, public testing::WithParamInterface<FailureCase> {};

TEST_P(Failures, SayWhatIsWrongOnOneLine)
{
    const auto& c = GetParam();
    writeFile(dir.file("app/TULK.CFG"), " -diska x\r\n");
    if (c.installOpenMsx)
        writeProgram(dir.file("bin/openmsx"));
    std::vector<std::string> arguments;
    for (auto a : c.arguments) {
        if (auto at = a.find("DIR"); at != std::string::npos)
            a.replace(at, 3, dir.path);
        arguments.push_back(a);
    }
    const auto plan = planLaunch(arguments, environment());
    EXPECT_EQ(plan.exitCode, c.exitCode);
    EXPECT_THAT(plan.failure, HasSubstr(c.says));
    EXPECT_EQ(plan.failure.find('\n'), std::string::npos);
    EXPECT_THAT(plan.log, Contains(plan.failure));
    EXPECT_TRUE(plan.program.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bridge, Failures,
    testing::Values(
        FailureCase{{}, true, bridge::exitNoArgument, "@<path of TULK.CFG>"},
        FailureCase{{"@"}, true, bridge::exitNoArgument, "no response file given"},
        FailureCase{{"DIR/app/TULK.CFG"}, true, bridge::exitNoArgument, "no response file given"},
        FailureCase{{"@DIR/app/GONE.CFG"}, true, bridge::exitNoResponseFile, "/app/GONE.CFG"},
        FailureCase{{"@DIR/app"}, true, bridge::exitNoResponseFile, "cannot read the response file"},
        FailureCase{
            {"@DIR/app/TULK.CFG"}, false, bridge::exitNoEmulator, "sudo apt-get install openmsx cbios"}));

TEST_F(LaunchPlan, ReadsTheResponseFileAndFindsOpenMsxOnThePath)
{
    writeProgram(dir.file("bin/openmsx"));
    writeFile(dir.file("My Roms/demo game.rom"), std::string(32768, '\0'));
    writeFile(dir.file("app dir/TULK.CFG"), dir.file("My Roms/demo game.rom") + " -diska " +
                                                dir.file("app dir/disks/drivea.dsk") + " -msx1 -rom 0,0\r\n");
    auto env = environment();
    env.path = dir.file("nothing here") + "::" + env.path;
    // The path arrives in two pieces, as from a shell where it was typed unquoted.
    const auto plan = planLaunch({"@" + dir.file("app"), "dir/TULK.CFG"}, env);
    ASSERT_EQ(plan.exitCode, 0) << plan.failure;
    EXPECT_EQ(plan.program, dir.file("bin/openmsx"));
    const std::vector<std::string> start{"-machine", "C-BIOS_MSX1", "-carta",
                                         dir.file("My Roms/demo game.rom")};
    EXPECT_EQ(std::vector<std::string>(plan.arguments.begin(), plan.arguments.begin() + 4), start);
    EXPECT_THAT(plan.log, Contains("response file: " + dir.file("app dir/TULK.CFG")));
    EXPECT_THAT(plan.log, Contains(HasSubstr("starting: openmsx -machine C-BIOS_MSX1 -carta '")));
}

TEST_F(LaunchPlan, AnEmptyResponseFileStillStartsTheEmulator)
{
    writeProgram(dir.file("bin/openmsx"));
    writeFile(dir.file("TULK.CFG"), "\r\n");
    const auto plan = planLaunch({"@" + dir.file("TULK.CFG")}, environment());
    ASSERT_EQ(plan.exitCode, 0) << plan.failure;
    EXPECT_EQ(plan.arguments[1], "C-BIOS_MSX2");
}

struct ChoiceCase {
    const char* what;
    std::string options;               // after the two drives
    std::string diskA;                 // a file under app/disks
    std::vector<std::string> starting; // what openMSX can start here
    std::string choiceFile;            // emulator/bridge.cfg; empty: there is none
    std::vector<std::string> head;     // the arguments before the first -command; DIR: the scratch folder
    std::string notice;                // a piece of the screen notice; empty: none is shown
};

class MachineChoice : public LaunchPlan, public testing::WithParamInterface<ChoiceCase> {};

TEST_P(MachineChoice, StartsAMachineThatCanDoWhatTheLineAsks)
{
    const auto& c = GetParam();
    writeProgram(dir.file("bin/openmsx"), c.starting);
    for (const char* disk : {"drivea.dsk", "driveb.dsk", "game.dsk"})
        writeFile(dir.file("app/disks/") + disk, std::string(737280, '\0'));
    writeFile(dir.file("app/TULK.CFG"), " -diska " + dir.file("app/disks/" + c.diskA) + " -diskb " +
                                            dir.file("app/disks/driveb.dsk") + c.options + "\r\n");
    writeFile(dir.file("openmsx/share/machines/Diskless_MSX.xml"), "<msxconfig><devices/></msxconfig>\n");
    if (!c.choiceFile.empty())
        writeFile(dir.file("app/emulator/bridge.cfg"), c.choiceFile);
    const auto plan = planLaunch({"@" + dir.file("app/TULK.CFG")}, environment());
    ASSERT_EQ(plan.exitCode, 0) << plan.failure;
    std::vector<std::string> head;
    for (auto word : c.head)
        head.push_back(word.rfind("DIR", 0) == 0 ? dir.path + word.substr(3) : word);
    const auto commands = std::find(plan.arguments.begin(), plan.arguments.end(), "-command");
    EXPECT_EQ(std::vector<std::string>(plan.arguments.begin(), commands), head);
    const bool shown = std::any_of(commands, plan.arguments.end(), [](const std::string& a) {
        return a.find("osd create") != std::string::npos;
    });
    EXPECT_EQ(shown, !c.notice.empty());
    if (!c.notice.empty()) {
        EXPECT_THAT(plan.arguments, Contains(HasSubstr(c.notice)));
    }
}

std::vector<std::string> with(std::vector<std::string> more)
{
    more.insert(more.end(), cbiosOnly.begin(), cbiosOnly.end());
    return more;
}

INSTANTIATE_TEST_SUITE_P(
    Bridge, MachineChoice,
    testing::Values(ChoiceCase{"only C-BIOS: the disk is left out and said on the screen",
                               " -ifreq 60",
                               "game.dsk",
                               cbiosOnly,
                               "",
                               {"-machine", "C-BIOS_MSX2_JP"},
                               "No disk drive on C-BIOS MSX2 JP: game.dsk"},
                    ChoiceCase{"a machine with a drive gets the disk, the blank drive B stays out",
                               "",
                               "game.dsk",
                               with({"Philips_NMS_8250"}),
                               "",
                               {"-machine", "Philips_NMS_8250", "-diska", "DIR/app/disks/game.dsk"},
                               ""},
                    ChoiceCase{"60 Hz counts after the drive; 128 KB asked without a memory cartridge",
                               " -ifreq 60",
                               "game.dsk",
                               with({"Philips_NMS_8250", "Panasonic_FS-A1F"}),
                               "",
                               {"-machine", "Panasonic_FS-A1F", "-diska", "DIR/app/disks/game.dsk"},
                               "Only 64 KB of memory on Panasonic FS-A1F, 128 KB asked: openMSX cannot "
                               "start its ram512k extension here."},
                    ChoiceCase{"60 Hz counts before memory, which a memory cartridge gives",
                               " -ram 32 -ifreq 60",
                               "game.dsk",
                               with({"Panasonic_FS-A1F", "Sony_HB-G900AP", "Panasonic_FS-A1F -ext ram512k"}),
                               "",
                               {"-machine", "Panasonic_FS-A1F", "-diska", "DIR/app/disks/game.dsk", "-ext",
                                "ram512k"},
                               ""},
                    ChoiceCase{"a frequency out of range is named",
                               " -ifreq 61",
                               "drivea.dsk",
                               cbiosOnly,
                               "",
                               {"-machine", "C-BIOS_MSX2"},
                               "-ifreq 61 is not 50 or 60 Hz: 50 Hz runs."},
                    ChoiceCase{"a machine of another generation in the choice file is passed over",
                               "",
                               "drivea.dsk",
                               cbiosOnly,
                               "msx2 = C-BIOS_MSX1\n",
                               {"-machine", "C-BIOS_MSX2"},
                               "C-BIOS MSX1, named for MSX2 in emulator/bridge.cfg, is an MSX1"},
                    ChoiceCase{"a choice file over its bound is refused whole, not cut to a name",
                               "",
                               "drivea.dsk",
                               with({"Diskless_MSX"}),
                               std::string(16364, '#') + "\nmsx2 = Diskless_MSX_2\n",
                               {"-machine", "C-BIOS_MSX2"},
                               "emulator/bridge.cfg is larger than 16 KB, not read"},
                    ChoiceCase{"sound chips beyond the slots are named with their reason",
                               " -msx1 -fmpac 2 -scc 1",
                               "drivea.dsk",
                               with({"Spectravideo_SVI-738", "Spectravideo_SVI-738 -ext fmpac"}),
                               "",
                               {"-machine", "Spectravideo_SVI-738", "-diska", "DIR/app/disks/drivea.dsk",
                                "-ext", "fmpac"},
                               "No SCC sound: every cartridge slot of Spectravideo SVI-738 is in use."},
                    ChoiceCase{"the blank disks alone ask for no drive",
                               " -ifreq 60",
                               "drivea.dsk",
                               with({"Philips_NMS_8250"}),
                               "",
                               {"-machine", "C-BIOS_MSX2_JP"},
                               ""},
                    ChoiceCase{"the machine choice file names the machine",
                               "",
                               "drivea.dsk",
                               with({"Sony_HB-F700P"}),
                               "# mine\nmsx1 = National_CF-3300\n msx2 = Sony_HB-F700P # 256 KB\n",
                               {"-machine", "Sony_HB-F700P", "-diska", "DIR/app/disks/drivea.dsk"},
                               ""},
                    ChoiceCase{"a named machine that cannot start is passed over",
                               "",
                               "game.dsk",
                               cbiosOnly,
                               "msx2 = Philips_NMS_8250\n",
                               {"-machine", "C-BIOS_MSX2"},
                               "No disk drive"},
                    ChoiceCase{"a named machine without a drive gets no disk",
                               "",
                               "game.dsk",
                               with({"Diskless_MSX"}),
                               "msx2 = Diskless_MSX\n",
                               {"-machine", "Diskless_MSX"},
                               "No disk drive on Diskless MSX"},
                    ChoiceCase{"a missing disk is named on the screen as plain text, never run as Tcl",
                               "",
                               "gone [exit] $a.dsk",
                               cbiosOnly,
                               "",
                               {"-machine", "C-BIOS_MSX2"},
                               "Drive A: gone \\[exit\\] \\$a.dsk not found."},
                    ChoiceCase{"the FM-PAC as an extension",
                               " -fmpac 2",
                               "drivea.dsk",
                               with({"C-BIOS_MSX2 -ext fmpac"}),
                               "",
                               {"-machine", "C-BIOS_MSX2", "-ext", "fmpac"},
                               ""},
                    ChoiceCase{"the FM-PAC without its ROM",
                               " -fmpac 2",
                               "drivea.dsk",
                               cbiosOnly,
                               "",
                               {"-machine", "C-BIOS_MSX2"},
                               "No FM sound"},
                    ChoiceCase{"MSX-MUSIC built in",
                               " -msx2+ -fmpac 2 -ifreq 60",
                               "drivea.dsk",
                               cbiosOnly,
                               "",
                               {"-machine", "C-BIOS_MSX2+_JP"},
                               ""},
                    ChoiceCase{"the SCC as an extension",
                               " -scc 1",
                               "drivea.dsk",
                               with({"C-BIOS_MSX2 -ext scc"}),
                               "",
                               {"-machine", "C-BIOS_MSX2", "-ext", "scc"},
                               ""}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST_F(LaunchPlan, OpenMsxIsAskedOnceUntilItsSystemRomsChange)
{
    writeProgram(dir.file("bin/openmsx"));
    writeFile(dir.file("app/disks/game.dsk"), "disk");
    writeFile(dir.file("app/TULK.CFG"), " -diska " + dir.file("app/disks/game.dsk") + "\r\n");
    const auto asked = [&] {
        std::ifstream in(dir.file("bin/openmsx.asked"));
        return std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n');
    };
    const auto launch = [&] { return planLaunch({"@" + dir.file("app/TULK.CFG")}, environment()).exitCode; };
    ASSERT_EQ(launch(), 0);
    const auto first = asked();
    EXPECT_GT(first, 0);
    ASSERT_EQ(launch(), 0);
    EXPECT_EQ(asked(), first);
    writeFile(dir.file("openmsx/share/systemroms/nms8250_basic-bios2.rom"), "a new system ROM");
    ASSERT_EQ(launch(), 0);
    EXPECT_GT(asked(), first);
}

TEST_F(LaunchPlan, FindProgramSkipsFilesThatCannotRun)
{
    writeFile(dir.file("a/openmsx"), "not a program");
    std::filesystem::create_directories(dir.file("b/openmsx"));
    writeProgram(dir.file("c/openmsx"));
    const std::string path = dir.file("a") + ":" + dir.file("b") + ":" + dir.file("c");
    EXPECT_EQ(bridge::findProgram("openmsx", path), dir.file("c/openmsx"));
    EXPECT_EQ(bridge::findProgram("openmsx", dir.file("a")), "");
    EXPECT_EQ(bridge::findProgram("openmsx", ""), "");
    EXPECT_EQ(bridge::findProgram(dir.file("c/openmsx"), ""), dir.file("c/openmsx"));
}

TEST_F(LaunchPlan, ReadFirstLineDropsTheLineEnd)
{
    writeFile(dir.file("one"), "-msx1 -sq 5\r\n");
    writeFile(dir.file("two"), "first\nsecond\r\n");
    writeFile(dir.file("none"), "");
    EXPECT_EQ(bridge::readFirstLine(dir.file("one")), "-msx1 -sq 5");
    EXPECT_EQ(bridge::readFirstLine(dir.file("two")), "first");
    EXPECT_EQ(bridge::readFirstLine(dir.file("none")), "");
    EXPECT_EQ(bridge::readFirstLine(dir.file("missing")), std::nullopt);
}

} // namespace
