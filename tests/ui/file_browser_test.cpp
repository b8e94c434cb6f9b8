#include "window_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QStyle>
#include <QUrl>

namespace {

class Browser : public WindowTest {
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        for (const char* file : {"GAME.ROM", "b.rom", "c.Rom", "notes.txt", "disk1.dsk", "DISK2.DSK",
                                 ".hidden.rom", "*.rom", "sub/x.rom", "sub/deeper/y.rom", "other/z.rom"})
            dir.write(file, "");
        std::filesystem::create_directory(dir.file("folder.rom"));
        open();
    }

    std::string path(const char* name) const
    {
        return (root() + QLatin1Char('/') + QLatin1String(name)).toStdString();
    }

    void chooseFilter(int index) const
    {
        QTest::keyClick(find<QComboBox>("FilterComboBox1"), index == 0 ? Qt::Key_Home : Qt::Key_End);
    }
};

TEST_F(Browser, FirstShowListsMatchingFilesWhateverTheirCase)
{
    EXPECT_EQ(listed("FileListBox1"), QStringList({"b.rom", "c.Rom", "GAME.ROM"}))
        << "plain, visible files in name order; not the directory, nor a file named like the mask";
    EXPECT_EQ(find<QLineEdit>("editname")->text(), "*.rom");
    EXPECT_EQ(form->editname, "*.rom");
    EXPECT_EQ(form->FileListBox1.directory, root().toStdString());
    EXPECT_EQ(form->FileListBox1.selected, "");
    EXPECT_EQ(form->state.slotatext, "None");
    EXPECT_EQ(form->state.slotafile, "");
    EXPECT_EQ(form->state.editline.rfind(" -diska ", 0), 0u) << "the first show builds the line";
    EXPECT_EQ(QDir::currentPath(), root());
}

TEST_F(Browser, DirectoryListShowsThePathAndItsSubdirectories)
{
    const QStringList lines = listed("DirectoryListBox1");
    const QStringList parts = root().split('/', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + parts.size() + 3);
    EXPECT_EQ(lines.front(), "/");
    EXPECT_EQ(lines.mid(1, parts.size()), parts);
    EXPECT_EQ(lines.mid(1 + parts.size()), QStringList({"folder.rom", "other", "sub"}));
    EXPECT_EQ(find<QListWidget>("DirectoryListBox1")->currentItem()->text().trimmed(), parts.back());
}

TEST_F(Browser, TypingADirectorysNameFindsItAndReturnOpensIt)
{
    auto* directories = find<QListWidget>("DirectoryListBox1");
    directories->setFocus();
    QTest::keyClicks(directories, "su");
    ASSERT_NE(directories->currentItem(), nullptr);
    EXPECT_EQ(directories->currentItem()->text(), "sub") << "the line's text is the bare name";
    QTest::keyClick(directories, Qt::Key_Return);
    EXPECT_EQ(QDir::currentPath(), root() + "/sub");
    EXPECT_EQ(listed("FileListBox1"), QStringList({"x.rom"}));
}

TEST_F(Browser, SelectingARomFillsSlotOne)
{
    click("FileListBox1", "GAME.ROM");
    EXPECT_EQ(form->state.slotafile, path("GAME.ROM"));
    EXPECT_EQ(labelText("slotatext"), "GAME.ROM");
    EXPECT_EQ(find<QLineEdit>("editname")->text(), "GAME.ROM");
    EXPECT_EQ(form->state.editline.rfind(path("GAME.ROM") + " -diska ", 0), 0u) << form->state.editline;

    click("FileListBox1", "b.rom");
    EXPECT_EQ(form->state.slotafile, path("b.rom"));
    EXPECT_EQ(labelText("slotatext"), "b.rom");
    EXPECT_EQ(labelText("slotbtext"), "None");
}

TEST_F(Browser, SelectingTheSelectedFileRaisesNothing)
{
    click("FileListBox1", "GAME.ROM");
    form->state.editline = "stale";
    click("FileListBox1", "GAME.ROM");
    EXPECT_EQ(form->state.editline, "stale");
    QTest::keyClick(find<QListView>("FileListBox1"), Qt::Key_Down);
    EXPECT_EQ(find<QListView>("FileListBox1")->currentIndex().data().toString(), "GAME.ROM")
        << "already the last line";
    EXPECT_EQ(form->state.editline, "stale");
}

