#include "ui/control_layout.h"

#include "state/item_lists.h"
#include "ui/catalogue_tree_view.h"
#include "ui/control_tips.h"
#include "ui/desktop_fonts.h"
#include "ui/file_browser.h"
#include "ui/readable_colours.h"
#include "ui/spin_button.h"
#include "ui/widget_lookup.h"
#include "ui/window_art.h"
#include "ui/window_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>

#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

using K = ControlKind;
using L = Look;
constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;

// clang-format off
const ControlSpec controls[] = {
    // The file browser.
    {"DirectoryListBox1", K::DirectoryList, "Panel1", {5, 5, 132, 285}},
    {"editname", K::Edit, "Panel1", {137, 5, 104, 21}, "*.rom"},
    {"FileListBox1", K::FileList, "Panel1", {137, 27, 104, 263}},
    {"DriveComboBox1", K::DriveList, "Panel1", {5, 291, 132, 19}},
    {"FilterComboBox1", K::FilterList, "Panel1", {137, 291, 104, 21}, "", fileFilterCaptions},
    {"Label5", K::Label, "Panel1", {513, 291, 25, 13}, "Path:"},
    {"default", K::Label, "Panel1", {545, 291, 46, 13}, "default", {}, L::Value},

    // Input control: cartridge slots and disk drives.
    {"GroupBox4", K::Group, "Panel1", {245, 1, 256, 312}, "Input control", {}, L::Group},
    {"GroupBox6", K::Group, "GroupBox4", {8, 15, 241, 82}, "Cartridge slot 1", {}, L::SlotGroup},
    {"slota", K::List, "GroupBox6", {8, 24, 97, 19}, "", items::mapper, L::OptionList},
    {"Label7", K::Label, "GroupBox6", {112, 24, 81, 13}, "Cartridge in slot1:"},
    {"slotatext", K::Label, "GroupBox6", {112, 48, 37, 13}, "None", {}, L::Value},
    {"Clear1", K::Button, "GroupBox6", {8, 48, 97, 25}, "Remove rom"},
    {"GroupBox7", K::Group, "GroupBox4", {7, 104, 242, 81}, "Cartridge slot 2", {}, L::SlotGroup},
    {"slotb", K::List, "GroupBox7", {8, 24, 97, 19}, "", items::mapper, L::OptionList},
    {"Label8", K::Label, "GroupBox7", {112, 28, 81, 13}, "Cartridge in slot2:"},
    {"slotbtext", K::Label, "GroupBox7", {112, 52, 37, 13}, "None", {}, L::Value},
    {"Clear2", K::Button, "GroupBox7", {8, 48, 97, 25}, "Remove rom"},
    {"Moveknop", K::Button, "GroupBox4", {8, 192, 241, 17}, "Move cartridge from slot A to slot B"},
    {"drives", K::Group, "GroupBox4", {8, 217, 241, 64}, "Diskdrives", {}, L::Group},
    {"Label9", K::Label, "drives", {8, 16, 102, 13}, "Image for diskdrive A:"},
    {"diskatext", K::Label, "drives", {112, 16, 105, 13}, "drivea.dsk", {}, L::Value, true, false},
    {"Button1", K::Button, "drives", {208, 16, 25, 17}, "->"},
    {"Label10", K::Label, "drives", {8, 40, 102, 13}, "Image for diskdrive B:"},
    {"diskbtext", K::Label, "drives", {112, 40, 105, 13}, "driveb.dsk", {}, L::Value, true, false},
    {"Button3", K::Button, "drives", {208, 40, 24, 17}, "->"},
    {"Button2", K::Button, "GroupBox4", {7, 288, 241, 17}, "Move disk from drive A to drive B", {}, L::BoldButton},

    // Chipset.
    {"Chips", K::Group, "Panel1", {508, 1, 113, 136}, "Chipset", {}, L::Group},
    {"computer", K::List, "Chips", {8, 16, 97, 19}, "", items::computer, L::OptionList},
    {"freq", K::List, "Chips", {8, 40, 97, 19}, "", items::freq, L::OptionList},
    {"Sram", K::List, "Chips", {8, 64, 97, 19}, "", items::Sram, L::OptionList},
    {"Svram", K::List, "Chips", {8, 88, 97, 19}, "", items::Svram, L::OptionList},
    {"resolutie", K::List, "Chips", {8, 112, 97, 19}, "", items::resolutie, L::OptionList},

    // Sound.
    {"Sound", K::Group, "Panel1", {628, 1, 209, 136}, "Sound", {}, L::Group},
    {"sccselect", K::List, "Sound", {8, 16, 193, 19}, "", items::sccselect, L::OptionList},
    {"FMPACselect", K::List, "Sound", {8, 40, 193, 19}, "", items::FMPACselect, L::OptionList},
    {"Label3", K::Label, "Sound", {8, 73, 35, 13}, "Volume"},
    {"volbar", K::TrackBar, "Sound", {48, 67, 137, 29}},
    {"Label12", K::Label, "Sound", {184, 72, 15, 13}, "15"},
    {"Label4", K::Label, "Sound", {8, 99, 32, 13}, "Quality"},
    {"sqbar", K::TrackBar, "Sound", {48, 98, 137, 29}},
    {"Label13", K::Label, "Sound", {184, 104, 8, 13}, "5"},

    // Advanced: each label right-aligned before its list.
    {"Advanced", K::Group, "Panel1", {508, 140, 166, 133}, "Advanced", {}, L::Group},
    {"Label1", K::Label, "Advanced", {4, 17, 52, 13}, "Video:", {}, L::Plain, true, false, right},
    {"sadapter", K::List, "Advanced", {60, 14, 97, 19}, "", items::sadapter, L::OptionList},
    {"Label14", K::Label, "Advanced", {4, 41, 52, 13}, "Sprites:", {}, L::Plain, true, false, right},
    {"spritegroup", K::List, "Advanced", {60, 38, 97, 19}, "", items::spritegroup, L::OptionList},
    {"Label15", K::Label, "Advanced", {4, 65, 52, 13}, "VDP emu:", {}, L::Plain, true, false, right},
    {"vdpgroup", K::List, "Advanced", {60, 62, 97, 19}, "", items::vdpgroup, L::OptionList},
    {"Label16", K::Label, "Advanced", {4, 89, 52, 13}, "VGA:", {}, L::Plain, true, false, right},
    {"vgabox", K::List, "Advanced", {60, 86, 97, 19}, "", items::vgabox, L::OptionList},
    {"Label17", K::Label, "Advanced", {4, 113, 52, 13}, "Sync VDP:", {}, L::Plain, true, false, right},
    {"syncbox", K::List, "Advanced", {60, 110, 97, 19}, "", items::syncbox, L::OptionList},

    // Overclocking.
    {"GroupBox5", K::Group, "Panel1", {681, 140, 153, 80}, "Overclocking", {}, L::Group},
    {"TrackBar1", K::TrackBar, "GroupBox5", {5, 16, 145, 25}},
    {"Label2", K::Label, "GroupBox5", {17, 52, 57, 13}, "CPU speed:"},
    {"speedlabel", K::Label, "GroupBox5", {79, 52, 28, 13}, "100", {}, L::Value},
    {"Label11", K::Label, "GroupBox5", {104, 52, 16, 13}, "%", {}, L::Value},
    {"SpinButton1", K::SpinButton, "GroupBox5", {130, 47, 15, 20}},

    // Painter, music, settings and launch buttons, the logo.
    {"painterbox", K::CheckBox, "Panel1", {683, 227, 81, 17}, "Load painter"},
    {"stopmusic", K::Button, "Panel1", {680, 252, 73, 20}, "&Stop music", {}, L::BoldButton},
    {"next", K::Button, "Panel1", {760, 252, 73, 20}, "&Next music", {}, L::BoldButton},
    {"Loadknop", K::Button, "Panel1", {656, 317, 49, 20}, "&Load", {}, L::BoldButton},
    {"Saveknop", K::Button, "Panel1", {784, 317, 49, 20}, "&Save", {}, L::BoldButton},
    {"Image1", K::Picture, "Panel1", {648, 320, 191, 113}, window_art::logo},
    {"endknop", K::Button, "Panel1", {656, 413, 49, 20}, "&Quit", {}, L::BoldButton},
    {"startknop", K::Button, "Panel1", {784, 413, 49, 20}, "&MSX!", {}, L::BoldButton},

    // The catalogue.
    {"GroupBox2", K::Group, "Panel1", {6, 313, 235, 120}, "Quicksettings starter", {}, L::Group},
    {"TreeView1", K::Tree, "GroupBox2", {8, 16, 219, 97}},

    // The pictures of the chosen components, each over a sunken frame.
    {"GroupBox3", K::Group, "Panel1", {249, 313, 395, 121}, "Selected emulation components configuration", {}, L::Group},
    {"Bevel1", K::Bevel, "GroupBox3", {8, 16, 89, 97}},
    {"Bevel2", K::Bevel, "GroupBox3", {104, 16, 89, 97}},
    {"Bevel3", K::Bevel, "GroupBox3", {200, 16, 89, 97}},
    {"Bevel4", K::Bevel, "GroupBox3", {296, 16, 89, 97}},
    {"cpupic", K::Picture, "GroupBox3", {8, 16, 89, 97}, window_art::machine},
    {"fmpic", K::Picture, "GroupBox3", {117, 16, 65, 97}, window_art::fmpac},
    {"sccpic", K::Picture, "GroupBox3", {204, 48, 81, 41}, window_art::scc},
    {"gamepic", K::Picture, "GroupBox3", {304, 16, 73, 97}},

    // The command area, shown by "&Show".
    {"emuname", K::Label, "Panel1", {9, 444, 76, 13}, "fMXS-DOS.EXE", {}, L::Plain, false},
    {"editline", K::Edit, "Panel1", {88, 441, 745, 21}, "", {}, L::Plain, false},
    {"Label6", K::Label, "Panel1", {9, 465, 72, 13}, "Last command:", {}, L::Plain, false},
    // The last command can be selected and copied, to start it again by hand.
    {"start", K::Label, "Panel1", {89, 465, 37, 13}, "None", {}, L::Value, false, true, left, true},
};
// clang-format on

