#include "ui/main_window.h"

#include "form/tform1.h"
#include "ui/cartridge_tips.h"
#include "ui/catalogue_tree_view.h"
#include "ui/control_layout.h"
#include "ui/control_names.h"
#include "ui/desktop_fonts.h"
#include "ui/file_browser.h"
#include "ui/main_menu.h"
#include "ui/message_box.h"
#include "ui/readable_text.h"
#include "ui/reader_window.h"
#include "ui/widget_lookup.h"
#include "ui/window_art.h"
#include "ui/window_style.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>

// Room for the state beside the menus, whose captions end well before it.
constexpr int sessionStateWidth = 330;

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), panel_(new QWidget(this))
{
    window_art::init();
    WindowStyle::applyToApplication();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("TULK MSX Front-End 2.0c"));
    setWindowIcon(window_art::programIcon());
    setFont(dialogFont());

    panel_->setObjectName(QStringLiteral("Panel1"));
    panel_->setFixedSize(841, 481);
    setCentralWidget(panel_);
    buildMainMenu(menuBar(), mainMenu());
    // The emulator's state at the right end of the menu bar: the window keeps its size and every
    // control its place, and the state sits beside the menu that acts on it.
    auto* sessionState = new QLabel(menuBar());
    sessionState->setObjectName(QStringLiteral("sessionstate"));
    sessionState->setContentsMargins(0, 0, 6, 0);
    sessionState->setFixedWidth(sessionStateWidth);
    sessionState->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    menuBar()->setCornerWidget(sessionState, Qt::TopRightCorner);
    // Until the window is laid out, the controls meet no other font than the dialog font.
    const ApplicationFontWhile madeInDialogFont(dialogFont());
    followDesktopFont(this);
    buildControls(panel_, mainWindowControls());
    nameControls(panel_);
    showTipsAsPlainText();
    fillCatalogueTree(requireChild<QTreeWidget>(panel_, "TreeView1"));

    browser_ = new FileBrowser(requireChild<QComboBox>(panel_, "DriveComboBox1"),
                               requireChild<QListWidget>(panel_, "DirectoryListBox1"),
                               requireChild<QListView>(panel_, "FileListBox1"),
                               requireChild<QComboBox>(panel_, "FilterComboBox1"),
                               requireChild<QLineEdit>(panel_, "editname"), this);
    connect(browser_, &FileBrowser::fileListChanged, this, &MainWindow::fileListChanged);
    connect(browser_, &FileBrowser::refused, this, &MainWindow::showMessage);
    // A file dropped anywhere on the window is picked as in the browser; the edits would take
    // its name as text instead.
    setAcceptDrops(true);
    for (const char* edit : {"editname", "editline"})
        requireChild<QLineEdit>(panel_, edit)->setAcceptDrops(false);
    // A name typed into the name field is picked with Return, as a file dropped would be.
    auto* name = requireChild<QLineEdit>(panel_, "editname");
    connect(name, &QLineEdit::returnPressed, this, [this, name] { pickTyped(name->text()); });

    // A single fixed border: the window is as large as the menu and the client area, no more.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
}

MainWindow::~MainWindow() = default;

void MainWindow::dispatch(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        if (form_)
            form_->services().errors.show(e.what());
    }
    mirror();
}

void MainWindow::dispatch(void (TForm1::*handler)())
{
    dispatch([this, handler] { (form_->*handler)(); });
}

// The list has already written its state; the form's handler decides what it means.
void MainWindow::fileListChanged()
{
    if (!form_)
        return;
    form_->FileListBox1 = browser_->listBox();
    form_->editname = browser_->nameBytes().toStdString();
    dispatch(&TForm1::FileListBox1Change);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        centre();
        // Under a window manager the frame comes later: the window is centred again by it.
        whenFramed(this, [this] { centre(); });
        browser_->refill();
    }
}

// Measured from the window's size, never below its fixed size, and its frame's margins: under load
// a window manager may report the frame before the window has its size, and a window centred by
// that size would open with its corner at the centre, partly off the screen.
void MainWindow::centre()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QMargins margins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    QRect frame(QPoint(), size().expandedTo(minimumSize()).grownBy(margins));
    frame.moveCenter(room.center());
    // A window larger than the screen keeps its top-left corner, with the menu, on it.
    frame.moveLeft(std::max(room.left(), std::min(frame.left(), room.right() - frame.width() + 1)));
    frame.moveTop(std::max(room.top(), std::min(frame.top(), room.bottom() - frame.height() + 1)));
    move(frame.topLeft());
}

void MainWindow::showMessage(const QString& message)
{
    if (form_)
        form_->services().errors.show(message.toLocal8Bit().toStdString());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void MainWindow::setCartridgeIdentifier(CartridgeIdentifier& identifier)
{
    delete cartridgeTips_;
    cartridgeTips_ = new CartridgeTips(panel_, identifier, [this](int slot, int item) {
        chooseListItem(slot == 0 ? "slota" : "slotb", item);
    });
    mirror();
}

void MainWindow::closeMain() { close(); }

void MainWindow::bringMainToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void MainWindow::showReader()
{
    if (!form_)
        return;
    if (!reader_) {
        reader_ = std::make_unique<ReaderWindow>(form_->reader);
        returnFocusWhenHidden(reader_.get(), this);
    }
    reader_->refresh();
    reader_->showAndRaise();
}
