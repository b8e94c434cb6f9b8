#include "ui/reader_window.h"

#include "reader/treader.h"
#include "ui/readable_colours.h"
#include "ui/reader_document.h"
#include "ui/window_style.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTextDocument>
#include <QTextEdit>

namespace {

QFont fontOf(const QStringList& families, int pixels)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    return font;
}

} // namespace

ReaderWindow::ReaderWindow(Treader& model, QWidget* parent) : QMainWindow(parent), model_(model)
{
    setObjectName("reader");
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_QuitOnClose, false); // closing the reader never ends the program
    setFont(fontOf({"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans"}, 11));
    move(503, 388);
    resize(outerWidth, outerHeight);

    menuBar()->setObjectName("MainMenu1");
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("File1");
    QAction* quit = file->addAction("&Quit");
    quit->setObjectName("Quit1");
    connect(quit, &QAction::triggered, this, &QWidget::hide);

    auto* client = new QWidget(this);
    setCentralWidget(client);

    // The panel keeps its size when the window is resized.
    auto* panel = new QFrame(client);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(0, 0, 337, 369);

    fmsxman_ = new QTextEdit(panel);
    fmsxman_->setObjectName("fmsxman");
    fmsxman_->setGeometry(8, 8, 321, 313);
    fmsxman_->setFont(fontOf({"Arial", "Liberation Sans", "DejaVu Sans"}, 11));
    fmsxman_->setLineWrapMode(QTextEdit::WidgetWidth);
    fmsxman_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fmsxman_->setAcceptRichText(false);
    usePaperColours(fmsxman_);
    fmsxman_->setTabChangesFocus(true);

    auto* bevel = new QFrame(panel);
    bevel->setObjectName("Bevel1");
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(8, 328, 321, 33);

    auto* close = new QPushButton("&Close reader", panel);
    close->setObjectName("Button1");
    close->setGeometry(136, 336, 75, 17);
    setTextColour(close, QColor(0x80, 0x00, 0x00));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    setTabOrder(fmsxman_, close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, close, &QPushButton::click);

    render();
    refresh();
}

void ReaderWindow::refresh()
{
    setWindowTitle(QString::fromStdString(model_.Caption));
    if (renderedLoads_ != model_.loads)
        render();
}

void ReaderWindow::showAndRaise()
{
    show();
    raise();
    activateWindow();
}

void ReaderWindow::closeEvent(QCloseEvent* event)
{
    event->accept(); // a closed top-level window is hidden, not destroyed
}

// The outer size counts the frame, which a window manager puts around the window only after it
// is shown.
void ReaderWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (outerSizeFixed_)
        return;
    outerSizeFixed_ = true;
    whenFramed(this, [this] {
        const QSize frame = frameGeometry().size() - size();
        resize(outerWidth - frame.width(), outerHeight - frame.height());
    });
}

// Each text gets a document of its own: the view's cursor would follow the insertions into its
// document and make the view lay out the whole text at once; a new one starts at the top and
// is laid out as far as it is in sight.
void ReaderWindow::render()
{
    renderedLoads_ = model_.loads;
    auto* document = new QTextDocument(fmsxman_);
    document->setDefaultFont(fmsxman_->font());
    document->setTextWidth(fmsxman_->viewport()->width());
    renderReaderDocument(*document, model_.fmsxman, fmsxman_->logicalDpiX());
    QTextDocument* old = fmsxman_->document();
    const bool ours = old->parent() == fmsxman_; // the view deletes the one it made itself
    fmsxman_->setDocument(document);
    fmsxman_->setTabStopDistance(720 * fmsxman_->logicalDpiX() / 1440.0); // half an inch, as word processors
    if (ours)
        delete old;
}
