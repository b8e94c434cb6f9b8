#include "reader/rtf_reader.h"

#include "base/text_encoding.h"
#include "reader/rtf_words.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace reader {
namespace {

using rtf::FontKind;

constexpr std::size_t maxDepth = 100;     // deeper groups are skipped whole
constexpr std::size_t maxWordLength = 32; // longer control words are no words we know
constexpr long maxParameter = 1'000'000'000;

enum class Destination { Text, Skip, ColorTable, FontTable };

struct Group {
    TextFormat format;
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // \ucN: characters that stand in for each \uN
    bool hidden = false; // \v: text that is not shown
    bool inTable = false;
    FontKind font = FontKind::Text;
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class RtfParser {
  public:
    explicit RtfParser(std::string_view in) : in_(in) { stack_.emplace_back(); }

    TextDocument read()
    {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                if (!closeGroup())
                    break; // the document's outermost group has closed
            } else if (c == '\\') {
                ++pos_;
                control();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                byte(static_cast<unsigned char>(c));
            }
        }
        flushSurrogate();
        return std::move(doc_);
    }

  private:
    Group& group() { return stack_.back(); }
    bool skipping() const { return overflow_ > 0 || stack_.back().destination == Destination::Skip; }
    bool inText() const { return overflow_ == 0 && stack_.back().destination == Destination::Text; }

    void openGroup()
    {
        skipCount_ = 0;
        if (overflow_ > 0 || stack_.size() >= maxDepth)
            ++overflow_;
        else
            stack_.push_back(stack_.back());
    }

