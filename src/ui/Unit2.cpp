#include "ui/Unit2.h"

#include "reader/treader.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
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

QTextCharFormat charFormat(const TextFormat& f)
{
    QTextCharFormat out;
    out.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(f.italic);
    out.setFontUnderline(f.underline);
    out.setFontStrikeOut(f.strike);
    if (f.halfPoints > 0)
        out.setFontPointSize(f.halfPoints / 2.0);
    if (f.color)
        out.setForeground(QColor(QRgb(*f.color)));
    return out;
}

Qt::Alignment alignmentOf(ParagraphAlign a)
{
    switch (a) {
    case ParagraphAlign::Center:
        return Qt::AlignHCenter;
    case ParagraphAlign::Right:
        return Qt::AlignRight;
    case ParagraphAlign::Justify:
        return Qt::AlignJustify;
    case ParagraphAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

void setAlignment(QTextCursor& cursor, ParagraphAlign align)
{
    QTextBlockFormat block = cursor.blockFormat();
    block.setAlignment(alignmentOf(align));
    cursor.setBlockFormat(block);
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
    connect(quit, &QAction::triggered, this, [this] {
        model_.Quit1Click();
        hide();
    });

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

    auto* bevel = new QFrame(panel);
    bevel->setObjectName("Bevel1");
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(8, 328, 321, 33);

    auto* close = new QPushButton("&Close reader", panel);
    close->setObjectName("Button1");
    close->setGeometry(136, 336, 75, 17);
    QPalette maroon = close->palette();
    maroon.setColor(QPalette::ButtonText, QColor(0x80, 0x00, 0x00));
    close->setPalette(maroon);
    connect(close, &QPushButton::clicked, this, [this] {
        model_.Button1Click();
        hide();
    });

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
    model_.Visible = false;
    event->accept(); // a closed top-level window is hidden, not destroyed
}

// The outer size counts the frame, which the window system knows only once the window is shown.
void ReaderWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (outerSizeFixed_)
        return;
    outerSizeFixed_ = true;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (!frame.isEmpty())
        resize(outerWidth - frame.width(), outerHeight - frame.height());
}

void ReaderWindow::render()
{
    renderedLoads_ = model_.loads;
    const auto& runs = model_.fmsxman.runs;
    if (runs.empty() || (runs.size() == 1 && runs[0].format == TextFormat{})) {
        fmsxman_->setPlainText(runs.empty() ? QString() : QString::fromStdString(runs[0].text));
        return;
    }

    fmsxman_->setUndoRedoEnabled(false);
    fmsxman_->clear();
    QTextCursor cursor(fmsxman_->document());
    cursor.beginEditBlock();
    for (const TextRun& run : runs) {
        const QTextCharFormat format = charFormat(run.format);
        const QString text = QString::fromStdString(run.text);
        // The run that ends a paragraph, or the document's last run, gives the alignment.
        setAlignment(cursor, run.format.align);
        qsizetype start = 0;
        for (;;) {
            const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
            const QString piece = text.mid(start, end < 0 ? -1 : end - start);
            if (!piece.isEmpty())
                cursor.insertText(piece, format);
            if (end < 0)
                break;
            setAlignment(cursor, run.format.align);
            cursor.insertBlock(cursor.blockFormat(), format);
            start = end + 1;
        }
    }
    cursor.endEditBlock();
    fmsxman_->setUndoRedoEnabled(true);
    fmsxman_->moveCursor(QTextCursor::Start);
}
