#include "ui/reader_document.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The named face first, then the system's face of its kind for where it is not installed.
QStringList facesOf(const TextFormat& f)
{
    QStringList faces;
    if (!f.face.empty())
        faces.append(QString::fromStdString(f.face));
    constexpr const char* kinds[] = {nullptr, "serif", "sans-serif", nullptr, "cursive", "fantasy"};
    if (f.faceKind == FaceKind::Monospace)
        faces.append(QFontDatabase::systemFont(QFontDatabase::FixedFont).families());
    else if (const char* kind = kinds[static_cast<int>(f.faceKind)])
        faces.append(kind);
    return faces;
}

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
    if (!f.face.empty() || f.faceKind != FaceKind::Default) {
        constexpr QFont::StyleHint hints[] = {QFont::AnyStyle,   QFont::Serif,   QFont::SansSerif,
                                              QFont::TypeWriter, QFont::Cursive, QFont::Decorative};
        out.setFontFamilies(facesOf(f));
        out.setFontStyleHint(hints[static_cast<int>(f.faceKind)]);
        out.setFontFixedPitch(f.faceKind == FaceKind::Monospace);
    }
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

// Lengths in twips; margins and line heights in the view's 96-dpi pixels, which the layout scales.
qreal pixels(int twips) { return twips / 15.0; }

