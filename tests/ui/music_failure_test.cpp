#include "platform/fluidsynth_player.h"
#include "platform/midi_tune.h"
#include "ui/application.h"
#include "window_fixture.h"

#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>
#include <string>

namespace {

enum class Act { Next, NextMissing, Title, Stop };

struct Walk {
    const char* name;
    std::vector<Act> acts;
    // "sound" for the box about the missing sound output, "missing" for a missing tune file.
    std::vector<std::string> boxes;
};

// The window on the real player where no audio output can be opened (no driver has this name):
// every start fails on the player's thread, after the tune file itself was found sound.
class NoSoundOutput : public WindowTest, public ::testing::WithParamInterface<Walk> {
  protected:
    FluidSynthPlayer music{
        {.soundFontDirectory = "", .audioDriver = "no-such-driver", .audioFile = "", .sampleRate = 0}};

    void openOnThePlayer()
    {
        for (int n = 1; n <= 34; ++n)
            dir.write("music/" + std::to_string(n) + ".mid", tune(960));
        dir.write("images/nemesis2.bmp", "BM");
        QDir::setCurrent(root());
        window = std::make_unique<MainWindow>();
        form = std::make_unique<TForm1>(Services{fakes.pictures, music, fakes.processes, fakes.shell,
                                                 fakes.errors, fakes.windows, fakes.random, fakes.questions});
        form->state.default_ = root().toStdString();
        window->bind(*form);
        reportMusicFailures(music, *window);
        window->show();
        QApplication::processEvents();
    }
    void act(Act a)
    {
        switch (a) {
        case Act::NextMissing:
            std::filesystem::remove(dir.file("music/" + std::to_string(fakes.random.next % 34 + 1) + ".mid"));
            [[fallthrough]];
        case Act::Next:
            find<QPushButton>("next")->click();
            break;
        case Act::Title: {
            auto* tree = find<QTreeWidget>("TreeView1");
            tree->setCurrentItem(tree->findItems("Nemesis2", Qt::MatchExactly | Qt::MatchRecursive).front());
            break;
        }
        case Act::Stop:
            find<QPushButton>("stopmusic")->click();
            break;
        }
        // The start's outcome, then the box it sends to the GUI thread.
        music.waitUntilStarted();
        QTest::qWait(30);
    }
};

TEST_P(NoSoundOutput, IsShownOnceWhileAMissingTuneIsShownEachTime)
{
    openOnThePlayer();
    for (Act a : GetParam().acts)
        act(a);
    std::vector<std::string> boxes;
    for (const std::string& m : fakes.errors.messages)
        boxes.push_back(m.ends_with(": the file does not exist") ? "missing" : m);
    for (std::string& b : boxes)
        if (b.starts_with("Cannot play music: no sound output was found."))
            b = "sound";
    EXPECT_EQ(boxes, GetParam().boxes);
    EXPECT_NE(music.state(), MusicState::NoTune) << "the last tune is open, silent";
}

INSTANTIATE_TEST_SUITE_P(
    Table, NoSoundOutput,
    ::testing::Values(Walk{"NextThenATitle", {Act::Next, Act::Title, Act::Stop, Act::Next}, {"sound"}},
                      Walk{"MissingTunesEachTime",
                           {Act::NextMissing, Act::Next, Act::NextMissing, Act::Next},
                           {"missing", "sound", "missing"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
