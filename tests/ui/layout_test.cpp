#include "window_fixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <string_view>
#include <variant>

namespace {

// The values the window is made with live in the state it mirrors; the rows read them there.
const LauncherState fresh;
// What the control holds when the window is made: a list's selected index, a track bar's range
// and position, a check box's state; nothing for the rest.
using Value = std::variant<std::monostate, int, const TrackBar*, bool>;

struct Expected {
    const char* name;
    const char* kind;
    const char* parent;
    QRect geometry;
    const char* caption = nullptr; // nullptr: the control shows no caption
    QStringList items = {};
    Value value = {};
    bool visible = true;
};

const QStringList mappers{"Konami 8kB ", "Konami 16kB",    "Konami5 8kB  ",
                          "Konami4 8kB", "ASCII 8kB     ", "ASCII 16kB"};

// clang-format off
const Expected controls[] = {
    {"DirectoryListBox1", "QListWidget", "Panel1", {5, 5, 132, 285}},
    {"editname", "QLineEdit", "Panel1", {137, 5, 104, 21}, "*.rom"},
    {"FileListBox1", "QListView", "Panel1", {137, 27, 104, 263}},
    {"DriveComboBox1", "QComboBox", "Panel1", {5, 291, 132, 19}},
    {"FilterComboBox1", "QComboBox", "Panel1", {137, 291, 104, 21}, nullptr, {"MSX-Roms", "MSX-Disks"}, 0},
    {"Label5", "QLabel", "Panel1", {513, 291, 25, 13}, "Path:"},
    {"default", "QLabel", "Panel1", {545, 291, 46, 13}, fresh.default_.c_str()},
    {"GroupBox4", "QGroupBox", "Panel1", {245, 1, 256, 312}, "Input control"},
    {"GroupBox6", "QGroupBox", "GroupBox4", {8, 15, 241, 82}, "Cartridge slot 1"},
    {"slota", "QComboBox", "GroupBox6", {8, 24, 97, 19}, nullptr, mappers, -1},
    {"Label7", "QLabel", "GroupBox6", {112, 24, 81, 13}, "Cartridge in slot1:"},
    {"slotatext", "QLabel", "GroupBox6", {112, 48, 37, 13}, fresh.slotatext.c_str()},
    {"Clear1", "QPushButton", "GroupBox6", {8, 48, 97, 25}, "Remove rom"},
    {"GroupBox7", "QGroupBox", "GroupBox4", {7, 104, 242, 81}, "Cartridge slot 2"},
    {"slotb", "QComboBox", "GroupBox7", {8, 24, 97, 19}, nullptr, mappers, -1},
    {"Label8", "QLabel", "GroupBox7", {112, 28, 81, 13}, "Cartridge in slot2:"},
    {"slotbtext", "QLabel", "GroupBox7", {112, 52, 37, 13}, fresh.slotbtext.c_str()},
    {"Clear2", "QPushButton", "GroupBox7", {8, 48, 97, 25}, "Remove rom"},
    {"Moveknop", "QPushButton", "GroupBox4", {8, 192, 241, 17}, "Move cartridge from slot A to slot B"},
    {"drives", "QGroupBox", "GroupBox4", {8, 217, 241, 64}, "Diskdrives"},
    {"Label9", "QLabel", "drives", {8, 16, 102, 13}, "Image for diskdrive A:"},
    {"diskatext", "QLabel", "drives", {112, 16, 105, 13}, fresh.diskatext.c_str()},
    {"Button1", "QPushButton", "drives", {208, 16, 25, 17}, "->"},
    {"Label10", "QLabel", "drives", {8, 40, 102, 13}, "Image for diskdrive B:"},
    {"diskbtext", "QLabel", "drives", {112, 40, 105, 13}, fresh.diskbtext.c_str()},
    {"Button3", "QPushButton", "drives", {208, 40, 24, 17}, "->"},
    {"Button2", "QPushButton", "GroupBox4", {7, 288, 241, 17}, "Move disk from drive A to drive B"},
    {"Chips", "QGroupBox", "Panel1", {508, 1, 113, 136}, "Chipset"},
    {"computer", "QComboBox", "Chips", {8, 16, 97, 19}, nullptr, {"MSX1", "MSX2", "MSX2+"}, -1},
    {"freq", "QComboBox", "Chips", {8, 40, 97, 19}, nullptr, {"50Hz", "60Hz"}, -1},
    {"Sram", "QComboBox", "Chips", {8, 64, 97, 19}, nullptr, {"128Kb Ram", "256Kb Ram", "512Kb Ram"}, -1},
    {"Svram", "QComboBox", "Chips", {8, 88, 97, 19}, nullptr, {"128Kb Vram", "256Kb Vram", ""}, -1},
    {"resolutie", "QComboBox", "Chips", {8, 112, 97, 19}, nullptr, {"320x200", "320x240", "640x480", "256x212"}, -1},
    {"Sound", "QGroupBox", "Panel1", {628, 1, 209, 136}, "Sound"},
    {"sccselect", "QComboBox", "Sound", {8, 16, 193, 19}, nullptr, {"SCC OFF", "SCC ON"}, -1},
    {"FMPACselect", "QComboBox", "Sound", {8, 40, 193, 19}, nullptr,
     {"FM-PAC OFF", "FM-PAC OPL2 (Adlib)", "FM-PAC MPU401 (MIDI)", "FM-PAC MPU401 & OPL2"}, -1},
    {"Label3", "QLabel", "Sound", {8, 73, 35, 13}, "Volume"},
    {"volbar", "QSlider", "Sound", {48, 67, 137, 29}, nullptr, {}, &fresh.volbar},
    {"Label12", "QLabel", "Sound", {184, 72, 15, 13}, fresh.Label12.c_str()},
    {"Label4", "QLabel", "Sound", {8, 99, 32, 13}, "Quality"},
    {"sqbar", "QSlider", "Sound", {48, 98, 137, 29}, nullptr, {}, &fresh.sqbar},
    {"Label13", "QLabel", "Sound", {184, 104, 8, 13}, fresh.Label13.c_str()},
    {"Advanced", "QGroupBox", "Panel1", {508, 140, 166, 133}, "Advanced"},
    {"sadapter", "QComboBox", "Advanced", {60, 14, 97, 19}, nullptr, {"Autodetect", "S3 Chipset", "Vesa"}, -1},
    {"spritegroup", "QComboBox", "Advanced", {60, 38, 97, 19}, nullptr, {"Show all", "Limit to 4/8"}, -1},
    {"vdpgroup", "QComboBox", "Advanced", {60, 62, 97, 19}, nullptr, {"NO", "Horizontal", "Vertical", "Fully"}, -1},
    {"vgabox", "QComboBox", "Advanced", {60, 86, 97, 19}, nullptr, {"NO", "VGA"}, -1},
    {"syncbox", "QComboBox", "Advanced", {60, 110, 97, 19}, nullptr, {"NO", "All"}, -1},
    {"GroupBox5", "QGroupBox", "Panel1", {681, 140, 153, 80}, "Overclocking"},
    {"TrackBar1", "QSlider", "GroupBox5", {5, 16, 145, 25}, nullptr, {}, &fresh.TrackBar1},
    {"Label2", "QLabel", "GroupBox5", {17, 52, 57, 13}, "CPU speed:"},
    {"speedlabel", "QLabel", "GroupBox5", {79, 52, 28, 13}, fresh.speedlabel.c_str()},
    {"Label11", "QLabel", "GroupBox5", {104, 52, 16, 13}, "%"},
    {"SpinButton1", "SpinButton", "GroupBox5", {130, 47, 15, 20}},
    {"painterbox", "QCheckBox", "Panel1", {683, 227, 81, 17}, "Load painter", {}, false},
    {"stopmusic", "QPushButton", "Panel1", {680, 252, 73, 20}, "&Stop music"},
    {"next", "QPushButton", "Panel1", {760, 252, 73, 20}, "&Next music"},
    {"Loadknop", "QPushButton", "Panel1", {656, 317, 49, 20}, "&Load"},
    {"Saveknop", "QPushButton", "Panel1", {784, 317, 49, 20}, "&Save"},
    {"Image1", "QLabel", "Panel1", {648, 320, 191, 113}},
    {"endknop", "QPushButton", "Panel1", {656, 413, 49, 20}, "&Quit"},
    {"startknop", "QPushButton", "Panel1", {784, 413, 49, 20}, "&MSX!"},
    {"GroupBox2", "QGroupBox", "Panel1", {6, 313, 235, 120}, "Quicksettings starter"},
    {"TreeView1", "QTreeWidget", "GroupBox2", {8, 16, 219, 97}},
    {"GroupBox3", "QGroupBox", "Panel1", {249, 313, 395, 121}, "Selected emulation components configuration"},
    {"cpupic", "QLabel", "GroupBox3", {8, 16, 89, 97}},
    {"fmpic", "QLabel", "GroupBox3", {117, 16, 65, 97}},
    {"sccpic", "QLabel", "GroupBox3", {204, 48, 81, 41}},
    {"gamepic", "QLabel", "GroupBox3", {304, 16, 73, 97}},
    {"emuname", "QLabel", "Panel1", {9, 444, 76, 13}, "fMXS-DOS.EXE", {}, {}, false},
    {"editline", "QLineEdit", "Panel1", {88, 441, 745, 21}, nullptr, {}, {}, false},
    {"Label6", "QLabel", "Panel1", {9, 465, 72, 13}, "Last command:", {}, {}, false},
    {"start", "QLabel", "Panel1", {89, 465, 37, 13}, fresh.start.c_str(), {}, {}, false},
};
// clang-format on

QString captionOf(QWidget* w)
{
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return {};
}

class Layout : public WindowTest {};

TEST_F(Layout, EveryControlInPlaceWithItsCreationValues)
{
    open();
    for (const Expected& e : controls) {
        SCOPED_TRACE(e.name);
        QWidget* w = find(e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(w->metaObject()->className(), e.kind);
        EXPECT_EQ(w->parentWidget()->objectName(), e.parent);
        if (qobject_cast<QLabel*>(w) && w->property("autoSize").toBool()) {
            // A label that sizes itself may grow to the right to show its caption.
            EXPECT_EQ(w->pos(), e.geometry.topLeft());
            EXPECT_EQ(w->height(), e.geometry.height());
            EXPECT_GE(w->width(), e.geometry.width());
        } else {
            EXPECT_EQ(w->geometry(), e.geometry);
        }
        if (e.caption) {
            EXPECT_EQ(captionOf(w), QString::fromUtf8(e.caption));
        }
        if (auto* box = qobject_cast<QComboBox*>(w); box && !e.items.isEmpty()) {
            QStringList items;
            for (int i = 0; i < box->count(); ++i)
                items << box->itemText(i);
            EXPECT_EQ(items, e.items);
            EXPECT_FALSE(box->isEditable());
        }
        if (const int* index = std::get_if<int>(&e.value)) {
            EXPECT_EQ(qobject_cast<QComboBox*>(w)->currentIndex(), *index);
        }
        if (const auto* range = std::get_if<const TrackBar*>(&e.value)) {
            auto* bar = qobject_cast<QSlider*>(w);
            EXPECT_EQ(bar->minimum(), (*range)->min());
            EXPECT_EQ(bar->maximum(), (*range)->max());
            EXPECT_EQ(bar->value(), (*range)->position());
            EXPECT_EQ(bar->orientation(), Qt::Horizontal);
            EXPECT_EQ(bar->tickPosition(), QSlider::TicksBelow);
            EXPECT_EQ(bar->tickInterval(), 1);
        }
        if (const bool* checked = std::get_if<bool>(&e.value)) {
            EXPECT_EQ(qobject_cast<QCheckBox*>(w)->isChecked(), *checked);
        }
        EXPECT_EQ(w->isVisibleTo(window.get()), e.visible);
        // Every option, slot, drive and button says what it does.
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QSlider*>(w)) {
            EXPECT_FALSE(w->toolTip().isEmpty());
        }
        // And every control, pictures too, to assistive technology.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty());
        EXPECT_FALSE(accessible->text(QAccessible::Description).isEmpty());
    }
    EXPECT_EQ(window->findChild<QObject*>(QStringLiteral("MediaPlayer1")), nullptr)
        << "the player has no widget";
}

TEST_F(Layout, AdvancedLabelsSitRightAlignedBeforeTheirLists)
{
    open();
    for (auto [label, list, caption] : {std::tuple{"Label1", "sadapter", "Video:"},
                                        {"Label14", "spritegroup", "Sprites:"},
                                        {"Label15", "vdpgroup", "VDP emu:"},
                                        {"Label16", "vgabox", "VGA:"},
                                        {"Label17", "syncbox", "Sync VDP:"}}) {
        SCOPED_TRACE(label);
        auto* l = find<QLabel>(label);
        EXPECT_EQ(l->text(), caption);
        EXPECT_EQ(l->parentWidget()->objectName(), "Advanced");
        EXPECT_TRUE(l->alignment() & Qt::AlignRight);
        EXPECT_LE(l->geometry().right(), find(list)->x());
        EXPECT_LE(std::abs(l->geometry().center().y() - find(list)->geometry().center().y()), 2);
    }
}

TEST_F(Layout, WindowCaptionSizeIconAndPlace)
{
    open();
    EXPECT_EQ(window->windowTitle(), "TULK MSX Front-End 2.0c");
    EXPECT_EQ(window->centralWidget()->objectName(), "Panel1");
    EXPECT_EQ(window->centralWidget()->size(), QSize(841, 481));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window cannot be resized";
    EXPECT_EQ(window->height(), 481 + window->menuBar()->height());
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->windowIcon().availableSizes().value(0), QSize(64, 64));
    // Centred on the screen; on a screen too small for it (the test platform's is 800 wide) its
    // top-left corner, with the title and the menu, stays on the screen.
    const QRect room = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    for (auto [start, length, centre, roomStart, roomLength] :
         {std::tuple{frame.left(), frame.width(), frame.center().x(), room.left(), room.width()},
          {frame.top(), frame.height(), frame.center().y(), room.top(), room.height()}}) {
        if (length <= roomLength)
            EXPECT_LE(std::abs(centre - (roomStart + roomLength / 2)), 1);
        else
            EXPECT_EQ(start, roomStart);
    }
}

