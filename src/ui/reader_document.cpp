#include "ui/reader_document.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace {

QTextCharFormat charFormat(const TextFormat& f)
{
    QTextCharFormat out;
    if (f.bold)
        out.setFontWeight(QFont::Bold);
    if (f.italic)
        out.setFontItalic(true);
    if (f.underline)
        out.setFontUnderline(true);
    if (f.strike)
        out.setFontStrikeOut(true);
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

// The paragraph's format, from the run that ends it; twips become the view's pixels.
QTextBlockFormat blockFormat(const TextFormat& f, int dotsPerInch)
{
    const auto pixels = [dotsPerInch](int twips) { return twips * dotsPerInch / 1440.0; };
    QTextBlockFormat out;
    out.setAlignment(alignmentOf(f.align));
    if (f.leftIndent != 0)
        out.setLeftMargin(pixels(f.leftIndent));
    if (f.firstIndent != 0)
        out.setTextIndent(pixels(f.firstIndent));
    // Tab stops count from the margin, the view's from where the first line starts; a hanging
    // indent is a tab stop of its own, as in word processors.
    std::vector<int> stops = f.tabs;
    if (f.firstIndent < 0 && !std::binary_search(stops.begin(), stops.end(), f.leftIndent))
        stops.insert(std::upper_bound(stops.begin(), stops.end(), f.leftIndent), f.leftIndent);
    QList<QTextOption::Tab> tabs;
    for (int t : stops)
        if (const int fromLineStart = t - f.leftIndent - f.firstIndent; fromLineStart > 0)
            tabs.append(QTextOption::Tab(pixels(fromLineStart), QTextOption::LeftTab));
    if (!tabs.isEmpty())
        out.setTabPositions(tabs);
    return out;
}

// One paragraph's pieces of text with their formats, waiting for the run that ends it.
struct Piece {
    std::string_view text;
    const TextFormat* format;
};

// The view breaks a word wider than a line anywhere, but finding where costs it time in proportion
// to what is left of the word, for every line: a word of a hundred thousand characters would take
// minutes. A word longer than any line gets a zero-width space after each of its characters from
// there on, which breaks it just as well and keeps the work per line small.
class LongWords {
  public:
    QString broken(const QString& text)
    {
        QString out;
        for (const QChar c : text) {
            if (c.isSpace()) {
                length_ = 0;
            } else if (++length_ > longestLine && !c.isLowSurrogate() && !c.isMark()) {
                out += QChar(0x200B);
            }
            out += c;
        }
        return out;
    }

  private:
    static constexpr int longestLine = 64; // characters; more never fit the reader's width
    int length_ = 0;
};

void insertParagraph(QTextCursor& cursor, const std::vector<Piece>& pieces, bool first, int dotsPerInch)
{
    const TextFormat& last = pieces.empty() ? TextFormat{} : *pieces.back().format;
    const QTextBlockFormat block = blockFormat(last, dotsPerInch);
    if (first)
        cursor.setBlockFormat(block);
    else
        cursor.insertBlock(block, pieces.empty() ? QTextCharFormat() : charFormat(*pieces.front().format));
    const TextFormat* shown = nullptr;
    QTextCharFormat format;
    LongWords words;
    for (const Piece& p : pieces) {
        if (p.text.empty())
            continue;
        if (p.format != shown && !(shown && *p.format == *shown)) {
            shown = p.format;
            format = charFormat(*p.format);
        }
        cursor.insertText(
            words.broken(QString::fromUtf8(p.text.data(), static_cast<qsizetype>(p.text.size()))), format);
    }
}

} // namespace

void renderReaderDocument(QTextDocument& document, const TextDocument& text, int dotsPerInch)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.setBlockCharFormat(QTextCharFormat());
    cursor.setCharFormat(QTextCharFormat());

    std::vector<Piece> pieces;
    bool first = true;
    for (const TextRun& run : text.runs) {
        std::string_view rest = run.text;
        for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;
             rest.remove_prefix(end + 1)) {
            pieces.push_back({rest.substr(0, end), &run.format});
            insertParagraph(cursor, pieces, std::exchange(first, false), dotsPerInch);
            pieces.clear();
        }
        pieces.push_back({rest, &run.format});
    }
    insertParagraph(cursor, pieces, first, dotsPerInch);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}
