#include "reader/rtf_reader.h"
#include "reader/text_decoding.h"

#include <gtest/gtest.h>

static void PrintTo(const TextRun& r, std::ostream* os)
{
    *os << '"' << r.text << '"' << (r.format.bold ? " b" : "") << (r.format.italic ? " i" : "")
        << (r.format.underline ? " ul" : "") << (r.format.strike ? " strike" : "") << " fs"
        << r.format.halfPoints << " align" << static_cast<int>(r.format.align) << " li" << r.format.leftIndent
        << " fi" << r.format.firstIndent << " tabs" << r.format.tabs.size() << " face'" << r.format.face
        << "'" << static_cast<int>(r.format.faceKind) << " sb" << r.format.spaceBefore << " sa"
        << r.format.spaceAfter << " sl" << r.format.lineSpacing << (r.format.lineMultiple ? "*" : "");
    if (r.format.color)
        *os << " cf#" << std::hex << *r.format.color << std::dec;
}

namespace {

using reader::readRtf;

struct RtfCase {
    const char* name;
    std::string rtf;
    std::vector<TextRun> runs;
};

void PrintTo(const RtfCase& c, std::ostream* os) { *os << c.rtf; }

// Formats written the way the document asks for them: F().b().size(32).
struct F {
    TextFormat f;
    F& b()
    {
        f.bold = true;
        return *this;
    }
    F& i()
    {
        f.italic = true;
        return *this;
    }
    F& ul()
    {
        f.underline = true;
        return *this;
    }
    F& strike()
    {
        f.strike = true;
        return *this;
    }
    F& size(int halfPoints)
    {
        f.halfPoints = halfPoints;
        return *this;
    }
    F& color(std::uint32_t rgb)
    {
        f.color = rgb;
        return *this;
    }
    F& align(ParagraphAlign a)
    {
        f.align = a;
        return *this;
    }
    F& indent(int left, int first, std::vector<int> tabs)
    {
        f.leftIndent = left;
        f.firstIndent = first;
        f.tabs = std::move(tabs);
        return *this;
    }
    F& face(std::string name, FaceKind kind)
    {
        f.face = std::move(name);
        f.faceKind = kind;
        return *this;
    }
    F& spacing(int before, int after, int line, bool multiple)
    {
        f.spaceBefore = before;
        f.spaceAfter = after;
        f.lineSpacing = line;
        f.lineMultiple = multiple;
        return *this;
    }
    operator TextFormat() const { return f; }
};

class Rtf : public ::testing::TestWithParam<RtfCase> {};

TEST_P(Rtf, ReadsTextAndFormatting)
{
    const TextDocument doc = readRtf(GetParam().rtf);
    EXPECT_EQ(doc.runs, GetParam().runs);
}

const TextFormat plain{};
const TextFormat bold = F().b();

INSTANTIATE_TEST_SUITE_P(
    Formatting, Rtf,
    ::testing::Values(
        RtfCase{"Plain", R"({\rtf1\ansi\deff0 Hello, world})", {{"Hello, world", plain}}},
        RtfCase{"Breaks", R"({\rtf1 a\par b\line c\tab d\page e})", {{"a\nb\u2028c\td\ne", plain}}},
        RtfCase{"Switches",
                R"({\rtf1 n{\b bold}\i it\i0 \ul u\ulnone x\strike s\strike0 \b1 B\b0 })",
                {{"n", plain},
                 {"bold", bold},
                 {"it", F().i()},
                 {"u", F().ul()},
                 {"x", plain},
                 {"s", F().strike()},
                 {"B", bold}}},
        RtfCase{
            "SizeAndColour",
            R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\fs32\cf1 red\cf2 blue\cf0 auto\cf9 x})",
            {{"red", F().size(32).color(0xFF0000)},
             {"blue", F().size(32).color(0x0000FF)},
             {"autox", F().size(32)}}},
        RtfCase{"PlainKeepsAlignment",
                R"({\rtf1\qc\b x\plain y\par\pard z})",
                {{"x", F().b().align(ParagraphAlign::Center)},
                 {"y\n", F().align(ParagraphAlign::Center)},
                 {"z", plain}}},
        RtfCase{"NestedGroupsRestore",
                R"({\rtf1 a{\b b{\i c}d}e})",
                {{"a", plain}, {"b", bold}, {"c", F().b().i()}, {"d", bold}, {"e", plain}}},
        RtfCase{"Symbols",
                R"({\rtf1 a\~b\-c\_d\{\}\\\emdash\bullet\lquote})",
                {{"a\u00A0b\u00ADc\u2011d{}\\\u2014\u2022\u2018", plain}}},
        RtfCase{"UnknownWordsIgnored", R"({\rtf1\foo123 x\bar-5 y\zzz})", {{"xy", plain}}},
        RtfCase{"HiddenTextHidden", R"({\rtf1 a{\v secret\par}b\v c\v0 d\v e\plain f})", {{"abdf", plain}}},
        RtfCase{"ParagraphSpacingUntilPard",
                R"({\rtf1\pard\sb200\sa80\sl-300 a\plain\par\pard\sl360\slmult1 b\par\pard\sa-5 c})",
                {{"a\n", F().spacing(200, 80, -300, false)},
                 {"b\n", F().spacing(0, 0, 360, true)},
                 {"c", plain}}},
        RtfCase{"IndentsAndTabStops",
                R"({\rtf1\pard\fi-360\li720\tx1440\tx720 1.\tab x\par\pard y})",
                {{"1.\tx\n", F().indent(720, -360, {720, 1440})}, {"y", plain}}}));

