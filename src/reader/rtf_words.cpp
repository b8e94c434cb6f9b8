#include "reader/rtf_words.h"

#include <algorithm>
#include <array>
#include <span>

namespace reader::rtf {
namespace {

constexpr std::size_t maxColors = 1024;
constexpr std::size_t maxFonts = 1024;
constexpr std::size_t maxFontName = 64;
constexpr std::size_t maxTabs = 64;
constexpr long maxIndent = 31'680; // 22 inches, in twips

// clang-format off
constexpr std::array<std::string_view, 34> skippedDestinations{
    "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf",
    "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "pn", "themedata",
    "colorschememapping", "latentstyles", "datastore", "listtable", "listoverridetable", "rsidtbl",
    "generator", "xmlnstbl", "filetbl", "revtbl", "nonshppict", "shpinst", "bkmkstart", "bkmkend",
    "xe", "tc", "txe", "nonesttables"};
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

struct Glyph {
    unsigned char byte;
    char32_t character;
};

// The bullets lists are written with; the rest of these fonts is pictures and Greek.
constexpr std::array<Glyph, 2> symbolGlyphs{{{0xB7, U'\u2022'}, {0xA8, U'\u2666'}}};
constexpr std::array<Glyph, 9> wingdingsGlyphs{{{0x6C, U'\u25CF'},
                                                {0x6E, U'\u25A0'},
                                                {0x71, U'\u2751'},
                                                {0x76, U'\u2756'},
                                                {0x9F, U'\u2022'},
                                                {0xA7, U'\u25AA'},
                                                {0xD8, U'\u27A2'},
                                                {0xFB, U'\u2717'},
                                                {0xFC, U'\u2713'}}};

struct Family {
    std::string_view word;
    FaceKind kind;
};
constexpr std::array<Family, 7> families{{{"fnil", FaceKind::Default},
                                          {"froman", FaceKind::Serif},
                                          {"fswiss", FaceKind::SansSerif},
                                          {"fmodern", FaceKind::Monospace},
                                          {"fscript", FaceKind::Script},
                                          {"fdecor", FaceKind::Decorative},
                                          {"ftech", FaceKind::Default}}};

// Faces that documents name under \fnil or without their pitch, where the kind alone would not tell.
constexpr std::array<std::string_view, 8> monospaceFaces{
    "Courier", "Courier New", "Consolas", "Lucida Console", "Terminal", "Fixedsys", "Menlo", "Monaco"};

std::string_view trimmed(std::string_view name)
{
    while (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return name;
}

FontKind kindOf(std::string_view name, long charset)
{
    if (name.starts_with("Wingdings"))
        return FontKind::Wingdings;
    if (name.starts_with("Symbol") || charset == 2) // 2: the symbol character set
        return FontKind::Symbol;
    return FontKind::Text;
}

} // namespace

bool isSkippedDestination(std::string_view word)
{
    return std::find(skippedDestinations.begin(), skippedDestinations.end(), word) !=
           skippedDestinations.end();
}

char32_t controlSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        return static_cast<unsigned char>(symbol);
    case '~':
        return U'\u00A0';
    case '-':
        return U'\u00AD';
    case '_':
        return U'\u2011';
    case '\r':
    case '\n':
        return U'\n';
    default:
        return 0;
    }
}

char32_t specialCharacter(std::string_view word)
{
    for (const auto& s : specialCharacters)
        if (word == s.word)
            return s.character;
    return 0;
}

