#include "platform/fluidsynth_player.h"
#include "ui/application.h"
#include "ui/startup_boxes.h"
#include "window_fixture.h"

#include <string>

namespace {

// The smallest standard MIDI file: one track holding only its end.
const std::string emptyTune =
    std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14) + std::string("MTrk\0\0\0\x04\0\xff\x2f\0", 12);

TEST_F(WindowTest, AMusicStartThatFailsAfterTheOpenIsShownOnceInTheErrorBox)
{
    open();
    dir.write("music/1.mid", emptyTune);
    // No audio driver has this name: the start fails on the player's thread.
    FluidSynthPlayer::Options options;
    options.audioDriver = "no-such-driver";
    FluidSynthPlayer music{options};
    reportMusicFailures(music, *window);

    music.open(dir.file("music/1.mid"));
    music.play();
    music.waitUntilStarted();
    EXPECT_TRUE(fakes.errors.messages.empty()) << "shown from the GUI thread, not the player's";
    EXPECT_TRUE(QTest::qWaitFor([this] { return !fakes.errors.messages.empty(); }));
    QTest::qWait(50);
    ASSERT_EQ(fakes.errors.messages.size(), 1u);
    EXPECT_EQ(fakes.errors.messages[0].rfind("Cannot play MIDI music: ", 0), 0u) << fakes.errors.messages[0];
    EXPECT_EQ(music.state(), MusicState::NoTune);
}

// No audio output: the tune drawn at start opens, then fails on the player's thread after the
// first frame, while the settings step has failed as well.
TEST(StartupBoxes, ComeInTheOrderOfTheStepsAndAStopThenFindsNoTune)
{
    TempDir dir;
    dir.write("1.mid", emptyTune);
    FakeErrors shown;
    FluidSynthPlayer music{
        {.soundFontDirectory = "", .audioDriver = "no-such-driver", .audioFile = "", .sampleRate = 0}};
    music.hold();
    StartupBoxes boxes(shown, music);

    music.open(dir.file("1.mid"));
    music.play();
    boxes.show("Cannot open file settings.CFG");
    EXPECT_TRUE(shown.messages.empty()) << "held until the music's outcome is known";
    boxes.finish();
    ASSERT_EQ(shown.messages.size(), 2u);
    EXPECT_EQ(shown.messages[0].rfind("Cannot play MIDI music: ", 0), 0u) << shown.messages[0];
    EXPECT_EQ(shown.messages[1], "Cannot open file settings.CFG");

    try {
        music.stop();
        FAIL() << "expected an error";
    } catch (const VeldrunError& e) {
        EXPECT_STREQ(e.what(), "No MCI device open") << "the first time";
    }
}

} // namespace
