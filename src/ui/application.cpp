#include "ui/application.h"

#include "form/tform1.h"
#include "platform/clock_random.h"
#include "platform/fluidsynth_player.h"
#include "platform/qt_desktop_shell.h"
#include "platform/qt_emulator_session.h"
#include "platform/qt_pictures.h"
#include "platform/softwaredb_identifier.h"
#include "ui/desktop_fonts.h"
#include "ui/file_browser.h"
#include "ui/main_window.h"
#include "ui/open_display.h"
#include "ui/qt_error_box.h"
#include "ui/qt_question_box.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

namespace {

// Runs a step once, as soon as the main window's first frame is on the screen.
class AfterFirstFrame : public QObject {
  public:
    explicit AfterFirstFrame(std::function<void()> step) : step_(std::move(step)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose || event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued, so that the frame is painted and on the screen before the step runs.
            QTimer::singleShot(0, this, step_);
        }
        return false;
    }

  private:
    std::function<void()> step_;
};

} // namespace

void reportMusicFailures(FluidSynthPlayer& music, MainWindow& window)
{
    music.setFailureNotice([&music, &window] {
        QMetaObject::invokeMethod(
            &window, [&music, &window] { window.dispatch([&music] { music.reportFailure(); }); },
            Qt::QueuedConnection);
    });
}

namespace {

// What waits for the first frame: the desktop's folder pictures and the music (after a second at
// the latest, should the window come up without being exposed), unless the caller overrides it.
std::unique_ptr<AfterFirstFrame> finishAfterFirstFrame(MainWindow& window, FluidSynthPlayer& music,
                                                       const std::function<void()>& atFirstFrame)
{
    auto finishStart = [&window, &music, started = std::make_shared<bool>(false)] {
        if (std::exchange(*started, true))
            return;
        window.fileBrowser().useDesktopIcons();
        music.release();
    };
    auto firstFrame =
        std::make_unique<AfterFirstFrame>(atFirstFrame ? atFirstFrame : std::function<void()>(finishStart));
    window.installEventFilter(firstFrame.get());
    if (!atFirstFrame)
        QTimer::singleShot(1000, &window, finishStart);
    return firstFrame;
}

} // namespace

int runVeldrun(int argc, char** argv, const StartOverrides& overrides)
{
    std::optional<QApplication> app;
    // Reading the desktop's font configuration is the longest step before the window can measure
    // a text, and it needs no display: it runs on the second core while the display is opened,
    // which is mostly waiting for the display server and the session bus.
    std::jthread fontConfiguration(readFontConfiguration);
    openDisplay([&] { app.emplace(argc, argv); });
    fontConfiguration.join();
    // The class the desktop groups the windows by (the entry's StartupWMClass), and the desktop
    // entry's name, which is the AppStream id; every error box keeps the title "Veldrun 2.0c".
    QApplication::setApplicationName(QStringLiteral("veldrun"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.veldrun.veldrun"));
    // The reader goes with the main window, shown or not.
    QApplication::setQuitOnLastWindowClosed(false);

    MainWindow window;
    QApplication::setWindowIcon(window.windowIcon());
    QObject::connect(&window, &MainWindow::closed, &*app, &QApplication::quit);

    QtPictures pictures;
    QtErrorBox boxes(&window);
    ErrorBox& errors = overrides.errors ? *overrides.errors : boxes;
    ClockRandom random;
    FluidSynthPlayer music;
    // The tune drawn at start is checked at once, so its file's fault is said in its place among
    // start-up's boxes, before the window. FluidSynth, its SoundFont and the audio output are
    // loaded only after the first frame: its forty libraries and the synthesizer alone cost a
    // fifth of the window's time, so a machine without sound output hears of it just after.
    music.hold();
    QtEmulatorSession emulator;
    // What the emulator does by itself (it starts, answers, ends) reaches the form like an event.
    emulator.setChangeNotice([&window] {
        QMetaObject::invokeMethod(
            &window, [&window] { window.dispatch(&TForm1::sessionChange); }, Qt::QueuedConnection);
    });
    QtDesktopShell shell;
    QtQuestionBox questions(&window);
    TForm1 form{Services{pictures, music, emulator, shell, errors, window, random, questions}};
    window.bind(form);
    reportMusicFailures(music, window);
    SoftwareDbIdentifier cartridges;
    window.setCartridgeIdentifier(cartridges);

    // Form1 first, with its creation handler. The reader's window is made when it is first
    // shown: until then the form's reader model holds all there is to show.
    window.dispatch(&TForm1::FormCreate);

    auto firstFrame = finishAfterFirstFrame(window, music, overrides.atFirstFrame);
    window.show();
    app->exec();

    // Shutdown closes the tune; a started emulator keeps running (the session lets it go).
    music.close();
    return 0;
}
