#include "ui/msx.h"

#include "form/tform1.h"
#include "ui/cartridge_tips.h"
#include "ui/catalogue_tree_view.h"
#include "ui/control_layout.h"
#include "ui/file_browser.h"
#include "ui/main_menu.h"
#include "ui/widget_lookup.h"
#include "ui/window_art.h"
#include "ui/window_style.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QTreeWidget>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), panel_(new QWidget(this))
{
    window_art::init();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("TULK MSX Front-End 2.0c"));
    setWindowIcon(window_art::programIcon());
    setFont(dialogFont());

    panel_->setObjectName(QStringLiteral("Panel1"));
    panel_->setFixedSize(841, 481);
    setCentralWidget(panel_);
    buildMainMenu(menuBar(), mainMenu());
    buildControls(panel_, mainWindowControls());
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

void MainWindow::centre()
{
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
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
    if (showReader_)
        showReader_();
}