TEST_F(Browser, DirectoryChangeRefillsKeepsTheCartridgeAndMovesTheCurrentDirectory)
{
    click("FileListBox1", "GAME.ROM");
    click("DirectoryListBox1", "sub", true);
    EXPECT_EQ(QDir::currentPath(), root() + "/sub");
    EXPECT_EQ(form->FileListBox1.directory, path("sub"));
    EXPECT_EQ(listed("FileListBox1"), QStringList({"x.rom"}));
    EXPECT_EQ(find<QLineEdit>("editname")->text(), "*.rom");
    EXPECT_EQ(form->state.slotafile, path("GAME.ROM")) << "a refill leaves the cartridge";
    EXPECT_EQ(labelText("slotatext"), "GAME.ROM");

    // Back up through the path line of the parent, with the keyboard this time.
    click("DirectoryListBox1", root().section('/', -1));
    QTest::keyClick(find<QListWidget>("DirectoryListBox1"), Qt::Key_Return);
    EXPECT_EQ(QDir::currentPath(), root());
    EXPECT_EQ(listed("FileListBox1"), QStringList({"b.rom", "c.Rom", "GAME.ROM"}));
}

TEST_F(Browser, RefillWithAnEmptySlotLeavesItEmpty)
{
    click("FileListBox1", "GAME.ROM");
    QTest::mouseClick(find<QAbstractButton>("Clear1"), Qt::LeftButton);
    EXPECT_EQ(labelText("slotatext"), "None");
    click("DirectoryListBox1", "other", true);
    EXPECT_EQ(form->state.slotafile, "");
    EXPECT_EQ(labelText("slotatext"), "None");
    EXPECT_EQ(form->state.editline.rfind(" -diska ", 0), 0u);
}

TEST_F(Browser, DiskFilterFeedsDriveAAndResetsDriveBWhileDriveAIsFree)
{
    form->state.diskafile = "drivea.dsk";
    form->state.diskbfile = "saved.dsk";
    form->state.diskbtext = "saved.dsk";
    chooseFilter(1);
    EXPECT_EQ(listed("FileListBox1"), QStringList({"disk1.dsk", "DISK2.DSK"}));
    EXPECT_EQ(find<QLineEdit>("editname")->text(), "*.dsk");
    EXPECT_EQ(labelText("diskatext"), "drivea.dsk");
    EXPECT_EQ(labelText("diskbtext"), "driveb.dsk");
    EXPECT_EQ(form->state.diskbfile, "driveb.dsk");

    click("FileListBox1", "DISK2.DSK");
    EXPECT_EQ(form->state.diskafile, "DISK2.DSK");
    EXPECT_EQ(labelText("diskatext"), "DISK2.DSK");
    EXPECT_NE(form->state.editline.find("-diska default/disks/DISK2.DSK"), std::string::npos)
        << form->state.editline;

    // Drive A holds an image now: switching filters leaves both drives as they are.
    QTest::mouseClick(find<QAbstractButton>("Button2"), Qt::LeftButton);
    EXPECT_EQ(labelText("diskbtext"), "DISK2.DSK");
    click("FileListBox1", "disk1.dsk");
    chooseFilter(0);
    chooseFilter(1);
    EXPECT_EQ(labelText("diskatext"), "disk1.dsk");
    EXPECT_EQ(labelText("diskbtext"), "DISK2.DSK");
}

TEST_F(Browser, RomFilterAgainLeavesDrivesAndFillsSlotOne)
{
    chooseFilter(1);
    click("FileListBox1", "disk1.dsk");
    chooseFilter(0);
    EXPECT_EQ(find<QLineEdit>("editname")->text(), "*.rom");
    EXPECT_EQ(labelText("diskatext"), "disk1.dsk");
    EXPECT_EQ(labelText("slotatext"), "None");
    click("FileListBox1", "c.Rom");
    EXPECT_EQ(labelText("slotatext"), "c.Rom");
    EXPECT_EQ(labelText("diskatext"), "disk1.dsk");
}

