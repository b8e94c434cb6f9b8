#include "platform/qt_pictures.h"
#include "ui/spin_button.h"
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

namespace {

class Binding : public WindowTest {
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        fakes.pictures.missingIsFine = true;
        open();
        form->state.editline = "stale";
    }

    // Picks an item the way a user does with the keyboard: first item, then down.
    void choose(const char* list, int index)
    {
        auto* box = find<QComboBox>(list);
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(box, Qt::Key_Down);
    }

    bool lineHas(const std::string& fragment) const
    {
        return form->state.editline.find(fragment) != std::string::npos;
    }
};

struct ListCase {
    const char* list;
    OptionList LauncherState::*field;
    int index;
    const char* fragment; // in the rebuilt command line
};

const ListCase listCases[] = {
    {"computer", &LauncherState::computer, 0, " -msx1"},
    {"slota", &LauncherState::slota, 4, " -rom 4,-1"},
    {"slotb", &LauncherState::slotb, 5, " -rom 4,5"}, // slota keeps its choice from the row above
    {"freq", &LauncherState::freq, 1, " -ifreq 60"},
    {"Sram", &LauncherState::Sram, 2, " -ram 32"},
    {"Svram", &LauncherState::Svram, 1, " -vram 16"},
    {"resolutie", &LauncherState::resolutie, 3, " -video 3"},
    {"sccselect", &LauncherState::sccselect, 1, " -scc 1"},
    {"FMPACselect", &LauncherState::FMPACselect, 2, " -fmpac 2"},
    {"sadapter", &LauncherState::sadapter, 1, " -video 1"},
    {"vgabox", &LauncherState::vgabox, 1, " -modeswitch 1"},
    {"spritegroup", &LauncherState::spritegroup, 1, " -sprite 1"},
    {"syncbox", &LauncherState::syncbox, 1, " -sync 1"},
    {"vdpgroup", &LauncherState::vdpgroup, 2, " -adjust 2"},
};

TEST_F(Binding, UserChoiceInEachListSelectsAndRebuilds)
{
    for (const ListCase& c : listCases) {
        SCOPED_TRACE(c.list);
        form->state.editline = "stale";
        choose(c.list, c.index);
        EXPECT_EQ((form->state.*c.field).index(), c.index);
        EXPECT_EQ(find<QComboBox>(c.list)->currentIndex(), c.index);
        EXPECT_TRUE(lineHas(c.fragment)) << form->state.editline;
        EXPECT_EQ(find<QLineEdit>("editline")->text().toStdString(), form->state.editline);
    }
    EXPECT_TRUE(fakes.errors.messages.empty());
}

TEST_F(Binding, ProgramAssignmentRunsNothing)
{
    form->state.computer.select(2);
    form->state.sccselect.select(1);
    form->state.slota.select(3);
    window->mirror();
    EXPECT_EQ(find<QComboBox>("computer")->currentIndex(), 2);
    EXPECT_EQ(find<QComboBox>("slota")->currentIndex(), 3);
    EXPECT_EQ(form->state.editline, "stale");
    EXPECT_TRUE(fakes.pictures.loaded.empty()) << "no machine picture without the list's handler";

    // A track bar set by the program runs its own handler once; showing it runs nothing more.
    form->state.volbar.setPosition(9);
    EXPECT_EQ(form->state.Label12, "9");
    form->state.editline = "stale";
    window->mirror();
    EXPECT_EQ(find<QSlider>("volbar")->value(), 9);
    EXPECT_EQ(labelText("Label12"), "9");
    EXPECT_EQ(form->state.editline, "stale");
}

struct TrackCase {
    const char* bar;
    Qt::Key key;
    int position;
    const char* label;
    const char* labelText;
    const char* fragment;
};

