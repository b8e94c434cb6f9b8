#include "base/errors.h"
#include "settings/settings_line.h"

#include <gtest/gtest.h>

namespace {

using settings::SettingsValues;

SettingsValues allLists(int index, int quality, int volume, int speed)
{
    SettingsValues v;
    for (auto piece : settings::digitPieces)
        v.*piece = index;
    v.sqbar = quality;
    v.volbar = volume;
    v.speed = speed;
    return v;
}

SettingsValues firstExample()
{
    SettingsValues v = allLists(0, 5, 15, 100);
    v.computer = 1;
    v.freq = 1;
    v.Svram = 1;
    v.sccselect = 1;
    return v;
}

TEST(SettingsLine, WritesTheTwoKnownLinesByteForByte)
{
    EXPECT_EQ(settings::encode(firstExample()), "11010050010000015#10000\r\n");
    EXPECT_EQ(settings::encode(allLists(0, 5, 7, 50)), "0000005000000007#5000\r\n");
}

TEST(SettingsLine, NoSelectionIsWrittenAsNineAndKeepsEveryPieceInPlace)
{
    const std::string text = settings::encode(allLists(-1, 5, 15, 100));
    EXPECT_EQ(text, "999999599999999"
                    "15#10000\r\n");
    EXPECT_EQ(settings::decode(text), allLists(9, 5, 15, 100));
}

struct RoundTrip {
    SettingsValues values;
    const char* line;
};

class SettingsRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(SettingsRoundTrip, LoadsBackWhatItWrote)
{
    const RoundTrip& c = GetParam();
    const std::string text = settings::encode(c.values);
    EXPECT_EQ(text, std::string(c.line) + "\r\n");
    EXPECT_EQ(settings::decode(text), c.values);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsRoundTrip,
    ::testing::Values(RoundTrip{firstExample(), "11010050010000015#10000"},
                      RoundTrip{allLists(0, 5, 7, 50), "0000005000000007#5000"},
                      RoundTrip{allLists(1, 1, 9, 1), "1111111111111119#100"},     // marker at 17
                      RoundTrip{allLists(2, 3, 10, 50), "22222232222222210#5000"}, // marker at 18
                      RoundTrip{allLists(5, 4, 0, 500), "5555554555555550#50000"},
                      RoundTrip{allLists(3, 2, 15, 499), "33333323333333315#49900"}));

struct BadLine {
    const char* line;
    const char* message; // null: the line loads
};

void PrintTo(const BadLine& c, std::ostream* os) { *os << '"' << c.line << '"'; }

class SettingsBadLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(SettingsBadLine, ReportsTheFirstTextThatIsNoNumber)
{
    const BadLine& c = GetParam();
    if (c.message == nullptr) {
        EXPECT_NO_THROW(settings::decode(c.line));
        return;
    }
    try {
        settings::decode(c.line);
        FAIL() << "no error for " << c.line;
    } catch (const VeldrunError& e) {
        EXPECT_EQ(std::string(e.what()), std::string("'") + c.message + "' is not a valid integer value");
    }
}

// Each position of both known lines holding a letter, short lines and odd numbers.
INSTANTIATE_TEST_SUITE_P(
    EachPosition, SettingsBadLine,
    ::testing::Values(BadLine{"x1010050010000015#10000", "x"}, BadLine{"1101x050010000015#10000", "x"},
                      BadLine{"110100x0010000015#10000", "x"}, BadLine{"11010050010000x15#10000", "x"},
                      BadLine{"110100500100000x5#10000", "x5"}, BadLine{"1101005001000001x#10000", "1x"},
                      BadLine{"11010050010000015x10000", nullptr}, // the marker's place is not read
                      BadLine{"11010050010000015#x0000", "x00"}, BadLine{"11010050010000015#10x00", "10x"},
                      BadLine{"11010050010000015#100xy", nullptr}, // nor is the closing "00"
                      BadLine{"000000500000000x#5000", "x"}, BadLine{"0000005000000007x5000", "7x"},
                      BadLine{"0000005000000007#x000", "x0"}, BadLine{"0000005000000007#5x00", "5x"}));

INSTANTIATE_TEST_SUITE_P(
    ShortAndOdd, SettingsBadLine,
    ::testing::Values(BadLine{"", "#13"}, BadLine{"1101", "#13"}, BadLine{"110100500100000", "#13#10"},
                      BadLine{"1101005001000001", "1#13"}, BadLine{"11010050010000015#", ""},
                      BadLine{"11010050010000015#1", ""}, BadLine{"11010050010000015# 100", " 1"},
                      BadLine{"11010050010000015#-10000", "-100"},
                      BadLine{"11010050010000015#9999999999900", "99999999999"},
                      BadLine{"11010050010000015#1234567890123456789012345678901234567890123400",
                              "1234567890123456789012345678901234567890..."},
                      BadLine{"\xE9"
                              "1010050010000015#10000",
                              "\xC3\xA9"}, // Windows-1252 e acute
                      BadLine{"\t1010050010000015#10000", "#9"}));

TEST(SettingsLine, ReadsOnlyTheFirstLineWhateverEndsIt)
{
    for (const char* text : {"11010050010000015#10000\r\nrubbish", "11010050010000015#10000\nrubbish",
                             "11010050010000015#10000\rrubbish", "11010050010000015#10000"})
        EXPECT_EQ(settings::decode(text), firstExample()) << text;
}

TEST(SettingsLine, ReturnsDigitsAndNumbersAsReadForTheControlsToLimit)
{
    const SettingsValues v = settings::decode("7900000000000009"
                                              "9#99900");
    EXPECT_EQ(v.computer, 7);
    EXPECT_EQ(v.freq, 9);
    EXPECT_EQ(v.sqbar, 0);
    EXPECT_EQ(v.volbar, 99);
    EXPECT_EQ(v.speed, 999);
    EXPECT_EQ(settings::decode("00000050000000007#5000").volbar, 7) << "a leading zero is a digit";
}

} // namespace
