#include "reader/treader.h"
#include "ui/reader_window.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <functional>

namespace {

class ReaderWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            app = new QApplication(argc, argv);
    }
    static void TearDownTestSuite()
    {
        delete app;
        app = nullptr;
    }
    QTextEdit* view() { return window.findChild<QTextEdit*>("fmsxman"); }

    static inline QApplication* app = nullptr;
    Treader model;
    ReaderWindow window{model};
};

TEST_F(ReaderWindowTest, HasTheFormsControlsAtTheirPlaces)
{
    window.showAndRaise();
    EXPECT_EQ(window.frameGeometry(), QRect(503, 388, 347, 416));
    EXPECT_EQ(window.windowTitle(), "fMSX-Dos manual");
    struct Place {
        const char* name;
        QRect geometry;
    };
    for (const Place& p : {Place{"Panel1", {0, 0, 337, 369}}, Place{"fmsxman", {8, 8, 321, 313}},
                           Place{"Bevel1", {8, 328, 321, 33}}, Place{"Button1", {136, 336, 75, 17}}}) {
        auto* w = window.findChild<QWidget*>(p.name);
        ASSERT_NE(w, nullptr) << p.name;
        EXPECT_EQ(w->geometry(), p.geometry) << p.name;
    }
    auto* button = window.findChild<QPushButton*>("Button1");
    EXPECT_EQ(button->text(), "&Close reader");
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(0x80, 0, 0));
    EXPECT_EQ(window.findChild<QMenu*>("File1")->title(), "&File");
    EXPECT_EQ(window.findChild<QAction*>("Quit1")->text(), "&Quit");
    EXPECT_EQ(view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(view()->lineWrapMode(), QTextEdit::WidgetWidth);
    EXPECT_FALSE(view()->isReadOnly());
    EXPECT_EQ(view()->font().pixelSize(), 11);

    window.resize(600, 700); // resizable; the panel keeps its size
    EXPECT_EQ(window.findChild<QWidget*>("Panel1")->size(), QSize(337, 369));
}

TEST_F(ReaderWindowTest, EveryWayOfClosingHidesAndKeepsEverything)
{
    model.Caption = "About Veldrun 2.0c";
    model.fmsxman.runs = {{"About text", {}}};
    ++model.loads;
    window.refresh();
    const std::function<void()> closers[] = {[&] { window.findChild<QPushButton*>("Button1")->click(); },
                                             [&] { window.findChild<QAction*>("Quit1")->trigger(); },
                                             [&] { window.close(); },
                                             [&] { QTest::keyClick(view(), Qt::Key_Escape); }};
    for (const auto& close : closers) {
        window.showAndRaise();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        window.move(40, 50);
        window.resize(500, 450);
        const QRect before = window.geometry();
        close();
        EXPECT_FALSE(window.isVisible());
        window.showAndRaise();
        EXPECT_EQ(window.geometry(), before);
        EXPECT_EQ(window.windowTitle(), "About Veldrun 2.0c");
        EXPECT_EQ(view()->toPlainText(), "About text");
    }
}

TEST_F(ReaderWindowTest, TypedTextStaysUntilTheNextLoad)
{
    model.fmsxman.runs = {{"loaded", {}}};
    ++model.loads;
    window.refresh();
    view()->setPlainText("typed");
    model.Caption = "View TULK.CFG file";
    window.refresh();
    EXPECT_EQ(view()->toPlainText(), "typed");
    EXPECT_EQ(window.windowTitle(), "View TULK.CFG file");
    ++model.loads;
    window.refresh();
    EXPECT_EQ(view()->toPlainText(), "loaded");
}