    // False when the group closed was the outermost one.
    bool closeGroup()
    {
        skipCount_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return true;
        }
        if (stack_.back().destination == Destination::ColorTable && stack_.size() > 1 &&
            stack_[stack_.size() - 2].destination != Destination::ColorTable)
            colors_.close();
        if (stack_.size() <= 1)
            return false;
        stack_.pop_back();
        return stack_.size() > 1;
    }

    // After a backslash: a control word, a code-page byte or a control symbol.
    void control()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (isLetter(c)) {
            word();
        } else if (c == '\'') {
            ++pos_;
            int value = 0, digits = 0;
            while (digits < 2 && pos_ < in_.size() && hexValue(in_[pos_]) >= 0) {
                value = value * 16 + hexValue(in_[pos_++]);
                ++digits;
            }
            if (digits == 2)
                byte(static_cast<unsigned char>(value));
        } else {
            ++pos_;
            symbol(c);
        }
    }

    void symbol(char c)
    {
        if (skipping())
            return;
        if (c == '*') {
            group().destination = Destination::Skip;
            return;
        }
        if (!inText() || consumeSkipped())
            return;
        if (const char32_t character = rtf::controlSymbol(c))
            text(character);
    }

    void word()
    {
        const std::size_t start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_]))
            ++pos_;
        const std::string_view name =
            pos_ - start <= maxWordLength ? in_.substr(start, pos_ - start) : std::string_view{};

        bool hasParameter = false;
        long parameter = 0;
        const bool negative = pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1]);
        if (negative)
            ++pos_;
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            hasParameter = true;
            parameter = std::min(maxParameter, parameter * 10 + (in_[pos_++] - '0'));
        }
        if (negative)
            parameter = -parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;

        if (name == "bin") {
            // Binary data follows, as many bytes as the parameter says.
            const auto count = static_cast<std::size_t>(std::max(0L, parameter));
            pos_ += std::min(count, in_.size() - pos_);
            consumeSkipped();
            return;
        }
        apply(name, hasParameter, parameter);
    }

    void apply(std::string_view name, bool hasParameter, long parameter)
    {
        if (skipping())
            return;
        if (group().destination == Destination::ColorTable) {
            colors_.word(name, parameter);
            return;
        }
        if (group().destination == Destination::FontTable) {
            fonts_.word(name, parameter);
            return;
        }
        if (startsDestination(name) || consumeSkipped())
            return;
        if (!characterFormat(name, hasParameter, parameter) && !paragraphFormat(name, parameter))
            documentWord(name, hasParameter, parameter);
    }

    bool startsDestination(std::string_view name)
    {
        if (name == "colortbl")
            group().destination = Destination::ColorTable;
        else if (name == "fonttbl")
            group().destination = Destination::FontTable;
        else if (rtf::isSkippedDestination(name))
            group().destination = Destination::Skip;
        else
            return false;
        return true;
    }

    bool characterFormat(std::string_view name, bool hasParameter, long parameter)
    {
        TextFormat& f = group().format;
        const bool on = !hasParameter || parameter != 0;
        if (name == "b") {
            f.bold = on;
        } else if (name == "i") {
            f.italic = on;
        } else if (name == "ul" || name == "uld" || name == "uldb" || name == "ulw") {
            f.underline = on;
        } else if (name == "ulnone") {
            f.underline = false;
        } else if (name == "strike" || name == "striked") {
            f.strike = on;
        } else if (name == "fs") {
            f.halfPoints = hasParameter ? static_cast<int>(std::clamp(parameter, 0L, 1000L)) : 24;
        } else if (name == "cf") {
            f.color = colors_.at(parameter);
        } else if (name == "v") {
            group().hidden = on;
        } else if (name == "f") {
            group().font = fonts_.kind(parameter);
            fonts_.apply(parameter, f);
        } else if (name == "plain") {
            plain(f);
        } else {
            return false;
        }
        return true;
    }

    // Character formatting back to the document's default font; the paragraph's stays.
    void plain(TextFormat& f)
    {
        TextFormat reset;
        reset.align = f.align;
        reset.leftIndent = f.leftIndent;
        reset.firstIndent = f.firstIndent;
        reset.tabs = std::move(f.tabs);
        reset.spaceBefore = f.spaceBefore;
        reset.spaceAfter = f.spaceAfter;
        reset.lineSpacing = f.lineSpacing;
        reset.lineMultiple = f.lineMultiple;
        fonts_.apply(defaultFont_, reset);
        f = std::move(reset);
        group().hidden = false;
        group().font = fonts_.kind(defaultFont_);
    }

    bool paragraphFormat(std::string_view name, long parameter)
    {
        if (name == "intbl")
            group().inTable = true;
        else if (!rtf::paragraphWord(group().format, name, parameter))
            return false;
        else if (name == "pard")
            group().inTable = false;
        return true;
    }

    void documentWord(std::string_view name, bool hasParameter, long parameter)
    {
        if (name == "par" || name == "sect" || name == "page") {
            // A cell's paragraphs stay on its row; a hidden paragraph's end joins it to the next.
            if (group().inTable)
                text(U' ');
            else if (!group().hidden)
                lineEnd();
        } else if (name == "cell" || name == "nestcell") {
            ++pendingTabs_; // written before the next cell's text, so a row ends without one
        } else if (name == "row") {
            lineEnd();
        } else if (name == "u" && hasParameter) {
            unicode(parameter);
        } else if (name == "uc") {
            group().unicodeSkip = static_cast<int>(std::clamp(parameter, 0L, 255L));
        } else if (name == "deff") {
            defaultFont_ = parameter;
        } else if (name == "ansicpg") {
            codePage_ = static_cast<int>(parameter);
        } else if (name == "ansi" || name == "pc" || name == "pca") {
            codePage_ = name == "pc" ? 437 : name == "pca" ? 850 : 1252;
        } else if (const char32_t c = rtf::specialCharacter(name)) {
            text(c);
        }
    }

    // A character that stands in for the \uN before it is dropped.
    bool consumeSkipped()
    {
        if (skipCount_ == 0)
            return false;
        --skipCount_;
        return true;
    }

    void unicode(long value)
    {
        // Values are signed 16-bit; larger ones are taken as code points.
        if (value < 0)
            value += 65536;
        skipCount_ = group().unicodeSkip;
        if (value == 0) {
            return;
        } else if (value < 0 || value > 0x10FFFF) {
            text(U'\uFFFD');
        } else if (value >= 0xD800 && value <= 0xDBFF) {
            flushSurrogate();
            highSurrogate_ = static_cast<char32_t>(value);
        } else if (value >= 0xDC00 && value <= 0xDFFF && highSurrogate_ != 0) {
            const char32_t combined = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (value - 0xDC00);
            highSurrogate_ = 0;
            text(combined);
        } else {
            // Symbol fonts' characters are written as U+F0xx, xx being the font's own byte.
            const char32_t symbol =
                (value & 0xFF00) == 0xF000 ? rtf::symbolCharacter(group().font, value & 0xFF) : 0;
            text(symbol ? symbol : static_cast<char32_t>(value));
        }
    }

    // A text byte, raw or written as \'hh, in the document's code page or a symbol font.
    void byte(unsigned char b)
    {
        if (skipping())
            return;
        if (group().destination == Destination::ColorTable) {
            colors_.byte(b);
            return;
        }
        if (group().destination == Destination::FontTable) {
            fonts_.byte(b);
            return;
        }
        if (consumeSkipped() || b == 0)
            return;
        const char32_t symbol = rtf::symbolCharacter(group().font, b);
        text(symbol ? symbol : encoding::decodeByte(b, codePage_));
    }

    void flushSurrogate()
    {
        if (highSurrogate_ != 0) {
            highSurrogate_ = 0;
            append(U'\uFFFD');
        }
    }

    void text(char32_t c)
    {
        flushSurrogate();
        if (group().hidden)
            return;
        for (; pendingTabs_ > 0; --pendingTabs_)
            append(U'\t');
        append(c);
    }

    // The end of a paragraph or a table row; cells left open are dropped.
    void lineEnd()
    {
        flushSurrogate();
        pendingTabs_ = 0;
        append(U'\n');
    }

    void append(char32_t c)
    {
        const TextFormat& f = group().format;
        if (doc_.runs.empty() || !(doc_.runs.back().format == f))
            doc_.runs.push_back({{}, f});
        encoding::appendUtf8(doc_.runs.back().text, c);
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<Group> stack_;
    std::size_t overflow_ = 0; // groups open beyond the nesting limit
    int skipCount_ = 0;
    char32_t highSurrogate_ = 0;
    int codePage_ = 1252;
    rtf::ColorTable colors_;
    rtf::FontTable fonts_;
    long defaultFont_ = 0;
    std::size_t pendingTabs_ = 0; // cells ended since the last text of their row
    TextDocument doc_;
};

} // namespace

bool isRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

TextDocument readRtf(std::string_view bytes) { return RtfParser(bytes).read(); }

} // namespace reader
