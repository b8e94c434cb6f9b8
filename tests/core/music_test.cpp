#include "files/paths.h"
#include "form/tform1.h"
#include "music/tunes.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// An application directory whose music folder holds every tune.
struct MusicForm : ::testing::Test {
    TempDir app;
    FakeServices fakes;
    TForm1 form{fakes.services()};

    MusicForm()
    {
        for (int n = 1; n <= tunes::count; ++n)
            app.write("music/" + std::to_string(n) + ".mid", "MThd");
        form.state.default_ = app.path;
    }
    std::string tune(int n) const { return app.file("music/" + std::to_string(n) + ".mid"); }
};

TEST_F(MusicForm, PlaytuneOpensTheNumberedFileAndPlays)
{
    form.playtune(7);
    ASSERT_EQ(fakes.music.opened.size(), 1u);
    EXPECT_EQ(fakes.music.opened[0], tune(7));
    EXPECT_EQ(fakes.music.state(), MusicState::Playing);
    EXPECT_EQ(tunes::path("C:", 12),
              std::string("C:") + paths::separator + "music" + paths::separator + "12.mid");
}

TEST_F(MusicForm, TuneFileIsFoundWhateverItsLetterCase)
{
    std::filesystem::rename(app.file("music"), app.file("Music"));
    std::filesystem::rename(app.file("Music/9.mid"), app.file("Music/9.MID"));
    form.playtune(9);
    EXPECT_EQ(fakes.music.opened.back(), app.file("Music/9.MID"));
    EXPECT_EQ(fakes.music.state(), MusicState::Playing);
}

TEST_F(MusicForm, NextSeedsFromTheClockAndDrawsOneToThirtyFour)
{
    // The fake draws 0, 1, 2, ... so that 35 presses walk the whole range and wrap.
    for (int press = 0; press < 35; ++press) {
        form.nextClick();
        EXPECT_EQ(fakes.music.opened.back(), tune(press % tunes::count + 1));
        EXPECT_EQ(fakes.music.state(), MusicState::Playing);
    }
    EXPECT_EQ(fakes.random.seeds, 35);
    EXPECT_EQ(fakes.music.opened.size(), 35u) << "each press opens one tune, the previous one closed";
}

enum class Step { Next, NextMissing, Stop, EndOfTune, StartUpFails };

struct Sequence {
    const char* name;
    std::vector<Step> steps;
    MusicState final;
    std::vector<std::string> errors; // the messages the steps raised, in order
};

class MusicSequences : public MusicForm, public ::testing::WithParamInterface<Sequence> {};

TEST_P(MusicSequences, EndInTheStateAndErrorsGiven)
{
    std::vector<std::string> errors;
    for (Step step : GetParam().steps) {
        try {
            switch (step) {
            case Step::Next:
                form.nextClick();
                break;
            case Step::NextMissing:
                std::filesystem::remove(tune(fakes.random.next % tunes::count + 1));
                form.nextClick();
                break;
            case Step::Stop:
                form.stopmusicClick();
                break;
            case Step::EndOfTune:
                fakes.music.endOfTune();
                break;
            case Step::StartUpFails:
                fakes.music.failOpen = true;
                try {
                    form.playtune(3);
                } catch (...) {
                    fakes.music.failOpen = false;
                    throw;
                }
                break;
            }
        } catch (const VeldrunError& e) {
            errors.push_back(e.what());
        }
    }
    EXPECT_EQ(fakes.music.state(), GetParam().final);
    EXPECT_EQ(errors, GetParam().errors);
}

const std::string noDevice = "No MCI device open";
const std::string notFound = "The specified file was not found or is not a MIDI file";

INSTANTIATE_TEST_SUITE_P(
    Table, MusicSequences,
    ::testing::Values(
        Sequence{"StopThenNextPlaysAgain", {Step::Next, Step::Stop, Step::Next}, MusicState::Playing, {}},
        Sequence{"StopTwiceIsNoError", {Step::Next, Step::Stop, Step::Stop}, MusicState::Halted, {}},
        Sequence{
            "StopAfterTheEndIsNoError", {Step::Next, Step::EndOfTune, Step::Stop}, MusicState::Halted, {}},
        Sequence{"StopWithNothingEverOpened", {Step::Stop}, MusicState::NoTune, {noDevice}},
        Sequence{"StopAfterAFailedStartUpTune",
                 {Step::StartUpFails, Step::Stop},
                 MusicState::NoTune,
                 {notFound, noDevice}},
        Sequence{"MissingTuneSilencesThePreviousOne",
                 {Step::Next, Step::NextMissing, Step::Stop},
                 MusicState::NoTune,
                 {notFound, noDevice}},
        Sequence{"NextAfterAMissingTunePlaysAgain",
                 {Step::NextMissing, Step::Next},
                 MusicState::Playing,
                 {notFound}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
