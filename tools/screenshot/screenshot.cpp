// Renders the main window, as a user sees it after picking a few settings and a cartridge, to a
// PNG file, so that its look can be reviewed without a display:
//   QT_QPA_PLATFORM=offscreen veldrun_screenshot build/screenshots/main-window.png

#include "form/tform1.h"
#include "platform/clock_random.h"
#include "platform/qt_pictures.h"
#include "ui/file_browser.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Quiet : MusicPlayer, EmulatorSession, DesktopShell, ErrorBox, WindowHost, QuestionBox {
    void open(const std::string&) override {}
    void play() override {}
    void stop() override {}
    void close() override {}
    MusicState state() const override { return MusicState::NoTune; }
    void start(const std::string&, const std::vector<std::string>&) override {}
    SessionStatus status() const override { return {}; }
    void pause(bool) override {}
    void reset() override {}
    void changeDisk(int, const std::string&) override {}
    void changeCartridge(int, const std::string&) override {}
    std::string screenshot(const std::string&) override { return {}; }
    void openUrl(const std::string&) override {}
    void openMail(const std::string&) override {}
    void openCommandInterpreter() override {}
    void show(const std::string& message) override
    {
        std::fprintf(stderr, "error box: %s\n", message.c_str());
    }
    void closeMain() override {}
    void bringMainToFront() override {}
    void showReader() override {}
    bool ask(const std::string&) override { return false; }
    void tell(const std::string&) override {}
    std::string chooseFile(const std::string&, const std::string&, const std::string&) override { return {}; }
};

// A small application directory with a few cartridges and disk images to browse.
void makeDemoDirectory(const QString& root)
{
    QDir dir(root);
    for (const char* sub : {"disks", "emulator", "images", "music"})
        dir.mkpath(QLatin1String(sub));
    for (const char* file :
         {"ALESTE.ROM", "knightmare.rom", "Nemesis2.rom", "penguin.rom", "zanac.rom", "notes.txt"}) {
        QFile f(dir.filePath(QLatin1String(file)));
        f.open(QIODevice::WriteOnly);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veldrun 2.0c"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: veldrun_screenshot <output.png>\n");
        return 2;
    }
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    QTemporaryDir temp(QDir::tempPath() + QStringLiteral("/veldrun-XXXXXX"));
    const QString appDir = temp.path() + QStringLiteral("/msx");
    makeDemoDirectory(appDir);
    QDir::setCurrent(appDir);

    MainWindow window;
    QtPictures pictures;
    ClockRandom random;
    Quiet quiet;
    TForm1 form{Services{pictures, quiet, quiet, quiet, quiet, quiet, random, quiet}};
    window.bind(form);

    // As after start-up with saved settings: the lists hold a choice, the command line is built.
    LauncherState& s = form.state;
    s.default_ = form.FileListBox1.directory;
    s.diskafile = "drivea.dsk";
    s.diskbfile = "driveb.dsk";
    for (auto [list, index] : {std::pair{&s.computer, 1},
                               {&s.freq, 0},
                               {&s.Sram, 1},
                               {&s.Svram, 0},
                               {&s.resolutie, 0},
                               {&s.sccselect, 1},
                               {&s.FMPACselect, 1},
                               {&s.sadapter, 0},
                               {&s.spritegroup, 0},
                               {&s.vdpgroup, 0},
                               {&s.vgabox, 0},
                               {&s.syncbox, 0},
                               {&s.slota, 1},
                               {&s.slotb, 0}})
        list->select(index);
    window.dispatch(&TForm1::linecreate);

    window.show();
    QApplication::processEvents();
    window.fileBrowser().selectFile(QStringLiteral("knightmare.rom"));
    QApplication::processEvents();

    QDir().mkpath(QFileInfo(output).absolutePath());
    if (!window.grab().save(output, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("%s\n", qPrintable(output));
    return 0;
}
