// Which control event reaches which handler of TForm1, and which widget shows which part of the
// form's state. bind finds every widget the tables name once; bindControls and mirror walk them.

#include "form/tform1.h"
#include "platform/qt_pictures.h"
#include "ui/bridge_tips.h"
#include "ui/cartridge_tips.h"
#include "ui/control_layout.h"
#include "ui/file_browser.h"
#include "ui/main_window.h"
#include "ui/openmsx_machines.h"
#include "ui/reader_window.h"
#include "ui/spin_button.h"
#include "ui/widget_lookup.h"
#include "ui/window_art.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTreeWidget>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

using Handler = void (TForm1::*)();

// A user's choice in a list selects it in the form, then runs the list's handler.
struct ListBinding {
    const char* control;
    OptionList LauncherState::*list;
    Handler handler;
};

const ListBinding listBindings[] = {
    {"computer", &LauncherState::computer, &TForm1::computerClick},
    {"slota", &LauncherState::slota, &TForm1::computerClick},
    {"slotb", &LauncherState::slotb, &TForm1::computerClick},
    {"freq", &LauncherState::freq, &TForm1::freqClick},
    {"Sram", &LauncherState::Sram, &TForm1::SRamClick},
    {"Svram", &LauncherState::Svram, &TForm1::SvramClick},
    {"resolutie", &LauncherState::resolutie, &TForm1::resolutieClick},
    {"sccselect", &LauncherState::sccselect, &TForm1::sccselectClick},
    {"FMPACselect", &LauncherState::FMPACselect, &TForm1::FMPACselectClick},
    {"sadapter", &LauncherState::sadapter, &TForm1::sadapterClick},
    {"vgabox", &LauncherState::vgabox, &TForm1::sadapterClick},
    {"spritegroup", &LauncherState::spritegroup, &TForm1::spritegroupChange},
    {"syncbox", &LauncherState::syncbox, &TForm1::spritegroupChange},
    {"vdpgroup", &LauncherState::vdpgroup, &TForm1::vdpgroupChange},
};

// A track bar moved by the user sets the form's track bar, which runs its change handler: the
// form's trackBarBindings.

// Buttons and menu items: a click runs the handler.
struct ClickBinding {
    const char* control;
    Handler handler;
};

const ClickBinding clickBindings[] = {
    {"Clear1", &TForm1::Clear1Click},
    {"Clear2", &TForm1::Clear2Click},
    {"Moveknop", &TForm1::MoveknopClick},
    {"Button1", &TForm1::Button1Click},
    {"Button3", &TForm1::Button3Click},
    {"Button2", &TForm1::Button2Click},
    {"startknop", &TForm1::startknopClick},
    {"endknop", &TForm1::endknopClick},
    {"Loadknop", &TForm1::LoadknopClick},
    {"Saveknop", &TForm1::Save1Click},
    {"next", &TForm1::nextClick},
    {"stopmusic", &TForm1::stopmusicClick},
    {"Load1", &TForm1::LoadknopClick},
    {"SaveClose1", &TForm1::SaveClose1Click},
    {"Close1", &TForm1::Close1Click},
    {"Show1", &TForm1::Show1Click},
    {"Prompt1", &TForm1::Prompt1Click},
    {"Execute1", &TForm1::startknopClick},
    {"Loadsettings1", &TForm1::LoadknopClick},
    {"Save1", &TForm1::Save1Click},
    {"TULKCFG1", &TForm1::TULKCFG1Click},
    {"MSDOS1", &TForm1::MSDOS1Click},
    {"fMSX1", &TForm1::fMSX1Click},
    {"BrMSX1", &TForm1::BrMSX1Click},
    {"Pause1", &TForm1::Pause1Click},
    {"Reset1", &TForm1::Reset1Click},
    {"Stop1", &TForm1::Stop1Click},
    {"DiskA1", &TForm1::DiskA1Click},
    {"DiskB1", &TForm1::DiskB1Click},
    {"Eject1", &TForm1::Eject1Click},
    {"Screenshot1", &TForm1::Screenshot1Click},
    {"DownloadZAZURE1", &TForm1::DownloadZAZURE1Click},
    {"Downloademulator1", &TForm1::Downloademulator1Click},
    {"TULKonline1", &TForm1::TULKonline1Click},
    {"Lookforupdate1", &TForm1::Lookforupdate1Click},
    {"fmsxhelp", &TForm1::fmsxhelpClick},
    {"GotoMSXDatabase1", &TForm1::GotoMSXDatabase1Click},
    {"ContactUS1", &TForm1::ContactUS1Click},
    {"About1", &TForm1::About1Click},
};

// Texts of the form shown by a label or an edit.
struct TextBinding {
    const char* control;
    std::string LauncherState::*text;
};

