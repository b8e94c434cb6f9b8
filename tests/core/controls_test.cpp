#include "form/tform1.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionList, OutOfRangeMeansNothingSelected)
{
    LauncherState s;
    for (int bad : {-5, -1, 3, 7, 100}) {
        s.computer.select(1);
        s.computer.select(bad);
        EXPECT_EQ(s.computer.index(), -1) << bad;
    }
    s.Svram.select(2);
    EXPECT_EQ(s.Svram.index(), 2) << "the empty item is a legal choice";
    EXPECT_EQ(s.Svram.text(), "");
}

TEST(LauncherState, ValuesAtWindowCreation)
{
    LauncherState s;
    for (const OptionList* l :
         {&s.computer, &s.freq, &s.Sram, &s.Svram, &s.resolutie, &s.sccselect, &s.FMPACselect, &s.sadapter,
          &s.spritegroup, &s.vdpgroup, &s.vgabox, &s.syncbox, &s.slota, &s.slotb})
        EXPECT_EQ(l->index(), -1);
    EXPECT_FALSE(s.painterbox.checked);
    EXPECT_EQ(s.diskafile, "");
    EXPECT_EQ(s.diskbfile, "");
    EXPECT_EQ(s.default_, "default");
    EXPECT_EQ(s.emulatorexe, "fmsx-dos.exe");
    EXPECT_EQ(s.slota.items()[4], "ASCII 8kB     ");
    EXPECT_EQ(s.slotb.items()[2], "Konami5 8kB  ");
}

struct TrackCase {
    TrackBar LauncherState::*bar;
    std::string LauncherState::*label;
    int set;
    const char* expectedLabel;
    bool rebuilds;
};

class TrackBars : public ::testing::TestWithParam<TrackCase> {};

TEST_P(TrackBars, ClampAndRebuildOnlyOnRealChange)
{
    FakeServices fakes;
    TForm1 form{fakes.services()};
    form.state.editline = "before";
    const TrackCase& c = GetParam();
    (form.state.*c.bar).setPosition(c.set);
    EXPECT_EQ(form.state.*c.label, c.expectedLabel);
    EXPECT_EQ(form.state.editline != "before", c.rebuilds);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrackBars,
    ::testing::Values(TrackCase{&LauncherState::volbar, &LauncherState::Label12, 20, "15", false},
                      TrackCase{&LauncherState::volbar, &LauncherState::Label12, 15, "15", false},
                      TrackCase{&LauncherState::volbar, &LauncherState::Label12, -3, "0", true},
                      TrackCase{&LauncherState::volbar, &LauncherState::Label12, 9, "9", true},
                      TrackCase{&LauncherState::sqbar, &LauncherState::Label13, 0, "1", true},
                      TrackCase{&LauncherState::sqbar, &LauncherState::Label13, 9, "5", false},
                      TrackCase{&LauncherState::TrackBar1, &LauncherState::speedlabel, 501, "500", true},
                      TrackCase{&LauncherState::TrackBar1, &LauncherState::speedlabel, 100, "100", false},
                      TrackCase{&LauncherState::TrackBar1, &LauncherState::speedlabel, 0, "1", true}));

TEST(SpinButton, StepsWithinOneToFiveHundred)
{
    FakeServices fakes;
    TForm1 form{fakes.services()};
    form.SpinButton1UpClick();
    EXPECT_EQ(form.state.speedlabel, "101");
    EXPECT_NE(form.state.editline.find("-cpuspeed 101"), std::string::npos);

    form.state.TrackBar1.setPosition(500);
    form.state.editline = "unchanged";
    form.SpinButton1UpClick();
    EXPECT_EQ(form.state.TrackBar1.position(), 500);
    EXPECT_EQ(form.state.editline, "unchanged");

    form.state.TrackBar1.setPosition(1);
    form.state.editline = "unchanged";
    form.SpinButton1DownClick();
    EXPECT_EQ(form.state.TrackBar1.position(), 1);
    EXPECT_EQ(form.state.speedlabel, "1");
    EXPECT_EQ(form.state.editline, "unchanged");
}

TEST(OptionHandlers, EachRebuildsTheLine)
{
    FakeServices fakes;
    TForm1 form{fakes.services()};
    for (auto handler : {&TForm1::freqClick, &TForm1::SRamClick, &TForm1::SvramClick, &TForm1::resolutieClick,
                         &TForm1::sadapterClick, &TForm1::spritegroupChange, &TForm1::vdpgroupChange,
                         &TForm1::painterboxClick, &TForm1::sccselectClick, &TForm1::FMPACselectClick}) {
        form.state.editline = "stale";
        (form.*handler)();
        EXPECT_NE(form.state.editline, "stale");
    }
}

TEST(ErrorBoxText, FullStopOnlyAfterCharactersSortingAfterDot)
{
    struct Case {
        const char* in;
        const char* out;
    };
    for (auto c : {Case{"Cannot open file /a/b.bmp", "Cannot open file /a/b.bmp."},
                   Case{"No MCI device open", "No MCI device open."}, Case{"Done.", "Done."},
                   Case{"Really!", "Really!"}, Case{"value 5", "value 5."}, Case{"(x)", "(x)"},
                   Case{"a-", "a-"}, Case{"", ""}})
        EXPECT_EQ(errorBoxText(c.in), c.out) << c.in;
}

} // namespace