INSTANTIATE_TEST_SUITE_P(
    Destinations, Rtf,
    ::testing::Values(
        RtfCase{"Skipped",
                R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}{\stylesheet{\s0 Normal;}}{\info{\title T}})"
                R"({\*\generator W;}{\pict\wmetafile8 0a0b}{\object x}a{\*\unknown skip}b{\header h}c})",
                {{"abc", plain}}},
        RtfCase{"FieldShowsItsResult",
                R"({\rtf1{\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt link}}})",
                {{"link", plain}}},
        RtfCase{
            "WordProcessorsField",
            R"({\rtf1{\field\flddirty{\*\fldinst {\rtlch HYPERLINK "http://x" }}{\fldrslt {\rtlch\ul link}}}})",
            {{"link", F().ul()}}},
        RtfCase{"TableRowsAreTabSeparatedParagraphs",
                R"({\rtf1\trowd\cellx1000\cellx2000\pard\intbl Key\cell Meaning\cell\row)"
                R"(\trowd\pard\intbl F1\cell\cell Help\par more\cell\row\pard after\par})",
                {{"Key\tMeaning\nF1\t\tHelp more\nafter\n", plain}}},
        RtfCase{"SymbolFontBullets",
                R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f3\froman\fcharset2{\*\panose 0501}Symbol;})"
                R"({\f9\fnil\fcharset2 Wingdings;}}{\listtext\f3\'b7\tab}a{\f9\'a7}\'b7{\f3\u-3913?}})",
                {{"\u2022\ta\u25AA\u00B7\u2022", plain}}},
        RtfCase{
            "FontFamiliesAndMonospaceFaces",
            R"({\rtf1\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern\fcharset0 Courier New;}{\f2\fnil Consolas;})"
            R"({\f3\froman\fprq1 Fixed ;}{\f4\froman Times;}{\f5\fnil\fcharset2 Symbol;}})"
            R"(\f1 a\f2 b\f3 c\f4 d\f5 e\f9 f\f4\plain g})",
            {{"a", F().face("Courier New", FaceKind::Monospace)},
             {"b", F().face("Consolas", FaceKind::Monospace)},
             {"c", F().face("Fixed", FaceKind::Monospace)},
             {"d", F().face("Times", FaceKind::Serif)},
             {"ef", plain},
             {"g", F().face("Arial", FaceKind::SansSerif)}}},
        RtfCase{"BinaryDataSkipped", "{\\rtf1 a{\\pict\\bin4 }{\\}}b}", {{"ab", plain}}},
        RtfCase{"RawLineEndsIgnored", "{\\rtf1 a\r\nb\\\nc}", {{"ab\nc", plain}}}));

