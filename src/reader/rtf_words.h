#pragma once

#include "reader/text_document.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the RTF reader looks up: the destinations it skips, the control words that stand for a
// character or set a paragraph's format, and the document's colour and font tables. A font gives its
// face and kind to the runs set in it; the symbol fonts that word processors write list bullets in
// change what a byte means instead.
namespace reader::rtf {

// Groups whose text is not document text.
bool isSkippedDestination(std::string_view word);

// The character a control symbol such as \~ or \{ stands for; 0 for other symbols.
char32_t controlSymbol(char symbol);

// The character a control word such as \bullet or \emdash stands for; 0 for other words.
char32_t specialCharacter(std::string_view word);

// Applies a paragraph's control word (\pard, \qc, \li, \fi, \tx, ...); false for other words.
bool paragraphWord(TextFormat& format, std::string_view name, long parameter);

enum class FontKind { Text, Symbol, Wingdings };

// The character a byte (or the code point U+F0xx that stands for it) shows in a symbol font;
// 0 where the reader knows none.
char32_t symbolCharacter(FontKind kind, unsigned char byte);

// \colortbl: entries of \redN\greenN\blueN ended by ';'; an empty entry is the window-text colour.
class ColorTable {
  public:
    void word(std::string_view name, long value);
    void byte(unsigned char b);
    void close() { done_ = true; } // one colour table per document
    std::optional<std::uint32_t> at(long index) const;

  private:
    std::vector<std::optional<std::uint32_t>> colors_;
    std::uint32_t red_ = 0, green_ = 0, blue_ = 0;
    bool given_ = false;
    bool done_ = false;
};

// \fonttbl: entries of \fN, a family (\froman, \fmodern, ...), \fcharsetN, \fprqN and a name
// ended by ';'.
class FontTable {
  public:
    void word(std::string_view name, long value);
    void byte(unsigned char b);
    FontKind kind(long number) const;
    // Sets the run's face and kind from font `number`; an unknown font is the view's own face.
    void apply(long number, TextFormat& format) const;

  private:
    struct Font {
        FontKind kind = FontKind::Text;
        std::string name;
        FaceKind face = FaceKind::Default;
    };
    std::map<long, Font> fonts_;
    long number_ = 0;
    long charset_ = 0;
    FaceKind face_ = FaceKind::Default;
    bool fixedPitch_ = false;
    std::string name_;
};

} // namespace reader::rtf