QString text(const char* s) { return QString::fromUtf8(s); }

QStringList itemTexts(std::span<const std::string_view> items)
{
    QStringList texts;
    for (std::string_view item : items)
        texts << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    return texts;
}

QComboBox* list(QWidget* parent, std::span<const std::string_view> items)
{
    auto* box = new QComboBox(parent);
    box->addItems(itemTexts(items));
    box->setCurrentIndex(-1);
    return box;
}

QLabel* label(QWidget* parent, const ControlSpec& control)
{
    auto* l = new ElidingLabel(text(control.caption), parent);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(control.alignment);
    l->setProperty("autoSize", control.autoSize);
    l->setProperty("madeWidth", control.geometry.width());
    if (control.selectable)
        l->setSelectable(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    else if (control.look == L::Value)
        l->setSelectable(Qt::TextSelectableByMouse);
    return l;
}

QLabel* picture(QWidget* parent, const ControlSpec& control)
{
    auto* l = new QLabel(parent);
    l->setScaledContents(true);
    l->setAlignment(Qt::AlignCenter);
    if (*control.caption)
        l->setPixmap(QPixmap::fromImage(window_art::picture(control.caption)));
    return l;
}

QSlider* trackBar(QWidget* parent)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(1);
    bar->setPageStep(1);
    return bar;
}