INSTANTIATE_TEST_SUITE_P(
    Characters, Rtf,
    ::testing::Values(
        RtfCase{"Windows1252", R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80\'93})", {{"café €“", plain}}},
        RtfCase{"DefaultIs1252", R"({\rtf1 \'fc})", {{"ü", plain}}},
        RtfCase{"Cp437", R"({\rtf1\ansi\ansicpg437 \'82\'b0\'e1})", {{"é░ß", plain}}},
        RtfCase{"Cp850", R"({\rtf1\ansicpg850 \'9b\'d0})", {{"øð", plain}}},
        RtfCase{"PcAndPca", R"({\rtf1\pc \'81{\pca\'9d}})", {{"üØ", plain}}},
        RtfCase{"RawHighBytes", "{\\rtf1\\ansicpg437 \x82}", {{"é", plain}}},
        RtfCase{"Unicode", R"({\rtf1\uc1 \u8364? \u20320?\u22909?})", {{"€ 你好", plain}}},
        RtfCase{"SurrogatePair", R"({\rtf1 \u-10179?\u-8704?!})", {{"\U0001F600!", plain}}},
        RtfCase{"LoneSurrogate", R"({\rtf1 \u-10179?x})", {{"\uFFFDx", plain}}},
        RtfCase{"SkipCountTwo", R"({\rtf1\uc2\u233 ab c})", {{"é c", plain}}},
        RtfCase{"SkipCountZero", R"({\rtf1\uc0\u233 x})", {{"éx", plain}}},
        RtfCase{"EscapeCountsAsOne", R"({\rtf1\u233\'e9x})", {{"éx", plain}}},
        RtfCase{"SkipCountIsPerGroup", R"({\rtf1{\uc3 }\u233 ab})", {{"éb", plain}}},
        RtfCase{"GroupEndStopsSkipping", R"({\rtf1\uc4\u233{\b x}})", {{"é", plain}, {"x", bold}}}));

INSTANTIATE_TEST_SUITE_P(
    Unbalanced, Rtf,
    ::testing::Values(RtfCase{"MissingClose", R"({\rtf1 a{\b b)", {{"a", plain}, {"b", bold}}},
                      RtfCase{"ExtraClose", R"({\rtf1 {\b x}}}y})", {{"x", bold}}},
                      RtfCase{"TextAfterTheDocument", R"({\rtf1 a}b)", {{"a", plain}}},
                      RtfCase{"TruncatedBackslash", "{\\rtf1 a\\", {{"a", plain}}},
                      RtfCase{"TruncatedHex", "{\\rtf1 a\\'4", {{"a", plain}}},
                      RtfCase{"ShortHex", "{\\rtf1 a\\'4x}", {{"ax", plain}}},
                      RtfCase{"TruncatedUnicode", "{\\rtf1 a\\u", {{"a", plain}}},
                      RtfCase{"SignWithoutDigits", "{\\rtf1 a\\u-", {{"a-", plain}}},
                      RtfCase{"HugeParameter",
                              "{\\rtf1 a\\fs99999999999999999999 b}",
                              {{"a", plain}, {"b", F().size(1000)}}},
                      RtfCase{"HugeBinaryCount", "{\\rtf1 a\\bin99999999999 xyz}", {{"a", plain}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfHostile, DeepNestingIsBoundedAndLinear)
{
    const std::size_t n = 1'000'000;
    std::string deep = "{\\rtf1 a" + std::string(n, '{') + "deep" + std::string(n, '}') + "b}";
    EXPECT_EQ(readRtf(deep).plainText(), "ab") << "groups beyond the limit are skipped";

    std::string shallow = "{\\rtf1 ";
    for (int i = 0; i < 50; ++i)
        shallow += "{\\b ";
    shallow += "x" + std::string(50, '}') + "y}";
    EXPECT_EQ(readRtf(shallow).plainText(), "xy");

    std::string pairs = "{\\rtf1 ";
    for (std::size_t i = 0; i < n; ++i)
        pairs += "{}";
    EXPECT_EQ(readRtf(pairs + "z}").plainText(), "z");
}

TEST(RtfHostile, OutputGrowsNoFasterThanTheInput)
{
    std::string input = "{\\rtf1 ";
    std::uint32_t seed = 12345;
    for (int i = 0; i < 1'000'000; ++i) {
        seed = seed * 1103515245 + 12345;
        input += static_cast<char>(seed >> 16);
    }
    input += std::string(5000, 'a'); // a very long control word
    input.insert(input.size() - 5000, "\\");
    const TextDocument doc = readRtf(input);
    std::size_t bytes = 0;
    for (const auto& r : doc.runs)
        bytes += r.text.size();
    EXPECT_LE(bytes, 4 * input.size());
    EXPECT_LE(doc.runs.size(), input.size());
}

struct PlainCase {
    std::string bytes;
    std::string text;
};

class PlainText : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainText, EndsLinesAndDecodes)
{
    const TextDocument doc = reader::readDocument(GetParam().bytes);
    EXPECT_EQ(doc.plainText(), GetParam().text);
    for (const auto& r : doc.runs)
        EXPECT_EQ(r.format, TextFormat{});
}

INSTANTIATE_TEST_SUITE_P(Table, PlainText,
                         ::testing::Values(PlainCase{"a\r\nb\nc\rd\r\n", "a\nb\nc\nd"},
                                           PlainCase{"\r\r", "\n"}, PlainCase{"\n\r\n", "\n"},
                                           PlainCase{"", ""},
                                           PlainCase{"caf\xC3\xA9 \xE2\x82\xAC", "café €"}, // UTF-8
                                           PlainCase{"caf\xE9 \x80", "café €"},             // Windows-1252
                                           PlainCase{"\xC3\xA9 \xE9", "Ã© é"},              // not all UTF-8
                                           PlainCase{"\xC0\xAF", "À¯"},                     // overlong form
                                           PlainCase{"\xED\xA0\x80", "í\u00A0€"},           // a surrogate
                                           PlainCase{"\xEF\xBB\xBFhi\r\n", "hi"},           // byte-order mark
                                           PlainCase{"{\\rt", "{\\rt"}, PlainCase{"{\\RTF1 x}", "{\\RTF1 x}"},
                                           PlainCase{"-cpuspeed 50 -sq 5\r\n", "-cpuspeed 50 -sq 5"}));

TEST(ReadDocument, RecognisesRtfByItsStart)
{
    EXPECT_TRUE(reader::isRtf("{\\rtf1 x}"));
    EXPECT_FALSE(reader::isRtf(" {\\rtf1 x}"));
    EXPECT_EQ(reader::readDocument("{\\rtf1\\b x}").runs, (std::vector<TextRun>{{"x", bold}}));
}

} // namespace