TEST_F(Browser, MovingAndClearingFromTheWindow)
{
    click("FileListBox1", "GAME.ROM");
    QTest::mouseClick(find<QAbstractButton>("Moveknop"), Qt::LeftButton);
    EXPECT_EQ(labelText("slotatext"), "None");
    EXPECT_EQ(labelText("slotbtext"), "GAME.ROM");
    EXPECT_EQ(form->state.slotbfile, " " + path("GAME.ROM"));
    QTest::mouseClick(find<QAbstractButton>("Clear2"), Qt::LeftButton);
    EXPECT_EQ(labelText("slotbtext"), "None");
    QTest::mouseClick(find<QAbstractButton>("Button3"), Qt::LeftButton);
    EXPECT_EQ(form->state.diskbfile, "driveb.dsk ");
    QTest::mouseClick(find<QAbstractButton>("Button1"), Qt::LeftButton);
    EXPECT_EQ(labelText("diskatext"), "drivea.dsk");
}

TEST_F(Browser, DrivesOfferRootAndHomeAndMoveTheDirectoryList)
{
    const QStringList roots = FileBrowser::driveRoots();
    ASSERT_GE(roots.size(), 1);
    EXPECT_EQ(roots.front(), "/");
    EXPECT_TRUE(roots.contains(QDir(QDir::homePath()).absolutePath()) || QDir::homePath() == "/");
    auto* drives = find<QComboBox>("DriveComboBox1");
    EXPECT_EQ(drives->count(), roots.size());
    EXPECT_EQ(drives->currentText(), "/") << "the temporary directory lies on the root";

    window->fileBrowser().chooseDrive(0);
    EXPECT_EQ(window->fileBrowser().directory(), root()) << "the drive already shown changes nothing";
    if (roots.size() > 1) {
        window->fileBrowser().chooseDrive(1);
        EXPECT_EQ(QDir::currentPath(), QDir(roots[1]).canonicalPath());
        EXPECT_EQ(drives->currentIndex(), 1);
    }
}

TEST_F(Browser, FolderThatCannotBeOpenedIsRefusedWithAWord)
{
    // Listed, then removed before the user opens it.
    std::filesystem::create_directory(dir.file("gone"));
    window->fileBrowser().openDirectory(root() + "/sub");
    window->fileBrowser().openDirectory(root());
    std::filesystem::remove(dir.file("gone"));
    form->state.editline = "stale";
    click("DirectoryListBox1", "gone", true);
    EXPECT_EQ(window->fileBrowser().directory(), root());
    EXPECT_EQ(QDir::currentPath(), root());
    EXPECT_EQ(form->state.editline, "stale");
    EXPECT_EQ(fakes.errors.messages, std::vector<std::string>{"Cannot open folder " + path("gone")});
}

TEST_F(Browser, FirstArrowKeySelectsTheFirstFile)
{
    auto* files = find<QListView>("FileListBox1");
    files->setFocus();
    QTest::keyClick(files, Qt::Key_Down);
    EXPECT_EQ(labelText("slotatext"), "b.rom");
}

TEST_F(Browser, NameInAnyEncodingIsListedPickedAndLaunchedAsItsBytes)
{
    const std::string latin1 = "caf\xe9.rom"; // not valid UTF-8
    dir.write(latin1, "");
    form->state.default_ = root().toStdString();
    window->fileBrowser().refill();
    auto* files = find<QListView>("FileListBox1");
    const auto found = files->model()->match(files->model()->index(0, 0), Qt::DisplayRole, "caf", -1);
    ASSERT_EQ(found.size(), 1);
    files->setCurrentIndex(found.front());
    EXPECT_EQ(form->state.slotafile, path("") + latin1);
    QTest::mouseClick(find<QAbstractButton>("startknop"), Qt::LeftButton);
    const std::string written = readFile(root().toStdString() + "/TULK.CFG");
    EXPECT_EQ(written.rfind(path("") + latin1 + " -diska ", 0), 0u) << written;

    // A folder named so is listed and entered as its bytes too.
    const std::string folder = "d\xe9mos";
    dir.write(folder + "/y.rom", "");
    window->fileBrowser().openDirectory(root() + "/sub");
    window->fileBrowser().openDirectory(root());
    click("DirectoryListBox1", QFile::decodeName(QByteArray::fromStdString(folder)), true);
    EXPECT_EQ(window->fileBrowser().directoryBytes().toStdString(), path("") + folder);
    EXPECT_EQ(std::filesystem::current_path().native(), path("") + folder);
    EXPECT_EQ(listed("FileListBox1"), QStringList({"y.rom"}));
}

