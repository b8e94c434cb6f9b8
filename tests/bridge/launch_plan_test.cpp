#include "fake_files.h"
#include "launch_plan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

using bridge::planLaunch;
using testing::Contains;
using testing::HasSubstr;

namespace {

void writeFile(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void writeProgram(const std::string& path)
{
    writeFile(path, "#!/bin/sh\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

class LaunchPlan : public testing::Test {
  protected:
    ScratchDir dir;
    bridge::Environment environment()
    {
        bridge::Environment env;
        env.path = dir.file("bin");
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
    env.extraCommand = "exit";
    // The path arrives in two pieces, as from a shell where it was typed unquoted.
    const auto plan = planLaunch({"@" + dir.file("app"), "dir/TULK.CFG"}, env);
    ASSERT_EQ(plan.exitCode, 0) << plan.failure;
    EXPECT_EQ(plan.program, dir.file("bin/openmsx"));
    const std::vector<std::string> start{"-machine", "C-BIOS_MSX1", "-carta",
                                         dir.file("My Roms/demo game.rom")};
    EXPECT_EQ(std::vector<std::string>(plan.arguments.begin(), plan.arguments.begin() + 4), start);
    EXPECT_EQ(plan.arguments.back(), "exit");
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