TEST_F(Layout, StoredPicturesAtTheirSizes)
{
    open();
    struct Picture {
        const char* name;
        QSize size; // empty: nothing stored
    };
    for (auto p : {Picture{"Image1", {193, 121}}, Picture{"cpupic", {89, 97}}, Picture{"fmpic", {106, 150}},
                   Picture{"sccpic", {122, 42}}, Picture{"gamepic", {0, 0}}}) {
        SCOPED_TRACE(p.name);
        auto* label = find<QLabel>(p.name);
        EXPECT_TRUE(label->hasScaledContents());
        EXPECT_EQ(label->pixmap().size(), p.size);
    }
}

TEST_F(Layout, VisualConventions)
{
    open();
    const QColor teal(0x008080), purple(0x800080), maroon(0x800000), black(Qt::black);
    struct Look {
        const char* name;
        QColor colour;
        bool bold, italic;
    };
    for (auto l : {Look{"GroupBox4", teal, true, false}, Look{"GroupBox6", teal, true, true},
                   Look{"GroupBox7", teal, true, true}, Look{"Chips", teal, true, false},
                   Look{"computer", purple, true, false}, Look{"slota", purple, true, false},
                   Look{"syncbox", purple, true, false}, Look{"slotatext", maroon, true, true},
                   Look{"default", maroon, true, true}, Look{"speedlabel", maroon, true, true},
                   Look{"Label11", maroon, true, true}, Look{"start", maroon, true, true},
                   Look{"Label7", black, false, false}, Look{"Label3", black, false, false},
                   Look{"Label4", black, false, false}, Look{"Label9", black, false, false},
                   Look{"startknop", black, true, false}, Look{"Button2", black, true, false},
                   Look{"editline", black, false, false}}) {
        SCOPED_TRACE(l.name);
        QWidget* w = find(l.name);
        EXPECT_EQ(w->palette().color(w->foregroundRole()), l.colour);
        EXPECT_EQ(w->font().bold(), l.bold);
        EXPECT_EQ(w->font().italic(), l.italic);
        EXPECT_EQ(w->font().pixelSize(), 11) << "one size for every label, none shrunk to fit";
    }
}

