#include "midi_tune.h"
#include "platform/fluidsynth_player.h"
#include "platform/fluidsynth_soundfonts.h"
#include "support/eventually.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

const char* const gmSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int sampleRate = 22050;
constexpr std::size_t bytesPerSecond = sampleRate * 2 * 2; // 16-bit stereo

int peak(const std::string& bytes, std::size_t from = 0)
{
    int top = 0;
    for (std::size_t i = from & ~std::size_t{1}; i + 1 < bytes.size(); i += 2) {
        std::int16_t s;
        std::memcpy(&s, bytes.data() + i, 2);
        top = std::max(top, std::abs(static_cast<int>(s)));
    }
    return top;
}

std::size_t sizeOf(const std::string& path)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return ec ? 0 : static_cast<std::size_t>(size);
}

// A music directory shipping its own SoundFont (linked to Debian's), and a player that renders
// into a file instead of a sound card.
struct RealPlayer : ::testing::Test {
    TempDir dir;
    std::string output = dir.file("out.raw");
    FluidSynthPlayer player{
        {.soundFontDirectory = "", .audioDriver = "file", .audioFile = output, .sampleRate = sampleRate}};

    void SetUp() override
    {
        if (!fs::exists(gmSoundFont))
            GTEST_SKIP() << "needs " << gmSoundFont << " (timgm6mb-soundfont)";
        fs::create_directories(dir.file("music"));
        fs::create_symlink(gmSoundFont, dir.file("music/gm.sf2"));
    }
    std::string heard() const
    {
        return "output of " + std::to_string(sizeOf(output)) + " bytes, peak " +
               std::to_string(peak(readFile(output)));
    }
    std::string writeTune(const std::string& name, const std::string& bytes)
    {
        dir.write("music/" + name, bytes);
        return dir.file("music/" + name);
    }
};

TEST_F(RealPlayer, RendersTheTuneAndStopSilencesIt)
{
    testing::internal::CaptureStderr();
    player.open(writeTune("1.mid", tune(960 * 60)));
    player.play();
    EXPECT_EQ(player.state(), MusicState::Playing);
    ASSERT_TRUE(eventually([&] { return peak(readFile(output)) > 1000; })) << heard();

    player.stop();
    EXPECT_EQ(player.state(), MusicState::Halted);
    // What was rendered before the stop may still be on its way to the file: the output is
    // looked at from a tenth of a second on. A released piano note would still sound there at
    // several hundred; a cut one leaves only the reverb, which dies away within a second.
    const std::size_t stoppedAt = sizeOf(output);
    ASSERT_TRUE(eventually([&] { return sizeOf(output) > stoppedAt + 2 * bytesPerSecond; }));
    const std::string rendered = readFile(output);
    EXPECT_LE(peak(rendered.substr(stoppedAt + bytesPerSecond / 10, bytesPerSecond / 5)), 100) << "notes cut";
    EXPECT_LE(peak(rendered, stoppedAt + 3 * bytesPerSecond / 2), 2) << "nothing left but dither";
    EXPECT_EQ(player.state(), MusicState::Halted) << "the tune stays open";

    player.close();
    EXPECT_EQ(player.state(), MusicState::NoTune);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "FluidSynth keeps quiet on the terminal";
}

TEST_F(RealPlayer, TuneThatEndsOnItsOwnIsHaltedAndStopsWithoutError)
{
    player.open(writeTune("2.mid", tune(48)));
    player.play();
    ASSERT_TRUE(eventually([&] { return player.state() == MusicState::Halted; }));
    EXPECT_NO_THROW(player.stop());
    EXPECT_EQ(player.state(), MusicState::Halted);
}

TEST_F(RealPlayer, OpeningANewTuneClosesThePreviousOne)
{
    player.open(writeTune("3.mid", tune(960 * 60)));
    player.play();
    player.open(writeTune("4.mid", tune(960 * 60)));
    player.play();
    EXPECT_EQ(player.state(), MusicState::Playing);
    ASSERT_TRUE(eventually([&] { return peak(readFile(output)) > 1000; })) << heard();
    player.stop();
    EXPECT_EQ(player.state(), MusicState::Halted);
}

struct BadTune {
    const char* name;
    std::function<std::string(RealPlayer&)> make; // returns the path to open
    std::string message;                          // %s: the path
};

class BadTunes : public RealPlayer, public ::testing::WithParamInterface<BadTune> {};

