#include "form/tform1.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

struct ReaderCase {
    const char* name;
    void (TForm1::*handler)();
    const char* caption;
    const char* formed; // the path as formed under the application directory
    const char* onDisk; // where the file lies
};

class ReaderHandlers : public ::testing::TestWithParam<ReaderCase> {
  protected:
    ReaderHandlers() { form.state.default_ = dir.path; }
    TempDir dir;
    FakeServices fakes;
    TForm1 form{fakes.services()};
};

TEST_P(ReaderHandlers, CaptionThenTextThenShow)
{
    const ReaderCase& c = GetParam();
    dir.write(c.onDisk, "first line\r\nsecond line\r\n");
    form.reader.Caption = "something else";
    (form.*c.handler)();
    EXPECT_EQ(form.reader.Caption, c.caption);
    EXPECT_EQ(form.reader.fmsxman.plainText(), "first line\nsecond line");
    EXPECT_EQ(fakes.windows.readerShows, 1);
}

TEST_P(ReaderHandlers, FileThatCannotBeOpenedKeepsTheTextAndShowsNothing)
{
    const ReaderCase& c = GetParam();
    form.reader.fmsxman.runs = {{"old text", {}}};
    form.reader.Caption = "before";
    try {
        (form.*c.handler)();
        FAIL();
    } catch (const VeldrunError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + dir.path + c.formed);
    }
    EXPECT_EQ(form.reader.Caption, c.caption);
    EXPECT_EQ(form.reader.fmsxman.plainText(), "old text");
    EXPECT_EQ(fakes.windows.readerShows, 0);
}

TEST_P(ReaderHandlers, FifoIsRefusedAtOnceAndAHugeTextIsCutWithALineSayingSo)
{
    const ReaderCase& c = GetParam();
    dir.write(c.onDisk, "");
    std::filesystem::remove(dir.file(c.onDisk));
    ASSERT_EQ(::mkfifo(dir.file(c.onDisk).c_str(), 0644), 0);
    EXPECT_THROW((form.*c.handler)(), VeldrunError);

    // 3 MiB of two-byte characters after one byte: the cut falls inside a character, which must
    // not turn the whole text into the western code page.
    std::filesystem::remove(dir.file(c.onDisk));
    std::string text = "a";
    for (int i = 0; i < (3 << 19); ++i)
        text += "\xc3\xa9";
    dir.write(c.onDisk, text);
    (form.*c.handler)();
    const std::string shown = form.reader.fmsxman.plainText();
    EXPECT_LT(shown.size(), (2u << 20) + 100);
    EXPECT_EQ(shown.substr(0, 5), "a\xc3\xa9\xc3\xa9");
    EXPECT_TRUE(shown.ends_with("\xc3\xa9\n[The file is longer than 2 MiB: the text was cut here.]"));
}

INSTANTIATE_TEST_SUITE_P(Table, ReaderHandlers,
                         ::testing::Values(ReaderCase{"Manual", &TForm1::fmsxhelpClick, "fMSX-Dos manual",
                                                      "/Emulator/fmsx-dos.txt", "emulator/FMSX-DOS.TXT"},
                                           ReaderCase{"About", &TForm1::About1Click, "About Veldrun 2.0c",
                                                      "/About.txt", "About.txt"},
                                           ReaderCase{"ResponseFile", &TForm1::TULKCFG1Click,
                                                      "View TULK.CFG file", "/TULK.CFG", "TULK.CFG"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReaderHandler, NextLoadReplacesTextAndCaptionTogether)
{
    TempDir dir;
    FakeServices fakes;
    TForm1 form{fakes.services()};
    form.state.default_ = dir.path;
    dir.write("About.txt", "{\\rtf1 {\\b Veldrun} 2.0c}");
    dir.write("emulator/fmsx-dos.txt", "manual");
    form.fmsxhelpClick();
    const unsigned loads = form.reader.loads;
    EXPECT_THROW(form.TULKCFG1Click(), VeldrunError);
    EXPECT_EQ(form.reader.loads, loads) << "a failed load is no new text";
    form.About1Click();
    EXPECT_EQ(form.reader.Caption, "About Veldrun 2.0c");
    EXPECT_EQ(form.reader.fmsxman.plainText(), "Veldrun 2.0c");
    EXPECT_TRUE(form.reader.fmsxman.runs[0].format.bold);
    EXPECT_EQ(form.reader.loads, loads + 1);
}

} // namespace