TEST_F(Layout, EveryTextReadsUnderADarkPalette)
{
    struct Restore {
        QPalette light = QApplication::palette();
        ~Restore() { QApplication::setPalette(light); }
    } restore;
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    QApplication::setPalette(dark);
    open();
    // A text may sit on the window, on a list's or an edit's base, or on a button face (a closed list).
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> onto[] = {
        {QPalette::WindowText, QPalette::Window},
        {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button},
        {QPalette::Text, QPalette::Button}};
    for (const Expected& e : controls) {
        SCOPED_TRACE(e.name);
        const QPalette& palette = find(e.name)->palette();
        for (auto [text, background] : onto)
            EXPECT_GE(contrast(palette.color(text), palette.color(background)), 4.5)
                << palette.color(text).name().toStdString() << " on "
                << palette.color(background).name().toStdString();
    }
}

// The room a control gives its text, by the style's own measure.
int textRoom(QWidget* w)
{
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        return box->style()
                   ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
                   .width() -
               2;
    }
    if (qobject_cast<QPushButton*>(w))
        return w->width() - 4;
    if (auto* box = qobject_cast<QCheckBox*>(w))
        return w->width() - box->style()->pixelMetric(QStyle::PM_IndicatorWidth) -
               box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    return qobject_cast<QLabel*>(w)->contentsRect().width();
}

