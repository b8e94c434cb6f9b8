#include "midi_tune.h"
#include "platform/fluidsynth_player.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

// A player whose every start finds no sound output: there is no audio driver of that name.
FluidSynthPlayer::Options noSuchDriver()
{
    FluidSynthPlayer::Options options;
    options.audioDriver = "no-such-driver";
    return options;
}

struct FailingPlayer : ::testing::Test {
    TempDir dir;
    FluidSynthPlayer player{noSuchDriver()};
    std::atomic<int> notices{0};
    void SetUp() override
    {
        dir.write("1.mid", tune(960));
        player.setFailureNotice([this] { ++notices; });
    }
    std::string failure()
    {
        try {
            player.reportFailure();
        } catch (const VeldrunError& e) {
            return e.what();
        }
        return {};
    }
};

TEST_F(FailingPlayer, ReportsTheMissingOutputOncePerRunAndKeepsTheTuneOpenSilent)
{
    player.open(dir.file("1.mid"));
    player.play();
    player.waitUntilStarted();
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(player.state(), MusicState::Playing);
    EXPECT_EQ(failure(), "Cannot play music: no sound output was found.\n"
                         "Couldn't find the requested audio driver 'no-such-driver'.");
    EXPECT_EQ(failure(), "") << "once";
    EXPECT_NO_THROW(player.stop());
    EXPECT_EQ(player.state(), MusicState::Halted);

    player.open(dir.file("1.mid"));
    player.play();
    player.waitUntilStarted();
    EXPECT_EQ(notices, 1) << "the next tune is silent without a word";
    EXPECT_EQ(failure(), "");
    EXPECT_EQ(player.state(), MusicState::Playing);
}

TEST_F(FailingPlayer, AStopWhileStartingWaitsAndHaltsTheSilentTune)
{
    player.open(dir.file("1.mid"));
    player.play();
    EXPECT_NO_THROW(player.stop());
    EXPECT_EQ(player.state(), MusicState::Halted);
    EXPECT_NE(failure(), "") << "kept for its own box";
}

TEST_F(FailingPlayer, ForgetsTheFailureOfATuneClosedBeforeItStarted)
{
    player.hold();
    player.open(dir.file("1.mid"));
    player.play();
    player.close();
    player.release();
    player.waitUntilStarted();
    EXPECT_EQ(notices, 0);
    EXPECT_EQ(failure(), "");
}

TEST_F(FailingPlayer, TheMissingOutputOutlivesALaterOpenUntilItIsReported)
{
    player.open(dir.file("1.mid"));
    player.waitUntilStarted();
    ASSERT_EQ(notices, 1);
    EXPECT_THROW(player.open(dir.file("missing.mid")), VeldrunError);
    EXPECT_NE(failure(), "");
}

TEST_F(FailingPlayer, ReadsNoFileFarLargerThanAnyTune)
{
    std::string huge = tune(960);
    huge.resize(17 << 20, '\0');
    dir.write("2.mid", huge);
    try {
        player.open(dir.file("2.mid"));
        FAIL() << "expected an error";
    } catch (const VeldrunError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot play " + dir.file("2.mid") + ": the file is too large for a MIDI tune");
    }
}

} // namespace
