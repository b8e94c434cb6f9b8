#include "midi_tune.h"
#include "platform/fluidsynth_player.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

// A player whose every start fails on its thread: there is no audio driver of that name.
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

TEST_F(FailingPlayer, ReportsTheFailureOnceAndLeavesNoTune)
{
    player.open(dir.file("1.mid"));
    player.play();
    player.waitUntilStarted();
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(player.state(), MusicState::NoTune);
    EXPECT_NE(failure(), "");
    EXPECT_EQ(failure(), "") << "once";
    EXPECT_THROW(player.stop(), VeldrunError);
}

TEST_F(FailingPlayer, AStopWhileStartingWaitsAndReportsTheFailureBeforeItsOwn)
{
    player.open(dir.file("1.mid"));
    player.play();
    try {
        player.stop();
        FAIL() << "expected an error";
    } catch (const VeldrunError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("Cannot play MIDI music: ", 0), 0u) << message;
        EXPECT_TRUE(message.ends_with("\nNo MCI device open")) << message;
    }
    EXPECT_EQ(failure(), "") << "reported by the stop";
    EXPECT_THROW(player.stop(), VeldrunError);
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

TEST_F(FailingPlayer, ALaterOpenForgetsAFailureNobodyAskedFor)
{
    player.open(dir.file("1.mid"));
    player.waitUntilStarted();
    ASSERT_EQ(notices, 1);
    EXPECT_THROW(player.open(dir.file("missing.mid")), VeldrunError);
    EXPECT_EQ(failure(), "");
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
