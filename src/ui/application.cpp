#include "ui/application.h"

#include "form/tform1.h"
#include "platform/clock_random.h"
#include "platform/fluidsynth_player.h"
#include "platform/qt_desktop_shell.h"
#include "platform/qt_pictures.h"
#include "platform/qt_process_starter.h"
#include "ui/Unit2.h"
#include "ui/msx.h"
#include "ui/qt_error_box.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace {

// Ends the loop at the main window's first exposed frame (start-up timing only).
class FirstFrameQuitter : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose || event->type() == QEvent::Paint) {
            QTimer::singleShot(0, qApp, &QApplication::quit);
            watched->removeEventFilter(this);
        }
        return false;
    }
};

// For timing: a message is written to the error stream instead of waiting for a person.
class StreamErrorBox : public ErrorBox {
  public:
    void show(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
};

} // namespace

int runVeldrun(int argc, char** argv, bool quitOnFirstFrame)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veldrun 2.0c"));
    // The reader goes with the main window, shown or not.
    QApplication::setQuitOnLastWindowClosed(false);

    MainWindow window;
    QApplication::setWindowIcon(window.windowIcon());
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);

    QtPictures pictures;
    QtErrorBox boxes(&window);
    StreamErrorBox stream;
    ErrorBox& errors = quitOnFirstFrame ? static_cast<ErrorBox&>(stream) : boxes;
    ClockRandom random;
    FluidSynthPlayer music;
    QtProcessStarter processes;
    QtDesktopShell shell;
    TForm1 form{Services{pictures, music, processes, shell, errors, window, random}};
    window.bind(form);

    // Form1 first, with its creation handler; then the reader, hidden.
    window.dispatch(&TForm1::FormCreate);
    ReaderWindow reader(form.reader);
    window.setReaderShower([&reader] {
        reader.refresh();
        reader.showAndRaise();
    });
    window.setMirrorFollower([&reader] { reader.refresh(); });

    FirstFrameQuitter quitter;
    if (quitOnFirstFrame)
        window.installEventFilter(&quitter);
    window.show();
    app.exec();

    // Shutdown closes the tune; a started emulator keeps running.
    music.close();
    return 0;
}