const TextBinding textBindings[] = {
    {"Label12", &LauncherState::Label12},       {"Label13", &LauncherState::Label13},
    {"speedlabel", &LauncherState::speedlabel}, {"slotatext", &LauncherState::slotatext},
    {"slotbtext", &LauncherState::slotbtext},   {"diskatext", &LauncherState::diskatext},
    {"diskbtext", &LauncherState::diskbtext},   {"default", &LauncherState::default_},
    {"start", &LauncherState::start},           {"editline", &LauncherState::editline},
};

// The picture boxes; the first three show a picture stored with the window until one is loaded.
struct PictureBinding {
    const char* control;
    PictureBox TForm1::*picture;
    const char* stored;
};

const PictureBinding pictureBindings[] = {
    {"cpupic", &TForm1::cpupic, window_art::machine},
    {"fmpic", &TForm1::fmpic, window_art::fmpac},
    {"sccpic", &TForm1::sccpic, window_art::scc},
    {"gamepic", &TForm1::gamepic, nullptr},
};

struct MenuStateBinding {
    const char* control;
    MenuItem TForm1::*item;
};

const MenuStateBinding menuStateBindings[] = {
    {"Show1", &TForm1::Show1},   {"fMSX1", &TForm1::fMSX1},
    {"BrMSX1", &TForm1::BrMSX1}, {"Pause1", &TForm1::Pause1},
    {"Reset1", &TForm1::Reset1}, {"Stop1", &TForm1::Stop1},
    {"DiskA1", &TForm1::DiskA1}, {"DiskB1", &TForm1::DiskB1},
    {"Eject1", &TForm1::Eject1}, {"Screenshot1", &TForm1::Screenshot1},
};

// Shown and hidden together by "&Show" / "&Hide".
const char* const commandArea[] = {"emuname", "editline", "Label6", "start"};

// A table's row and the widget it names.
template <class Binding, class W> struct Bound {
    const Binding* binding;
    W* widget;
};

template <class W, class Binding, std::size_t n>
std::vector<Bound<Binding, W>> resolve(const QObject* parent, const Binding (&table)[n])
{
    std::vector<Bound<Binding, W>> bound;
    for (const Binding& b : table)
        bound.push_back({&b, requireChild<W>(parent, b.control)});
    return bound;
}

QString shown(const std::string& s) { return QString::fromLocal8Bit(s); }

std::string stored(const QString& s) { return s.toLocal8Bit().toStdString(); }

} // namespace

struct MainWindow::Controls {
    std::vector<Bound<ListBinding, QComboBox>> lists;
    std::vector<Bound<TrackBarBinding, QSlider>> tracks;
    std::vector<Bound<ClickBinding, QObject>> clicks;
    std::vector<Bound<TextBinding, QWidget>> texts;
    std::vector<Bound<PictureBinding, QLabel>> pictures;
    std::vector<Bound<MenuStateBinding, QAction>> menuStates;
    std::vector<QWidget*> commandAreaWidgets;
    QCheckBox* painterbox;
    QLineEdit* editline;
    QLineEdit* editname;
    SpinButton* spin;
    QTreeWidget* tree;
    QLabel* sessionstate;

    Controls(QWidget* window, QWidget* panel)
        : lists(resolve<QComboBox>(panel, listBindings)), tracks(resolve<QSlider>(panel, trackBarBindings)),
          clicks(resolve<QObject>(window, clickBindings)), texts(resolve<QWidget>(panel, textBindings)),
          pictures(resolve<QLabel>(panel, pictureBindings)),
          menuStates(resolve<QAction>(window, menuStateBindings)),
          painterbox(requireChild<QCheckBox>(panel, "painterbox")),
          editline(requireChild<QLineEdit>(panel, "editline")),
          editname(requireChild<QLineEdit>(panel, "editname")),
          spin(requireChild<SpinButton>(panel, "SpinButton1")),
          tree(requireChild<QTreeWidget>(panel, "TreeView1")),
          sessionstate(requireChild<QLabel>(window, "sessionstate"))
    {
        for (const char* name : commandArea)
            commandAreaWidgets.push_back(requireChild<QWidget>(panel, name));
    }
};

void MainWindow::ControlsDeleter::operator()(Controls* controls) const { delete controls; }

void MainWindow::bind(TForm1& form)
{
    form_ = &form;
    controls_.reset(new Controls(this, panel_));
    form.FileListBox1 = browser_->listBox();
    form.editname = browser_->nameBytes().toStdString();
    for (const PictureBinding& b : pictureBindings) {
        PictureBox& box = form.*b.picture;
        if (b.stored && !box.picture)
            box.picture = std::make_shared<QtImage>(window_art::picture(b.stored));
    }
    for (const auto& [b, slider] : controls_->tracks) {
        const TrackBar& bar = form.state.*b->bar;
        slider->setRange(bar.min(), bar.max());
        // PageUp and PageDown move a fiftieth of a long range (ten of the CPU speed's 500), one step of a
        // short one.
        slider->setPageStep(std::max(1, (bar.max() - bar.min() + 1) / 50));
    }
    bindControls();
    connectOpenMsxMachinesItem(menuBar(), [this] { return form_ ? form_->state.default_ : std::string(); });
    mirror();
}

