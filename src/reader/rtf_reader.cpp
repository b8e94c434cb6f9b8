#include "reader/rtf_reader.h"

#include "base/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace reader {
namespace {

constexpr std::size_t maxDepth = 100;     // deeper groups are skipped whole
constexpr std::size_t maxWordLength = 32; // longer control words are no words we know
constexpr std::size_t maxColors = 1024;
constexpr long maxParameter = 1'000'000'000;

// Groups whose text is not document text.
// clang-format off
constexpr std::array<std::string_view, 34> skippedDestinations{
    "fonttbl", "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf",
    "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "pn", "themedata",
    "colorschememapping", "latentstyles", "datastore", "listtable", "listoverridetable", "rsidtbl",
    "generator", "xmlnstbl", "filetbl", "revtbl", "nonshppict", "shpinst", "bkmkstart", "bkmkend",
    "xe", "tc", "txe"};
// clang-format on

struct Special {
    std::string_view word;
    char32_t character;
};
constexpr std::array<Special, 10> specialCharacters{{{"tab", U'\t'},
                                                     {"line", U'\u2028'},
                                                     {"emdash", U'\u2014'},
                                                     {"endash", U'\u2013'},
                                                     {"bullet", U'\u2022'},
                                                     {"lquote", U'\u2018'},
                                                     {"rquote", U'\u2019'},
                                                     {"ldblquote", U'\u201C'},
                                                     {"rdblquote", U'\u201D'},
                                                     {"emspace", U'\u2003'}}};

enum class Destination { Text, Skip, ColorTable };

struct Group {
    TextFormat format;
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // \ucN: characters that stand in for each \uN
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
            colorDone_ = true;
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
        if (!inText())
            return;
        if (c == '*') {
            group().destination = Destination::Skip;
            return;
        }
        if (consumeSkipped())
            return;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            text(static_cast<unsigned char>(c));
            break;
        case '~':
            text(U'\u00A0');
            break;
        case '-':
            text(U'\u00AD');
            break;
        case '_':
            text(U'\u2011');
            break;
        case '\r':
        case '\n':
            text(U'\n');
            break;
        default:
            break;
        }
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
            colorComponent(name, parameter);
            return;
        }
        if (name == "colortbl") {
            group().destination = Destination::ColorTable;
            return;
        }
        if (std::find(skippedDestinations.begin(), skippedDestinations.end(), name) !=
            skippedDestinations.end()) {
            group().destination = Destination::Skip;
            return;
        }
        if (consumeSkipped())
            return;

        TextFormat& f = group().format;
        const bool on = !hasParameter || parameter != 0;
        if (name == "par" || name == "sect" || name == "page") {
            text(U'\n');
        } else if (name == "u" && hasParameter) {
            unicode(parameter);
        } else if (name == "uc") {
            group().unicodeSkip = static_cast<int>(std::clamp(parameter, 0L, 255L));
        } else if (name == "b") {
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
            const auto index = static_cast<std::size_t>(std::max(0L, parameter));
            f.color = index < colors_.size() ? colors_[index] : std::nullopt;
        } else if (name == "plain") {
            const ParagraphAlign align = f.align;
            f = TextFormat{};
            f.align = align;
        } else if (name == "pard") {
            f.align = ParagraphAlign::Left;
        } else if (name == "ql" || name == "qc" || name == "qr" || name == "qj") {
            f.align = name == "qc"   ? ParagraphAlign::Center
                      : name == "qr" ? ParagraphAlign::Right
                      : name == "qj" ? ParagraphAlign::Justify
                                     : ParagraphAlign::Left;
        } else if (name == "ansicpg") {
            codePage_ = static_cast<int>(parameter);
        } else if (name == "ansi") {
            codePage_ = 1252;
        } else if (name == "pc") {
            codePage_ = 437;
        } else if (name == "pca") {
            codePage_ = 850;
        } else {
            for (const auto& s : specialCharacters)
                if (name == s.word)
                    text(s.character);
        }
    }

    void colorComponent(std::string_view name, long value)
    {
        const auto component = static_cast<std::uint32_t>(std::clamp(value, 0L, 255L));
        std::uint32_t* target = name == "red"     ? &red_
                                : name == "green" ? &green_
                                : name == "blue"  ? &blue_
                                                  : nullptr;
        if (target) {
            *target = component;
            colorGiven_ = true;
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
            text(static_cast<char32_t>(value));
        }
    }

    // A text byte, raw or written as \'hh, in the document's code page.
    void byte(unsigned char b)
    {
        if (skipping())
            return;
        if (group().destination == Destination::ColorTable) {
            if (b == ';')
                commitColor();
            return;
        }
        if (consumeSkipped() || b == 0)
            return;
        text(encoding::decodeByte(b, codePage_));
    }

    void commitColor()
    {
        if (colorDone_ || colors_.size() >= maxColors)
            return;
        if (colorGiven_)
            colors_.push_back((red_ << 16) | (green_ << 8) | blue_);
        else
            colors_.push_back(std::nullopt); // the "auto" entry: the window-text colour
        red_ = green_ = blue_ = 0;
        colorGiven_ = false;
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
        append(c);
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
    std::vector<std::optional<std::uint32_t>> colors_;
    std::uint32_t red_ = 0, green_ = 0, blue_ = 0;
    bool colorGiven_ = false;
    bool colorDone_ = false; // one colour table per document
    TextDocument doc_;
};

} // namespace

bool isRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

TextDocument readRtf(std::string_view bytes) { return RtfParser(bytes).read(); }

} // namespace reader