QFrame* bevel(QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return frame;
}

QTreeWidget* tree(QWidget* parent)
{
    auto* t = new CatalogueTree(parent);
    t->header()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return t;
}

template <class List> List* listBox(QWidget* parent)
{
    auto* l = new List(parent);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

QWidget* make(const ControlSpec& control, QWidget* parent)
{
    switch (control.kind) {
    case K::Group:
        return new QGroupBox(text(control.caption), parent);
    case K::Label:
        return label(parent, control);
    case K::Edit:
        return new QLineEdit(text(control.caption), parent);
    case K::Button:
        return new QPushButton(text(control.caption), parent);
    case K::List:
    case K::FilterList:
        return list(parent, control.items);
    case K::DriveList:
        return new QComboBox(parent);
    case K::TrackBar:
        return trackBar(parent);
    case K::CheckBox:
        return new QCheckBox(text(control.caption), parent);
    case K::SpinButton:
        return new SpinButton(parent);
    case K::Picture:
        return picture(parent, control);
    case K::Bevel:
        return bevel(parent);
    case K::Tree:
        return tree(parent);
    case K::DirectoryList:
        return listBox<QListWidget>(parent);
    case K::FileList:
        // A plain view of the folder's names: a folder of tens of thousands of ROMs is one model.
        return listBox<QListView>(parent);
    }
    return nullptr;
}

// Pictures, frames and labels are painted on their parent beneath its other controls, in the
// order of the table: a button over the logo stays clickable.
bool paintedBeneath(ControlKind kind) { return kind == K::Label || kind == K::Picture || kind == K::Bevel; }

void applyLook(QWidget* widget, Look look)
{
    static const QColor teal(0x00, 0x80, 0x80), purple(0x80, 0x00, 0x80), maroon(0x80, 0x00, 0x00);
    struct Style {
        QColor colour;
        bool bold;
        bool italic;
    };
    Style style{Qt::black, false, false};
    switch (look) {
    case L::Plain:
        break;
    case L::Group:
        style = {teal, true, false};
        break;
    case L::SlotGroup:
        style = {teal, true, true};
        break;
    case L::OptionList:
        style = {purple, true, false};
        break;
    case L::Value:
        style = {maroon, true, true};
        break;
    case L::BoldButton:
        style = {Qt::black, true, false};
        break;
    }
    QFont font = dialogFont();
    // Descriptive captions take the condensed face: the layout was drawn for a narrower font
    // than the desktop's, and one face at one size keeps them alike.
    if (look == L::Plain && (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget)))
        font.setStretch(QFont::Condensed);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    // Each control shows the font of its own look, never its group's: it is set wherever the
    // inherited font differs.
    if (auto* box = qobject_cast<QComboBox*>(widget))
        setListFont(box, font);
    else if (widget->font() != font)
        widget->setFont(font);
    setTextColour(widget, style.colour);
}