void MainWindow::bindControls()
{
    for (const auto& [b, box] : controls_->lists) {
        connect(box, &QComboBox::activated, this,
                [this, b](int index) { chooseListItem(b->control, index); });
    }
    for (const auto& [b, slider] : controls_->tracks) {
        connect(slider, &QSlider::valueChanged, this, [this, b](int value) {
            dispatch([this, b, value] { (form_->state.*b->bar).setPosition(value); });
        });
    }
    for (const auto& [b, control] : controls_->clicks) {
        const Handler handler = b->handler;
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            connect(button, &QAbstractButton::clicked, this, [this, handler] { dispatch(handler); });
        else if (auto* action = qobject_cast<QAction*>(control))
            connect(action, &QAction::triggered, this, [this, handler] { dispatch(handler); });
        else
            qFatal("%s is neither a button nor a menu item", b->control);
    }

    connect(controls_->spin, &SpinButton::upClicked, this, [this] { dispatch(&TForm1::SpinButton1UpClick); });
    connect(controls_->spin, &SpinButton::downClicked, this,
            [this] { dispatch(&TForm1::SpinButton1DownClick); });
    connect(controls_->painterbox, &QCheckBox::clicked, this, [this] {
        dispatch([this] {
            form_->state.painterbox.click();
            form_->painterboxClick();
        });
    });
    // The catalogue tree's selection change.
    connect(controls_->tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        dispatch([this, current] {
            const std::string text = current ? stored(current->text(0)) : std::string();
            form_->TreeView1Change(current ? &text : nullptr);
        });
    });

    // Typed text belongs to the form at once, so that mirroring never takes it back.
    connect(controls_->editline, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_->state.editline = stored(text); });
    connect(controls_->editname, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_->editname = stored(text); });
}

void MainWindow::chooseListItem(const char* control, int index)
{
    for (const ListBinding& b : listBindings) {
        if (std::string_view(b.control) != control)
            continue;
        dispatch([this, b, index] {
            (form_->state.*b.list).select(index);
            (form_->*b.handler)();
        });
    }
}

void MainWindow::mirror()
{
    if (!form_)
        return;
    const TForm1& form = *form_;
    const LauncherState& state = form.state;

    // The bridge stands in for fmsx-dos.exe, whatever case the menu writes it in.
    const bool bridge = QString::fromStdString(state.emulatorexe)
                            .compare(QLatin1String("fmsx-dos.exe"), Qt::CaseInsensitive) == 0;
    if (bridge != bridgeTipsShown_) {
        bridgeTipsShown_ = bridge;
        showBridgeTips(panel_, bridge);
    }
    for (const auto& [b, box] : controls_->lists) {
        const QSignalBlocker block(box);
        box->setCurrentIndex((state.*b->list).index());
    }
    for (const auto& [b, slider] : controls_->tracks) {
        const QSignalBlocker block(slider);
        slider->setValue((state.*b->bar).position());
    }
    {
        const QSignalBlocker block(controls_->painterbox);
        controls_->painterbox->setChecked(state.painterbox.checked);
    }
    for (const auto& [b, widget] : controls_->texts) {
        const QString text = shown(state.*b->text);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            // A new line is shown from its start: the ROM path comes first.
            if (edit->text() != text) {
                edit->setText(text);
                edit->setCursorPosition(0);
            }
        } else {
            setLabelCaption(widget, text);
        }
    }
    if (controls_->editname->text() != shown(form.editname))
        controls_->editname->setText(shown(form.editname));
    for (QWidget* widget : controls_->commandAreaWidgets)
        widget->setVisible(form.commandAreaShown);
    for (const auto& [b, label] : controls_->pictures) {
        showPicture(label, (form.*b->picture).picture);
        label->setVisible((form.*b->picture).visible);
    }
    for (const auto& [b, action] : controls_->menuStates) {
        const MenuItem& item = form.*b->item;
        action->setText(shown(item.caption));
        action->setChecked(item.checked);
        action->setEnabled(item.enabled);
        action->setToolTip(shown(item.hint)); // empty: the caption, as Qt makes it
    }
    // A long reason is cut to the label's width; the whole of it is its tooltip.
    QLabel* sessionState = controls_->sessionstate;
    const QString sessionText = shown(form.sessionstate);
    sessionState->setText(sessionState->fontMetrics().elidedText(sessionText, Qt::ElideRight,
                                                                 sessionState->contentsRect().width()));
    sessionState->setToolTip(sessionText);
    if (cartridgeTips_)
        cartridgeTips_->follow(state);
    if (reader_)
        reader_->refresh();
}

void MainWindow::showPicture(QObject* control, const ImagePtr& picture)
{
    ImagePtr& current = shownPictures_[control];
    if (current == picture)
        return;
    current = picture;
    auto* label = static_cast<QLabel*>(control);
    if (const auto* image = dynamic_cast<const QtImage*>(picture.get()))
        label->setPixmap(QPixmap::fromImage(image->image()));
    else
        label->clear();
}