// The paragraph's format, from the run that ends it; twips become the view's pixels. Word
// processors put the space after one paragraph and the space before the next one together.
QTextBlockFormat blockFormat(const TextFormat& f, int dotsPerInch, int spaceAbove)
{
    const auto dots = [dotsPerInch](int twips) { return twips * dotsPerInch / 1440.0; };
    QTextBlockFormat out;
    out.setAlignment(alignmentOf(f.align));
    if (f.leftIndent != 0)
        out.setLeftMargin(dots(f.leftIndent));
    if (f.firstIndent != 0)
        out.setTextIndent(dots(f.firstIndent));
    if (spaceAbove > 0)
        out.setTopMargin(pixels(spaceAbove));
    if (f.lineMultiple && f.lineSpacing > 0)
        out.setLineHeight(f.lineSpacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
    else if (!f.lineMultiple && f.lineSpacing != 0)
        out.setLineHeight(pixels(std::abs(f.lineSpacing)), f.lineSpacing > 0 ? QTextBlockFormat::MinimumHeight
                                                                             : QTextBlockFormat::FixedHeight);
    // Tab stops count from the margin, the view's from where the first line starts; a hanging
    // indent is a tab stop of its own, as in word processors.
    std::vector<int> stops = f.tabs;
    if (f.firstIndent < 0 && !std::binary_search(stops.begin(), stops.end(), f.leftIndent))
        stops.insert(std::upper_bound(stops.begin(), stops.end(), f.leftIndent), f.leftIndent);
    QList<QTextOption::Tab> tabs;
    for (int t : stops)
        if (const int fromLineStart = t - f.leftIndent - f.firstIndent; fromLineStart > 0)
            tabs.append(QTextOption::Tab(dots(fromLineStart), QTextOption::LeftTab));
    if (!tabs.isEmpty())
        out.setTabPositions(tabs);
    return out;
}

bool sameParagraphFormat(const TextFormat& a, const TextFormat& b)
{
    return a.align == b.align && a.leftIndent == b.leftIndent && a.firstIndent == b.firstIndent &&
           a.tabs == b.tabs && a.spaceBefore == b.spaceBefore && a.spaceAfter == b.spaceAfter &&
           a.lineSpacing == b.lineSpacing && a.lineMultiple == b.lineMultiple;
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

// Builds the view's document paragraph by paragraph. Paragraphs of one format with no space
// between them share a block, their lines parted by line separators: a text of a million short
// lines becomes some thousands of blocks. The layout sets a document taller than about 8.4 million
// pixels as pages, at a cost that freezes the window, so the text is cut well before that height.
class Renderer {
  public:
    Renderer(QTextDocument& document, int dotsPerInch, double width)
        : cursor_(&document), dotsPerInch_(dotsPerInch),
          lineHeight_(QFontMetricsF(document.defaultFont()).height()), width_(width > 0 ? width : 300.0)
    {
    }
    QTextCursor& cursor() { return cursor_; }

    // False once the text is as tall as the view may be; the note saying so has been added.
    bool add(const std::vector<Piece>& pieces)
    {
        static const TextFormat plain;
        const TextFormat& last = pieces.empty() ? plain : *pieces.back().format;
        if (height_ > tallestText) {
            const std::vector<Piece> note{
                {"[The text is taller than the reader can show: it was cut here.]", &plain}};
            startBlock(note, plain);
            insertPieces(note);
            return false;
        }
        height_ += estimatedHeight(pieces, last);
        const bool joins = current_ && linesInBlock_ < linesPerBlock &&
                           sameParagraphFormat(*current_, last) && last.spaceBefore == 0 &&
                           last.spaceAfter == 0 && last.firstIndent == 0;
        if (joins) {
            ++linesInBlock_;
            append(QString(QChar::LineSeparator), nullptr);
        } else {
            startBlock(pieces, last);
        }
        insertPieces(pieces);
        return true;
    }

    void finish()
    {
        flush();
        if (current_ && current_->spaceAfter > 0) {
            QTextBlockFormat block = cursor_.blockFormat();
            block.setBottomMargin(pixels(current_->spaceAfter));
            cursor_.setBlockFormat(block);
        }
    }

  private:
    static constexpr int linesPerBlock = 64;
    static constexpr double tallestText = 6'000'000; // pixels, with room for what the estimate misses

    void startBlock(const std::vector<Piece>& pieces, const TextFormat& last)
    {
        flush();
        const int above = (current_ ? current_->spaceAfter : 0) + last.spaceBefore;
        const QTextBlockFormat block = blockFormat(last, dotsPerInch_, above);
        if (!current_)
            cursor_.setBlockFormat(block);
        else
            cursor_.insertBlock(block,
                                pieces.empty() ? QTextCharFormat() : charFormat(*pieces.front().format));
        current_ = &last;
        linesInBlock_ = 1;
        words_ = LongWords();
    }

    void insertPieces(const std::vector<Piece>& pieces)
    {
        for (const Piece& p : pieces)
            if (!p.text.empty())
                append(words_.broken(QString::fromUtf8(p.text.data(), static_cast<qsizetype>(p.text.size()))),
                       p.format);
    }

    // Text waits until its format changes or its block ends: one insertion for many lines. A line
    // separator (no format) takes the format of the text before it.
    void append(const QString& text, const TextFormat* format)
    {
        if (format && format != pendingFormat_ && !(pendingFormat_ && *format == *pendingFormat_)) {
            flush();
            pendingFormat_ = format;
            pendingChar_ = charFormat(*format);
        }
        pending_ += text;
    }

    void flush()
    {
        if (!pending_.isEmpty())
            cursor_.insertText(pending_, pendingChar_);
        pending_.clear();
    }

    // At least the paragraph's height: its tallest characters on every line, each byte as wide as
    // most characters are, the spacing around it.
    double estimatedHeight(const std::vector<Piece>& pieces, const TextFormat& last) const
    {
        double line = lineHeight_;
        std::size_t bytes = 0;
        for (const Piece& p : pieces) {
            bytes += p.text.size();
            if (p.format->halfPoints > 0)
                line = std::max(line, 1.2 * p.format->halfPoints / 2.0 * dotsPerInch_ / 72.0);
        }
        line = std::max(line, pixels(std::abs(last.lineSpacing)));
        const double lines = 1 + static_cast<double>(bytes) * 0.6 * line / width_;
        return lines * line + pixels(last.spaceBefore + last.spaceAfter);
    }

    QTextCursor cursor_;
    int dotsPerInch_;
    double lineHeight_;
    double width_;
    double height_ = 0;
    const TextFormat* current_ = nullptr; // the format of the block being filled
    int linesInBlock_ = 0;
    LongWords words_;
    QString pending_;
    const TextFormat* pendingFormat_ = nullptr;
    QTextCharFormat pendingChar_;
};

} // namespace

void renderReaderDocument(QTextDocument& document, const TextDocument& text, int dotsPerInch)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    // Without a page size the layout waits; given back, it lays out what is in sight first and the
    // rest a step at a time while the window goes on.
    const QSizeF page = document.pageSize();
    document.setPageSize(QSizeF(0, 0));
    document.clear();
    Renderer renderer(document, dotsPerInch, page.width());
    QTextCursor& cursor = renderer.cursor();
    cursor.beginEditBlock();
    cursor.setBlockCharFormat(QTextCharFormat());
    cursor.setCharFormat(QTextCharFormat());

    std::vector<Piece> pieces;
    bool room = true;
    for (auto run = text.runs.begin(); room && run != text.runs.end(); ++run) {
        std::string_view rest = run->text;
        for (std::size_t end; room && (end = rest.find('\n')) != std::string_view::npos;
             rest.remove_prefix(end + 1)) {
            pieces.push_back({rest.substr(0, end), &run->format});
            room = renderer.add(pieces);
            pieces.clear();
        }
        pieces.push_back({rest, &run->format});
    }
    if (room)
        renderer.add(pieces);
    renderer.finish();
    cursor.endEditBlock();
    document.setPageSize(page);
    document.setUndoRedoEnabled(undo);
}
