#include "form/tform1.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// Fakes that also note, in one log, the order in which start-up reaches them.
struct Log {
    std::vector<std::string> steps;
};
struct LoggingRandom : FakeRandom {
    explicit LoggingRandom(Log& l) : log(l) {}
    void seedFromClock() override
    {
        log.steps.push_back("seed");
        FakeRandom::seedFromClock();
    }
    int below(int n) override
    {
        log.steps.push_back("draw " + std::to_string(n));
        return FakeRandom::below(n);
    }
    Log& log;
};
struct LoggingMusic : FakeMusic {
    explicit LoggingMusic(Log& l) : log(l) {}
    void open(const std::string& path) override
    {
        log.steps.push_back("tune");
        FakeMusic::open(path);
    }
    Log& log;
};
struct LoggingPictures : FakePictures {
    explicit LoggingPictures(Log& l) : log(l) {}
    ImagePtr loadBmp(const std::string& path) override
    {
        log.steps.push_back("picture");
        return FakePictures::loadBmp(path);
    }
    Log& log;
};

class Startup : public ::testing::Test {
  protected:
    Startup() : before(fs::current_path())
    {
        fs::current_path(dir.path);
        here = fs::current_path().string();
        dir.write("settings.CFG", "2101005021000009#5000\r\n");
        dir.write("images/msx2plus.bmp", "BM");
        dir.write("music/1.mid", "MThd");
    }
    ~Startup() override { fs::current_path(before); }

    TForm1& create()
    {
        form.FormCreate();
        return form;
    }

    fs::path before;
    TempDir dir;
    std::string here;
    Log log;
    FakeServices fakes;
    LoggingRandom random{log};
    LoggingMusic music{log};
    LoggingPictures pictures{log};
    TForm1 form{Services{pictures, music, fakes.processes, fakes.shell, fakes.errors, fakes.windows, random,
                         fakes.questions}};
};

TEST_F(Startup, RunsItsStepsInOrderAndEndsWithACompleteCommandLine)
{
    create();
    EXPECT_EQ(log.steps, (std::vector<std::string>{"seed", "draw 34", "tune", "picture"}));
    EXPECT_TRUE(fakes.errors.messages.empty());
    EXPECT_EQ(form.state.default_, here);
    EXPECT_EQ(music.current, here + "/music/1.mid");
    EXPECT_EQ(music.state(), MusicState::Playing);
    EXPECT_EQ(form.state.diskafile, "drivea.dsk");
    EXPECT_EQ(form.state.diskbfile, "driveb.dsk");
    EXPECT_EQ(form.state.slotafile, "");
    EXPECT_EQ(form.state.computer.index(), 2);
    EXPECT_EQ(shownPath(form.cpupic.picture), here + "/images/msx2plus.bmp");
    EXPECT_NE(form.state.editline.find(" -diska " + here + "/disks/drivea.dsk"), std::string::npos);
    EXPECT_NE(form.state.editline.find(" -msx2+"), std::string::npos);
    EXPECT_NE(form.state.editline.find(" -cpuspeed 50"), std::string::npos);
}

TEST_F(Startup, DrawsTunesOneToThirtyFour)
{
    random.next = 33;
    music.openMissing = true;
    create();
    EXPECT_EQ(music.current, here + "/music/34.mid");
}

struct Broken {
    const char* name;
    bool noMidi;
    bool noSettings;
    std::vector<std::string> errors;
};

class StartupFailures : public Startup, public ::testing::WithParamInterface<Broken> {};

// Each failing step is reported; the later steps still run, so the settings that exist are
// applied and the first command line is complete.
TEST_P(StartupFailures, ReportEachFailingStepAndGoOn)
{
    const Broken& c = GetParam();
    music.failOpen = c.noMidi;
    if (c.noSettings)
        fs::remove("settings.CFG");
    create();
    std::vector<std::string> expected;
    for (const auto& e : c.errors)
        expected.push_back(e == "settings" ? "Cannot open file " + here + "/settings.CFG" : e);
    EXPECT_EQ(fakes.errors.messages, expected);
    EXPECT_EQ(form.state.computer.index(), c.noSettings ? -1 : 2);
    EXPECT_EQ(form.state.diskafile, "drivea.dsk");
    EXPECT_NE(form.state.editline.find(" -diskb " + here + "/disks/driveb.dsk"), std::string::npos);
    if (c.noSettings)
        EXPECT_NE(form.state.editline.find(" -rom -1,-1"), std::string::npos);
    else
        EXPECT_NE(form.state.editline.find(" -cpuspeed 50"), std::string::npos);
}

const std::string midiError = "The specified file was not found or is not a MIDI file";
INSTANTIATE_TEST_SUITE_P(Table, StartupFailures,
                         ::testing::Values(Broken{"NoMidi", true, false, {midiError}},
                                           Broken{"NoSettings", false, true, {"settings"}},
                                           Broken{"Neither", true, true, {midiError, "settings"}}),
                         [](const auto& info) { return info.param.name; });

TEST_F(Startup, MissingMachinePictureStillLeavesTheLoadedCommandLine)
{
    fs::remove("images/msx2plus.bmp");
    create();
    ASSERT_EQ(fakes.errors.messages.size(), 1u);
    EXPECT_EQ(fakes.errors.messages[0], "Cannot open file " + here + "/images/msx2plus.bmp");
    EXPECT_NE(form.state.editline.find(" -cpuspeed 50"), std::string::npos);
}

TEST_F(Startup, RootDirectoryKeepsItsSeparator)
{
    fs::current_path("/");
    music.openMissing = true;
    create();
    EXPECT_EQ(form.state.default_, "/");
    EXPECT_EQ(music.current, "//music/1.mid");
}

} // namespace