bool paragraphWord(TextFormat& f, std::string_view name, long parameter)
{
    const auto twips = static_cast<int>(std::clamp(parameter, -maxIndent, maxIndent));
    if (name == "pard") {
        f.align = ParagraphAlign::Left;
        f.leftIndent = f.firstIndent = f.spaceBefore = f.spaceAfter = f.lineSpacing = 0;
        f.lineMultiple = false;
        f.tabs.clear();
    } else if (name == "ql" || name == "qc" || name == "qr" || name == "qj") {
        f.align = name == "qc"   ? ParagraphAlign::Center
                  : name == "qr" ? ParagraphAlign::Right
                  : name == "qj" ? ParagraphAlign::Justify
                                 : ParagraphAlign::Left;
    } else if (name == "li") {
        f.leftIndent = twips;
    } else if (name == "fi") {
        f.firstIndent = twips;
    } else if (name == "sb" || name == "sa") {
        (name == "sb" ? f.spaceBefore : f.spaceAfter) = std::max(0, twips);
    } else if (name == "sl") {
        f.lineSpacing = twips;
    } else if (name == "slmult") {
        f.lineMultiple = parameter == 1;
    } else if (name == "tx") {
        if (twips > 0 && f.tabs.size() < maxTabs)
            f.tabs.insert(std::upper_bound(f.tabs.begin(), f.tabs.end(), twips), twips);
    } else {
        return false;
    }
    return true;
}

char32_t symbolCharacter(FontKind kind, unsigned char byte)
{
    if (kind == FontKind::Text)
        return 0;
    const std::span<const Glyph> glyphs = kind == FontKind::Symbol ? std::span<const Glyph>(symbolGlyphs)
                                                                   : std::span<const Glyph>(wingdingsGlyphs);
    for (const Glyph& g : glyphs)
        if (g.byte == byte)
            return g.character;
    return 0;
}

void ColorTable::word(std::string_view name, long value)
{
    const auto component = static_cast<std::uint32_t>(std::clamp(value, 0L, 255L));
    std::uint32_t* target = name == "red"     ? &red_
                            : name == "green" ? &green_
                            : name == "blue"  ? &blue_
                                              : nullptr;
    if (target) {
        *target = component;
        given_ = true;
    }
}

void ColorTable::byte(unsigned char b)
{
    if (b != ';' || done_ || colors_.size() >= maxColors)
        return;
    if (given_)
        colors_.push_back((red_ << 16) | (green_ << 8) | blue_);
    else
        colors_.push_back(std::nullopt);
    red_ = green_ = blue_ = 0;
    given_ = false;
}

std::optional<std::uint32_t> ColorTable::at(long index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < colors_.size()
               ? colors_[static_cast<std::size_t>(index)]
               : std::nullopt;
}

void FontTable::word(std::string_view name, long value)
{
    if (name == "f") {
        number_ = value;
        name_.clear();
        charset_ = 0;
        face_ = FaceKind::Default;
        fixedPitch_ = false;
    } else if (name == "fcharset") {
        charset_ = value;
    } else if (name == "fprq") {
        fixedPitch_ = value == 1;
    } else {
        for (const Family& f : families)
            if (name == f.word)
                face_ = f.kind;
    }
}

void FontTable::byte(unsigned char b)
{
    if (b != ';') {
        if (name_.size() < maxFontName)
            name_ += static_cast<char>(b);
        return;
    }
    if (fonts_.size() >= maxFonts && !fonts_.count(number_))
        return;
    const std::string_view name = trimmed(name_);
    Font& font = fonts_[number_];
    font.kind = kindOf(name, charset_);
    font.name = font.kind == FontKind::Text ? std::string(name) : std::string();
    const bool monospace =
        fixedPitch_ || std::find(monospaceFaces.begin(), monospaceFaces.end(), name) != monospaceFaces.end();
    font.face = font.kind != FontKind::Text ? FaceKind::Default : monospace ? FaceKind::Monospace : face_;
    name_.clear();
}

FontKind FontTable::kind(long number) const
{
    const auto found = fonts_.find(number);
    return found == fonts_.end() ? FontKind::Text : found->second.kind;
}

void FontTable::apply(long number, TextFormat& format) const
{
    const auto found = fonts_.find(number);
    format.face = found == fonts_.end() ? std::string() : found->second.name;
    format.faceKind = found == fonts_.end() ? FaceKind::Default : found->second.face;
}

} // namespace reader::rtf
