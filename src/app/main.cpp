#include "form/tform1.h"
#include "platform/clock_random.h"
#include "platform/qt_pictures.h"
#include "ui/msx.h"
#include "ui/qt_error_box.h"

#include <QApplication>

namespace {

// Stand-ins for the music player, the process starter and the desktop shell until their
// adapters join the program: they do nothing and report nothing.
struct SilentMusic : MusicPlayer {
    void open(const std::string&) override {}
    void play() override {}
    void stop() override {}
    void close() override {}
    MusicState state() const override { return MusicState::NoTune; }
};
struct NoProcesses : ProcessStarter {
    void start(const std::string&, const std::vector<std::string>&) override {}
};
struct NoShell : DesktopShell {
    void openUrl(const std::string&) override {}
    void openMail(const std::string&) override {}
    void openCommandInterpreter() override {}
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veldrun 2.0c"));
    QApplication::setApplicationDisplayName(QStringLiteral("Veldrun 2.0c"));

    MainWindow window;
    QApplication::setWindowIcon(window.windowIcon());
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);

    QtPictures pictures;
    QtErrorBox errors(&window);
    ClockRandom random;
    SilentMusic music;
    NoProcesses processes;
    NoShell shell;
    TForm1 form{Services{pictures, music, processes, shell, errors, window, random}};
    window.bind(form);

    // Start-up: the application directory is where the browser opened, the directory the
    // program was started in; the drives hold their own images.
    window.dispatch([&form] {
        form.state.default_ = form.FileListBox1.directory;
        form.state.diskafile = "drivea.dsk";
        form.state.diskbfile = "driveb.dsk";
        form.state.slotafile.clear();
        form.linecreate();
    });

    window.show();
    app.exec();
    return 0;
}