TEST_F(Binding, TrackBarMovedByTheUserRunsItsHandlerAtEachStep)
{
    for (auto c : {TrackCase{"volbar", Qt::Key_Left, 14, "Label12", "14", " -volume 14"},
                   TrackCase{"sqbar", Qt::Key_Left, 4, "Label13", "4", " -sq 4"},
                   TrackCase{"TrackBar1", Qt::Key_Right, 101, "speedlabel", "101", " -cpuspeed 101"}}) {
        SCOPED_TRACE(c.bar);
        form->state.editline = "stale";
        QTest::keyClick(find<QSlider>(c.bar), c.key);
        EXPECT_EQ(find<QSlider>(c.bar)->value(), c.position);
        EXPECT_EQ(labelText(c.label), c.labelText);
        EXPECT_TRUE(lineHas(c.fragment)) << form->state.editline;
    }
    auto* speed = find<QSlider>("TrackBar1");
    QTest::keyClick(speed, Qt::Key_Right);
    QTest::keyClick(speed, Qt::Key_Right);
    EXPECT_EQ(form->state.speedlabel, "103");
}

TEST_F(Binding, SpinButtonStepsTheSpeedWithinItsRange)
{
    auto* spin = find<SpinButton>("SpinButton1");
    QTest::mouseClick(spin->upButton(), Qt::LeftButton);
    EXPECT_EQ(form->state.TrackBar1.position(), 101);
    EXPECT_EQ(find<QSlider>("TrackBar1")->value(), 101);
    EXPECT_EQ(labelText("speedlabel"), "101");
    EXPECT_TRUE(lineHas(" -cpuspeed 101"));
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    EXPECT_EQ(labelText("speedlabel"), "99");

    for (auto [end, button] : {std::pair{500, spin->upButton()}, {1, spin->downButton()}}) {
        form->state.TrackBar1.setPosition(end);
        form->state.editline = "stale";
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(form->state.TrackBar1.position(), end);
        EXPECT_EQ(find<QSlider>("TrackBar1")->value(), end);
        EXPECT_EQ(form->state.editline, "stale") << "nothing changed, nothing rebuilt";
    }
}

TEST_F(Binding, CheckBoxTogglesPainter)
{
    auto* box = find<QCheckBox>("painterbox");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(form->state.painterbox.checked);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(lineHas(" -painter 1"));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(form->state.painterbox.checked);
    EXPECT_FALSE(lineHas(" -painter 1"));
}

TEST_F(Binding, SoundChoicesShowAndHideTheChipPictures)
{
    choose("sccselect", 0);
    choose("FMPACselect", 0);
    EXPECT_FALSE(find("sccpic")->isVisible());
    EXPECT_FALSE(find("fmpic")->isVisible());
    choose("sccselect", 1);
    choose("FMPACselect", 3);
    EXPECT_TRUE(find("sccpic")->isVisible());
    EXPECT_TRUE(find("fmpic")->isVisible());
}

TEST_F(Binding, FailureIsShownThenTheFormIsMirrored)
{
    fakes.pictures.missingIsFine = false;
    form->state.default_ = "/nowhere";
    QTest::keyClick(find<QComboBox>("computer"), Qt::Key_End);
    EXPECT_EQ(fakes.errors.messages,
              std::vector<std::string>{"Cannot open file /nowhere/images/msx2plus.bmp"});
    EXPECT_EQ(find<QComboBox>("computer")->currentIndex(), 2);
    EXPECT_TRUE(lineHas(" -msx2+")) << "the line follows the list even without its picture";
    EXPECT_EQ(find<QLineEdit>("editline")->text().toStdString(), form->state.editline);

    window->dispatch([this] {
        form->state.slotatext = "half done";
        throw std::runtime_error("went wrong");
    });
    EXPECT_EQ(fakes.errors.messages.back(), "went wrong");
    EXPECT_EQ(labelText("slotatext"), "half done");
}