TEST_P(BadTunes, FailWithAClearMessageAndLeaveNoTune)
{
    testing::internal::CaptureStderr();
    player.open(writeTune("good.mid", tune(960 * 60)));
    player.play();
    const std::string path = GetParam().make(*this);
    try {
        player.open(path);
        FAIL() << "expected an error";
    } catch (const VeldrunError& e) {
        std::string expected = GetParam().message;
        expected.replace(expected.find("%s"), 2, path);
        EXPECT_EQ(std::string(e.what()), expected);
    }
    EXPECT_EQ(player.state(), MusicState::NoTune) << "the previous tune was closed before the attempt";
    try {
        player.stop();
        FAIL() << "expected an error";
    } catch (const VeldrunError& e) {
        EXPECT_EQ(std::string(e.what()), "No MCI device open");
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadTunes,
    ::testing::Values(BadTune{"Missing", [](RealPlayer& t) { return t.dir.file("music/34.mid"); },
                              "Cannot play %s: the file does not exist"},
                      BadTune{"NotMidi",
                              [](RealPlayer& t) { return t.writeTune("5.mid", "RIFF....WAVEfmt "); },
                              "Cannot play %s: not a standard MIDI file"},
                      BadTune{"Truncated",
                              [](RealPlayer& t) {
                                  const std::string whole = tune(960);
                                  return t.writeTune("6.mid", whole.substr(0, whole.size() - 5));
                              },
                              "Cannot play %s: the MIDI file is damaged: it ends inside a track"},
                      BadTune{"Directory",
                              [](RealPlayer& t) {
                                  fs::create_directories(t.dir.file("music/7.mid"));
                                  return t.dir.file("music/7.mid");
                              },
                              "Cannot open file %s"},
                      // Nobody writes to it: opening it the usual way would wait for good.
                      BadTune{"Fifo",
                              [](RealPlayer& t) {
                                  ::mkfifo(t.dir.file("music/8.mid").c_str(), 0600);
                                  return t.dir.file("music/8.mid");
                              },
                              "Cannot open file %s"},
                      BadTune{"EndlessDevice",
                              [](RealPlayer& t) {
                                  fs::create_symlink("/dev/zero", t.dir.file("music/9.mid"));
                                  return t.dir.file("music/9.mid");
                              },
                              "Cannot open file %s"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FluidSynthPlayer, StopWithNoTuneOpen)
{
    FluidSynthPlayer player;
    EXPECT_EQ(player.state(), MusicState::NoTune);
    EXPECT_THROW(
        {
            try {
                player.stop();
            } catch (const VeldrunError& e) {
                EXPECT_STREQ(e.what(), "No MCI device open");
                throw;
            }
        },
        VeldrunError);
    EXPECT_NO_THROW(player.close());
}

TEST(FluidSynthPlayer, NoAudioDeviceIsReportedOnceWithAlsasOwnWordsAndNothingOnTheTerminal)
{
    // An ALSA configuration without any device, whatever this machine has.
    TempDir dir;
    dir.write("asound.conf", "");
    dir.write("1.mid", tune(960));
    setenv("ALSA_CONFIG_PATH", dir.file("asound.conf").c_str(), 1);
    FluidSynthPlayer::Options options;
    options.audioDriver = "alsa";
    FluidSynthPlayer player{options};
    std::atomic<int> notices{0};
    player.setFailureNotice([&notices] { ++notices; });
    testing::internal::CaptureStderr();
    // The file itself is fine: the open succeeds, and the start fails on the player's thread.
    ASSERT_NO_THROW(player.open(dir.file("1.mid")));
    player.play();
    player.waitUntilStarted();
    std::string message;
    try {
        player.reportFailure();
    } catch (const VeldrunError& e) {
        message = e.what();
    }
    const std::string terminal = testing::internal::GetCapturedStderr();
    if (!fs::exists(gmSoundFont) && message.find("SoundFont") != std::string::npos) {
        unsetenv("ALSA_CONFIG_PATH");
        GTEST_SKIP() << "no SoundFont on this machine";
    }
    EXPECT_EQ(message.substr(0, message.find('\n')), "Cannot play music: no sound output was found.");
    EXPECT_NE(message.find("ALSA: "), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << "the system's text on one line";
    EXPECT_EQ(terminal, "");
    EXPECT_EQ(notices, 1);
    EXPECT_NO_THROW(player.reportFailure()) << "reported once";
    // The tune stays open without a sound: its buttons work, and the next tune is not reported.
    EXPECT_EQ(player.state(), MusicState::Playing);
    EXPECT_NO_THROW(player.stop());
    EXPECT_EQ(player.state(), MusicState::Halted);
    EXPECT_NO_THROW(player.open(dir.file("1.mid")));
    player.play();
    player.waitUntilStarted();
    EXPECT_EQ(player.state(), MusicState::Playing);
    EXPECT_EQ(notices, 1) << "once per run";
    EXPECT_NO_THROW(player.reportFailure());
    unsetenv("ALSA_CONFIG_PATH");
}

// --- The start on the player's own thread ---------------------------------------------------

// What may come right after an open, before the tune has started: while the player is held (as
// at start-up) or while the start is under way.
struct EarlyCall {
    const char* name;
    bool held;
    std::function<void(RealPlayer&)> act; // after open and play
    MusicState then;
    bool heard; // once everything has started
};

class EarlyCalls : public RealPlayer, public ::testing::WithParamInterface<EarlyCall> {};

TEST_P(EarlyCalls, KeepTheStateAndTheSoundConsistent)
{
    const EarlyCall& c = GetParam();
    testing::internal::CaptureStderr();
    if (c.held)
        player.hold();
    player.open(writeTune("1.mid", tune(960 * 60)));
    player.play();
    c.act(*this);
    EXPECT_EQ(player.state(), c.then) << "at once";
    player.release();
    player.waitUntilStarted();
    EXPECT_EQ(player.state(), c.then) << "once started";
    if (c.heard) {
        ASSERT_TRUE(eventually([&] { return peak(readFile(output)) > 1000; })) << heard();
    } else if (c.then == MusicState::Halted) {
        // The audio output is open and renders, but nothing of the tune.
        ASSERT_TRUE(eventually([&] { return sizeOf(output) > bytesPerSecond; })) << heard();
        EXPECT_LE(peak(readFile(output)), 2) << heard();
    } else {
        EXPECT_LE(peak(readFile(output)), 2) << heard();
    }
    EXPECT_NO_THROW(player.reportFailure());
    player.close();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, EarlyCalls,
    ::testing::Values(
        EarlyCall{"PlayWhileHeld", true, [](RealPlayer&) {}, MusicState::Playing, true},
        EarlyCall{"StopWhileHeld", true, [](RealPlayer& t) { t.player.stop(); }, MusicState::Halted, false},
        EarlyCall{"CloseWhileHeld", true, [](RealPlayer& t) { t.player.close(); }, MusicState::NoTune, false},
        EarlyCall{"StopWhileStarting", false, [](RealPlayer& t) { t.player.stop(); }, MusicState::Halted,
                  false},
        EarlyCall{"CloseWhileStarting", false, [](RealPlayer& t) { t.player.close(); }, MusicState::NoTune,
                  false},
        EarlyCall{"StopTwiceWhileStarting", false,
                  [](RealPlayer& t) {
                      t.player.stop();
                      t.player.stop();
                  },
                  MusicState::Halted, false},
        EarlyCall{"OpenAnotherWhileStarting", false,
                  [](RealPlayer& t) {
                      t.player.open(t.writeTune("2.mid", tune(960 * 60)));
                      t.player.play();
                  },
                  MusicState::Playing, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RealPlayer, NothingOfFluidSynthIsLoadedWhileHeld)
{
    // Only telling when this test runs in a process of its own, as ctest runs it.
    const bool loadedBefore = FluidSynthPlayer::fluidSynthLoaded();
    player.hold();
    player.open(writeTune("1.mid", tune(960 * 60)));
    player.play();
    if (!loadedBefore) {
        EXPECT_FALSE(FluidSynthPlayer::fluidSynthLoaded());
    }
    player.release();
    player.waitUntilStarted();
    EXPECT_TRUE(FluidSynthPlayer::fluidSynthLoaded());
    EXPECT_EQ(player.state(), MusicState::Playing);
}

TEST_F(RealPlayer, CanBeDestroyedAtAnyMomentOfAStart)
{
    const std::string path = writeTune("1.mid", tune(960 * 60));
    testing::internal::CaptureStderr();
    for (int round = 0; round < 6; ++round) {
        auto early = std::make_unique<FluidSynthPlayer>(FluidSynthPlayer::Options{
            .soundFontDirectory = "", .audioDriver = "file", .audioFile = output, .sampleRate = sampleRate});
        if (round % 3 == 0)
            early->hold();
        early->open(path);
        early->play();
        // Rounds 1 and 4 end while the start is under way, 2 and 5 just after it.
        if (round % 3 == 2)
            early->waitUntilStarted();
        early.reset();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(FluidSynthPlayer, SoundFontsAreTriedInTheirOrder)
{
    TempDir dir;
    dir.write("b.SF3", "");
    dir.write("a.sf2", "");
    dir.write("readme.txt", "");
    const std::vector<std::string> expected = {
        dir.file("a.sf2"), dir.file("b.SF3"), "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2"};
    EXPECT_EQ(soundFontCandidates(dir.path, "/usr/share/sounds/sf3/default-GM.sf3"), expected);
    EXPECT_EQ(soundFontCandidates(dir.file("none"), "/usr/share/sounds/sf2/default-GM.sf2"),
              (std::vector<std::string>{"/usr/share/sounds/sf2/default-GM.sf2",
                                        "/usr/share/sounds/sf2/TimGM6mb.sf2"}));
}

TEST_F(RealPlayer, ABrokenSoundFontInTheMusicDirectoryGivesWayToTheNext)
{
    dir.write("music/0-broken.sf2", "not a SoundFont at all");
    testing::internal::CaptureStderr();
    player.open(writeTune("8.mid", tune(960 * 60)));
    player.play();
    ASSERT_TRUE(eventually([&] { return peak(readFile(output)) > 1000; })) << heard();
    player.stop();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