TEST_F(Layout, NoCaptionOrItemWiderThanItsControlNorCrossingAnother)
{
    open();
    for (QWidget* w : window->centralWidget()->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || qobject_cast<QGroupBox*>(w))
            continue;
        SCOPED_TRACE(w->objectName().toStdString());
        QStringList texts;
        if (auto* box = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i).trimmed();
        else if (!captionOf(w).isEmpty() && !qobject_cast<QLineEdit*>(w))
            texts << QString(captionOf(w)).remove('&');
        for (const QString& text : texts) {
            EXPECT_LE(w->fontMetrics().horizontalAdvance(text), textRoom(w)) << text.toStdString();
        }
        // A label's text ends before the next control on its line, with a gap.
        if (auto* label = qobject_cast<QLabel*>(w); label && !texts.isEmpty()) {
            const int textRight = label->alignment() & Qt::AlignRight
                                      ? label->geometry().right()
                                      : label->x() + label->fontMetrics().horizontalAdvance(texts.front());
            for (QWidget* other : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const QRect o = other->geometry();
                if (other != label && o.left() > label->x() && o.top() < label->geometry().bottom() &&
                    o.bottom() > label->y()) {
                    EXPECT_LT(textRight + 1, o.left()) << other->objectName().toStdString();
                }
            }
        }
    }
}

TEST_F(Layout, GroupFrameLinesRunClearOfTheControlsInside)
{
    open();
    for (auto* group : window->centralWidget()->findChildren<QGroupBox*>()) {
        SCOPED_TRACE(group->objectName().toStdString());
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QStyle* style = group->style();
        const QRect frame =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, group);
        const QRect title =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        EXPECT_LE(title.right(), group->width()) << "the title fits";
        for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_GT(child->y(), frame.top() + 1) << child->objectName().toStdString();
    }
}

TEST_F(Layout, ListsDropDownInTheirOwnFont)
{
    open();
    // Made only when first opened, a list's drop-down still takes the list's font.
    for (const char* name : {"computer", "slota", "sccselect", "DriveComboBox1", "FilterComboBox1"}) {
        SCOPED_TRACE(name);
        auto* list = find<QComboBox>(name);
        EXPECT_EQ(list->view()->font(), list->font());
        EXPECT_EQ(list->font().bold(), std::string_view(name).find("ComboBox1") == std::string_view::npos);
    }
}

} // namespace