TEST_F(ReaderWindowTest, RendersFormattingAndParagraphs)
{
    TextFormat bold;
    bold.bold = true;
    bold.align = ParagraphAlign::Center;
    bold.spaceAfter = 120;
    TextFormat red;
    red.color = 0xFF0000;
    red.halfPoints = 32;
    TextFormat mono;
    mono.face = "Courier New";
    mono.faceKind = FaceKind::Monospace;
    TextFormat heading;
    heading.spaceBefore = 200;
    heading.spaceAfter = 90;
    model.fmsxman.runs = {{"Title\n", bold}, {"red", red},        {" plain\u2028next ", {}},
                          {"-sq 5\n", mono}, {"Head\n", heading}, {"text", {}}};
    ++model.loads;
    window.refresh();

    QTextDocument* doc = view()->document();
    EXPECT_EQ(doc->blockCount(), 4);
    EXPECT_EQ(doc->firstBlock().text(), "Title");
    EXPECT_EQ(doc->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextBlock second = doc->firstBlock().next();
    EXPECT_EQ(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(second.text(), QString("red plain") + QChar(0x2028) + "next -sq 5");
    // The space after a paragraph and the space before the next add up, as in word processors.
    EXPECT_EQ(second.blockFormat().topMargin(), 8.0);
    EXPECT_EQ(second.next().blockFormat().topMargin(), 200 / 15.0);
    EXPECT_EQ(doc->lastBlock().blockFormat().topMargin(), 6.0);

    auto formatAt = [&](int position) {
        QTextCursor c(doc);
        c.setPosition(position + 1); // the format of the character before the cursor
        return c.charFormat();
    };
    EXPECT_EQ(formatAt(0).fontWeight(), QFont::Bold);
    const QTextCharFormat r = formatAt(6);
    EXPECT_EQ(r.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(r.fontPointSize(), 16.0);
    EXPECT_NE(r.fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(10).foreground().color(), QColor(255, 0, 0)) << "the colour ends with its run";
    EXPECT_TRUE(QFontInfo(formatAt(second.position() + 16).font()).fixedPitch()) << "the option in monospace";
    EXPECT_FALSE(QFontInfo(formatAt(second.position() + 12).font().resolve(view()->font())).fixedPitch());
}

} // namespace

namespace {

// A text of 786,432 empty lines shown after another one: lines share blocks, and the part the
// layout could not hold is cut with a line that says so.
TEST_F(ReaderWindowTest, ManyLinesAfterAnEarlierTextShareBlocksAndATooTallTextIsCut)
{
    model.fmsxman.runs = {{"Manual\n", {}}};
    ++model.loads;
    window.showAndRaise();
    window.refresh();
    for (const std::size_t lines : {std::size_t{100'000}, std::size_t{786'432}}) {
        model.fmsxman.runs = {{std::string(lines - 1, '\n') + "end", {}}};
        ++model.loads;
        window.refresh();
        const QTextDocument* doc = view()->document();
        EXPECT_LT(doc->blockCount(), 2 + static_cast<int>(lines / 64)) << lines;
        EXPECT_EQ(view()->textCursor().position(), 0);
        const QString last = doc->lastBlock().text();
        if (lines == 100'000) {
            EXPECT_EQ(doc->characterCount(), static_cast<int>(lines) + 3);
            EXPECT_TRUE(last.endsWith(QChar(0x2028) + QString("end")));
        } else {
            EXPECT_EQ(last, "[The text is taller than the reader can show: it was cut here.]");
            EXPECT_LT(doc->documentLayout()->documentSize().height(), 8'000'000);
        }
    }
}

TEST_F(ReaderWindowTest, EveryLoadStartsFromTheViewsOwnFormat)
{
    TextFormat heading;
    heading.bold = true;
    heading.italic = true;
    heading.halfPoints = 32;
    heading.color = 0x008080;
    heading.align = ParagraphAlign::Center;
    heading.leftIndent = 720;
    model.fmsxman.runs = {{"Manual", heading}};
    ++model.loads;
    window.refresh();
    model.fmsxman.runs = {{"-cpuspeed 50\nnext", {}}};
    ++model.loads;
    window.refresh();

    QTextDocument* doc = view()->document();
    for (QTextBlock b = doc->firstBlock(); b.isValid(); b = b.next()) {
        EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft)
            << b.text().toStdString();
        EXPECT_EQ(b.blockFormat().leftMargin(), 0);
        QTextCursor c(b);
        c.movePosition(QTextCursor::EndOfBlock);
        const QFont font = c.charFormat().font().resolve(view()->font());
        EXPECT_EQ(font.family(), view()->font().family());
        EXPECT_EQ(font.pixelSize(), 11);
        EXPECT_FALSE(font.bold());
        EXPECT_FALSE(font.italic());
        EXPECT_FALSE(c.charFormat().hasProperty(QTextFormat::ForegroundBrush)) << "the window-text colour";
    }
}

TEST_F(ReaderWindowTest, TabGoesToTheButtonAndAHangingIndentLinesUpWithTheTabStop)
{
    window.showAndRaise();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_Tab);
    EXPECT_TRUE(window.findChild<QPushButton*>("Button1")->hasFocus());

    TextFormat item;
    item.leftIndent = 720;
    item.firstIndent = -360;
    item.tabs = {720};
    model.fmsxman.runs = {{"1.\t" + std::string(40, 'w') + " " + std::string(40, 'w'), item}};
    ++model.loads;
    window.refresh();
    QTextBlock block = view()->document()->firstBlock();
    view()->document()->documentLayout()->blockBoundingRect(block); // lays the block out
    const QTextLayout* layout = block.layout();
    ASSERT_GE(layout->lineCount(), 2);
    const qreal afterTab = layout->lineAt(0).cursorToX(3);
    const qreal secondLine = layout->lineAt(1).cursorToX(layout->lineAt(1).textStart());
    EXPECT_NEAR(afterTab, secondLine, 0.5) << "the text after the number starts at the left indent";
    EXPECT_LT(layout->lineAt(0).cursorToX(0), secondLine - 10) << "the number hangs out to the left";
}

} // namespace