// A label that sizes itself grows to fit its caption, within its room, never below the width it
// was made with; what still does not fit is elided.
void fitLabel(ElidingLabel* l)
{
    if (l->property("autoSize").toBool()) {
        const int wanted = std::max(l->property("madeWidth").toInt(), l->sizeHint().width());
        l->resize(std::max(l->property("madeWidth").toInt(), std::min(wanted, l->room())), l->height());
    }
    l->setCaption(l->text());
}

} // namespace

std::span<const ControlSpec> mainWindowControls() { return controls; }

namespace {

QFont pickDialogFont()
{
    const QString wanted = QStringLiteral("MS Sans Serif");
    QFont font = QFontDatabase::families().contains(wanted)
                     ? QFont(wanted)
                     : withRealFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    font.setStyleHint(QFont::SansSerif);
    // The desktop's sans-serif is mostly wider than the dialog font the layout was drawn for; its
    // semi-condensed face, where it has one, keeps the captions inside their controls.
    if (font.family() != wanted)
        font.setStretch(QFont::SemiCondensed);
    font.setPixelSize(11);
    return font;
}

} // namespace

QFont dialogFont()
{
    // Chosen once per application: every control asks, and listing the font families is not free.
    static QPointer<QCoreApplication> chosenFor;
    static QFont font;
    if (chosenFor != QCoreApplication::instance()) {
        font = pickDialogFont();
        chosenFor = QCoreApplication::instance();
    }
    return font;
}

void buildControls(QWidget* panel, std::span<const ControlSpec> specs)
{
    std::vector<QWidget*> beneath;
    // A control's parent comes before it in the table.
    std::unordered_map<std::string_view, QWidget*> made{{"Panel1", panel}};
    for (const ControlSpec& control : specs) {
        QWidget* widget = make(control, made.at(control.parent));
        made.emplace(control.name, widget);
        widget->setObjectName(QLatin1String(control.name));
        widget->setGeometry(control.geometry);
        applyLook(widget, control.look);
        if (control.kind == K::List)
            fitItems(static_cast<QComboBox*>(widget));
        if (!control.visible)
            widget->setHidden(true);
        if (paintedBeneath(control.kind))
            beneath.push_back(widget);
    }
    for (auto it = beneath.rbegin(); it != beneath.rend(); ++it)
        (*it)->lower();
    // Pictures are labels too, but not eliding ones: the class has no meta-object of its own.
    for (auto* widget : panel->findChildren<QLabel*>()) {
        if (auto* label = dynamic_cast<ElidingLabel*>(widget)) {
            label->setRoom(roomOf(label));
            fitLabel(label);
        }
    }
    for (const ControlTip& t : controlTips())
        setControlTip(requireChild<QWidget>(panel, t.name), QString::fromUtf8(t.tip));
}

void setControlTip(QWidget* control, const QString& tip)
{
    if (auto* l = dynamic_cast<ElidingLabel*>(control))
        l->setOwnToolTip(tip);
    else if (control)
        control->setToolTip(tip);
}

void setLabelCaption(QWidget* widget, const QString& caption)
{
    auto* l = dynamic_cast<ElidingLabel*>(widget);
    if (!l || l->text() == caption)
        return;
    l->setCaption(caption);
    fitLabel(l);
}