TEST_F(Binding, PicturesMenuAndCommandAreaFollowTheForm)
{
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    form->cpupic.picture = std::make_shared<QtImage>(image);
    form->gamepic.picture = std::make_shared<QtImage>(image);
    form->sccpic.visible = false;
    form->Show1.caption = "&Hide";
    form->fMSX1.checked = false;
    form->BrMSX1 = {"BrMSX", true, true, {}};
    form->commandAreaShown = true;
    form->state.start = "/app/emulator/fmsx-dos.exe @/app/TULK.CFG";
    window->mirror();

    EXPECT_EQ(find<QLabel>("cpupic")->pixmap().size(), QSize(5, 4));
    EXPECT_EQ(find<QLabel>("gamepic")->pixmap().size(), QSize(5, 4));
    EXPECT_FALSE(find("sccpic")->isVisible());
    EXPECT_EQ(find<QAction>("Show1")->text(), "&Hide");
    EXPECT_FALSE(find<QAction>("fMSX1")->isChecked());
    EXPECT_TRUE(find<QAction>("BrMSX1")->isChecked());
    EXPECT_TRUE(find<QAction>("BrMSX1")->isEnabled());
    for (const char* name : {"emuname", "editline", "Label6", "start"})
        EXPECT_TRUE(find(name)->isVisible()) << name;
    auto* start = find<QLabel>("start");
    EXPECT_EQ(start->text(), "/app/emulator/fmsx-dos.exe @/app/TULK.CFG");
    EXPECT_GE(start->width(), start->sizeHint().width()) << "a value label grows to show its caption";

    form->gamepic.clear();
    window->mirror();
    EXPECT_TRUE(find<QLabel>("gamepic")->pixmap().isNull());
}

TEST_F(Binding, LastCommandCanBeSelectedAndCopiedWithTheKeyboard)
{
    form->commandAreaShown = true;
    form->state.start = "/app/emulator/fmsx-dos.exe @/app/TULK.CFG";
    window->mirror();
    auto* start = find<QLabel>("start");
    QApplication::clipboard()->clear();
    QTest::mouseClick(start, Qt::LeftButton, {}, QPoint(2, start->height() / 2));
    QTest::keyClick(start, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(start, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "/app/emulator/fmsx-dos.exe @/app/TULK.CFG");
    EXPECT_EQ(start->text(), "/app/emulator/fmsx-dos.exe @/app/TULK.CFG") << "selecting changes nothing";
}

TEST_F(Binding, LongValuesAreElidedBeforeTheNextControlAndShownWholeInTheirTooltips)
{
    const std::string whole = "/home/ann/msx/" + std::string(80, 'n') + ".rom";
    for (auto [name, field] : {std::pair{"slotatext", &LauncherState::slotatext},
                               {"diskatext", &LauncherState::diskatext},
                               {"default", &LauncherState::default_}}) {
        SCOPED_TRACE(name);
        form->state.*field = whole;
        window->mirror();
        auto* label = find<QLabel>(name);
        EXPECT_EQ(label->text().toStdString(), whole) << "copying gives the whole text";
        EXPECT_EQ(label->toolTip().toStdString(), whole);
        EXPECT_LE(label->geometry().right(), label->parentWidget()->width());
        form->state.*field = "short.rom";
        window->mirror();
        EXPECT_NE(label->toolTip().toStdString(), "short.rom") << "its own tooltip again";
    }
}

TEST_F(Binding, RebuiltCommandLineIsShownFromItsStart)
{
    form->commandAreaShown = true;
    form->state.editline = "/roms/first.rom" + std::string(300, 'x');
    window->mirror();
    EXPECT_EQ(find<QLineEdit>("editline")->cursorPosition(), 0) << "the ROM path stays in view";
}

TEST_F(Binding, HandEditedCommandLineIsKept)
{
    form->commandAreaShown = true;
    window->mirror();
    auto* edit = find<QLineEdit>("editline");
    edit->clear();
    QTest::keyClicks(edit, "-msx1 -hand");
    EXPECT_EQ(form->state.editline, "-msx1 -hand");
    window->mirror();
    EXPECT_EQ(edit->text(), "-msx1 -hand");
}

TEST_F(Binding, WindowHost)
{
    form->reader.Caption = "About Veldrun 2.0c";
    window->showReader();
    QWidget* reader = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "reader")
            reader = w;
    ASSERT_NE(reader, nullptr);
    EXPECT_TRUE(reader->isVisible());
    form->reader.Caption = "View TULK.CFG file";
    window->mirror();
    EXPECT_EQ(reader->windowTitle(), "View TULK.CFG file") << "the reader follows every mirror";
    window->bringMainToFront();
    bool closed = false;
    QObject::connect(window.get(), &MainWindow::closed, [&] { closed = true; });
    window->closeMain();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