// A file dropped on the window is picked as in the browser; anything else is refused.
TEST_F(Browser, DroppedFilesArePickedAsInTheBrowser)
{
    dir.write("sub/tape.MX1", "");
    dir.write("d\xe9mos/caf\xe9.rom", ""); // neither name is valid UTF-8
    struct Drop {
        const char* file;
        const char* slot; // the caption that shows it
        const char* caption;
        const char* folder; // the browser's folder afterwards
        const char* filter; // what the filter list shows afterwards
        bool refused;
    };
    for (const Drop& d :
         {Drop{"GAME.ROM", "slotatext", "GAME.ROM", "", "MSX-Roms", false},
          Drop{"DISK2.DSK", "diskatext", "DISK2.DSK", "", "MSX-Disks", false},
          Drop{"sub/tape.MX1", "slotatext", "tape.MX1", "sub", "MSX-Roms", false},
          Drop{"d\xe9mos/caf\xe9.rom", "slotatext", "caf\xe9.rom", "d\xe9mos", "MSX-Roms", false},
          Drop{"other", "slotatext", "caf\xe9.rom", "other", "MSX-Roms", false},
          Drop{"notes.txt", "slotatext", "caf\xe9.rom", "other", "MSX-Roms", true}}) {
        SCOPED_TRACE(d.file);
        fakes.errors.messages.clear();
        QMimeData data;
        const QByteArray file = QFile::encodeName(root()) + '/' + d.file;
        data.setUrls({QUrl::fromEncoded("file://" + file.toPercentEncoding("/"))});
        QDragEnterEvent enter(QPoint(400, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(400, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &drop);
        EXPECT_EQ(labelText(d.slot), QFile::decodeName(d.caption));
        EXPECT_EQ(std::filesystem::current_path().native(),
                  *d.folder ? path("") + d.folder : root().toStdString());
        EXPECT_EQ(find<QComboBox>("FilterComboBox1")->currentText(), d.filter);
        EXPECT_EQ(fakes.errors.messages.size(), d.refused ? 1u : 0u);
    }
    EXPECT_EQ(form->state.slotafile, path("") + "d\xe9mos/caf\xe9.rom");
    EXPECT_EQ(form->state.diskafile, "DISK2.DSK");
    EXPECT_EQ(fakes.questions.asked.size(), 1u) << "the disk lies outside the disks folder";
}

// The picture of each line: the open folder for the path down to the listed directory, the
// closed one for its subdirectories, the drive for each drive.
void expectFolderPictures(QListWidget* directories, QComboBox* drives)
{
    const QStyle* style = QApplication::style();
    const QImage open = style->standardIcon(QStyle::SP_DirOpenIcon).pixmap(16).toImage();
    const QImage closed = style->standardIcon(QStyle::SP_DirClosedIcon).pixmap(16).toImage();
    const QImage drive = style->standardIcon(QStyle::SP_DriveHDIcon).pixmap(16).toImage();
    const int current = directories->currentRow();
    for (int i = 0; i < directories->count(); ++i) {
        SCOPED_TRACE(directories->item(i)->text().toStdString());
        EXPECT_EQ(directories->item(i)->icon().pixmap(16).toImage(), i <= current ? open : closed);
    }
    for (int i = 0; i < drives->count(); ++i)
        EXPECT_EQ(drives->itemIcon(i).pixmap(16).toImage(), drive);
}

TEST_F(Browser, FolderAndDrivePicturesBeforeAndAfterTheDesktopsAreTaken)
{
    // Without a desktop icon theme (as here) Qt's own pictures are the style's too.
    auto* directories = find<QListWidget>("DirectoryListBox1");
    auto* drives = find<QComboBox>("DriveComboBox1");
    expectFolderPictures(directories, drives);
    window->fileBrowser().useDesktopIcons();
    expectFolderPictures(directories, drives);
    window->fileBrowser().openDirectory(root() + "/sub");
    expectFolderPictures(directories, drives);
}

} // namespace
