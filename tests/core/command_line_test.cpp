#include "form/tform1.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class CommandLine : public ::testing::Test {
  protected:
    FakeServices fakes;
    TForm1 form{fakes.services()};
    LauncherState& s = form.state;

    // The worked example: MSX2, Konami5 in slot 1, SCC on, 60Hz, 256Kb Vram.
    void example()
    {
        s.default_ = "/home/ann/msx";
        s.slotafile = "/home/ann/msx/roms/GAME.ROM";
        s.slotatext = "GAME.ROM";
        s.diskafile = "drivea.dsk";
        s.diskbfile = "driveb.dsk";
        s.computer.select(1);
        s.slota.select(2);
        s.slotb.select(0);
        s.resolutie.select(0);
        s.FMPACselect.select(0);
        s.sccselect.select(1);
        s.freq.select(1);
        s.Sram.select(0);
        s.Svram.select(1);
        for (OptionList* l : {&s.sadapter, &s.spritegroup, &s.vdpgroup, &s.vgabox, &s.syncbox})
            l->select(0);
    }
    static constexpr const char* exampleLine =
        "/home/ann/msx/roms/GAME.ROM -diska /home/ann/msx/disks/drivea.dsk -diskb "
        "/home/ann/msx/disks/driveb.dsk -rom 2,0 -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16";
    std::string line()
    {
        form.linecreate();
        return s.editline;
    }
    // The line with the drives and the mapper pair cut away, so each case names only its fragments.
    std::string tail()
    {
        const std::string l = line();
        return l.substr(l.find(" -rom ") + 9);
    }
};

TEST_F(CommandLine, WorkedExampleByteForByte)
{
    example();
    EXPECT_EQ(line(), exampleLine);
}

struct FragmentCase {
    const char* name;
    std::function<void(LauncherState&)> change;
    const char* expectedTail; // the line after " -rom 2,0"
};
void PrintTo(const FragmentCase& c, std::ostream* os) { *os << c.name; }

class Fragments : public CommandLine, public ::testing::WithParamInterface<FragmentCase> {};

TEST_P(Fragments, AppearOnlyWhenTheirValueSaysSo)
{
    example();
    GetParam().change(s);
    EXPECT_EQ(tail(), GetParam().expectedTail);
}

const auto base = " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16";

INSTANTIATE_TEST_SUITE_P(
    Table, Fragments,
    ::testing::Values(
        FragmentCase{"example", [](LauncherState&) {}, base},
        FragmentCase{"volume10", [](LauncherState& s) { s.volbar.setPosition(10); },
                     " -sq 5 -video 0 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"volume9", [](LauncherState& s) { s.volbar.setPosition(9); },
                     " -sq 5 -volume 9 -video 0 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"volume11", [](LauncherState& s) { s.volbar.setPosition(11); },
                     " -sq 5 -volume 11 -video 0 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"volume0", [](LauncherState& s) { s.volbar.setPosition(0); },
                     " -sq 5 -volume 0 -video 0 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"speed99", [](LauncherState& s) { s.speedlabel = "99"; },
                     " -cpuspeed 99 -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"speed500", [](LauncherState& s) { s.speedlabel = "500"; },
                     " -cpuspeed 500 -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"quality1", [](LauncherState& s) { s.sqbar.setPosition(1); },
                     " -sq 1 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"sccOff", [](LauncherState& s) { s.sccselect.select(0); },
                     " -sq 5 -volume 15 -video 0 -scc 0 -ifreq 60 -vram 16"},
        FragmentCase{"fmpacOpl2", [](LauncherState& s) { s.FMPACselect.select(1); },
                     " -sq 5 -volume 15 -video 0 -fmpac 1 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"fmpacBoth", [](LauncherState& s) { s.FMPACselect.select(3); },
                     " -sq 5 -volume 15 -video 0 -fmpac 3 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"freq50", [](LauncherState& s) { s.freq.select(0); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -vram 16"},
        FragmentCase{"ram256", [](LauncherState& s) { s.Sram.select(1); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -ram 16 -vram 16"},
        FragmentCase{"ram512", [](LauncherState& s) { s.Sram.select(2); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -ram 32 -vram 16"},
        FragmentCase{"vram128", [](LauncherState& s) { s.Svram.select(0); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60"},
        FragmentCase{"vramEmptyItem", [](LauncherState& s) { s.Svram.select(2); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60"},
        FragmentCase{"resolution3", [](LauncherState& s) { s.resolutie.select(3); },
                     " -sq 5 -volume 15 -video 3 -scc 1 -ifreq 60 -vram 16"},
        FragmentCase{"sprites", [](LauncherState& s) { s.spritegroup.select(1); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16 -sprite 1"},
        FragmentCase{"adjustFully", [](LauncherState& s) { s.vdpgroup.select(3); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16 -adjust 3"},
        FragmentCase{"painter", [](LauncherState& s) { s.painterbox.click(); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16 -painter 1"},
        FragmentCase{"videoPair", [](LauncherState& s) { s.resolutie.select(2), s.sadapter.select(1); },
                     " -sq 5 -volume 15 -video 2 -scc 1 -ifreq 60 -vram 16 -video 1"},
        FragmentCase{"vesa", [](LauncherState& s) { s.sadapter.select(2); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16 -video 2"},
        FragmentCase{"vga", [](LauncherState& s) { s.vgabox.select(1); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16 -modeswitch 1"},
        FragmentCase{"sync", [](LauncherState& s) { s.syncbox.select(1); },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16 -sync 1"},
        FragmentCase{"allAdvanced",
                     [](LauncherState& s) {
                         s.sadapter.select(2), s.spritegroup.select(1), s.vdpgroup.select(1);
                         s.vgabox.select(1), s.syncbox.select(1), s.painterbox.checked = true;
                     },
                     " -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60 -vram 16 -sprite 1 -adjust 1 -painter 1"
                     " -video 2 -modeswitch 1 -sync 1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct MachineCase {
    int index;
    const char* fragment;
};

TEST_F(CommandLine, MachineFragmentFollowsTheList)
{
    for (auto [index, fragment] : {MachineCase{0, " -msx1 -rom"}, MachineCase{1, "dsk -rom"},
                                   MachineCase{2, " -msx2+ -rom"}, MachineCase{-1, "dsk -rom"}}) {
        example();
        s.computer.select(index);
        EXPECT_NE(line().find(fragment), std::string::npos) << index;
    }
}

TEST_F(CommandLine, MapperPairIsAlwaysThere)
{
    s.default_ = "/d";
    for (int a = -1; a < 6; ++a) {
        s.slota.select(a);
        s.slotb.select(5 - a);
        const std::string expected =
            " -rom " + std::to_string(a) + "," + std::to_string(a == -1 ? -1 : 5 - a);
        EXPECT_NE(line().find(expected), std::string::npos) << a;
    }
}

TEST_F(CommandLine, NothingSelectedAnywhere)
{
    s.default_ = "/d";
    s.diskafile = "drivea.dsk";
    s.diskbfile = "driveb.dsk";
    form.sccpic.visible = false;
    form.fmpic.visible = false;
    EXPECT_EQ(line(), " -diska /d/disks/drivea.dsk -diskb /d/disks/driveb.dsk -rom -1,-1 -sq 5 -volume 15"
                      " -video -1 -fmpac -1 -scc -1 -ifreq 60 -adjust -1");
    EXPECT_TRUE(form.fmpic.visible);
    EXPECT_FALSE(form.sccpic.visible) << "an unselected SCC list keeps its picture's visibility";
}

TEST_F(CommandLine, ChipPicturesFollowTheSoundLists)
{
    example();
    s.sccselect.select(0);
    s.FMPACselect.select(2);
    form.linecreate();
    EXPECT_FALSE(form.sccpic.visible);
    EXPECT_TRUE(form.fmpic.visible);
    s.sccselect.select(1);
    s.FMPACselect.select(0);
    form.linecreate();
    EXPECT_TRUE(form.sccpic.visible);
    EXPECT_FALSE(form.fmpic.visible);
}

TEST_F(CommandLine, MovedCartridgeGivesLeadingBlank)
{
    example();
    s.slotafile.clear();
    s.slotbfile = " /roms/b.rom";
    EXPECT_EQ(line().rfind(" /roms/b.rom -diska ", 0), 0u);
}

TEST_F(CommandLine, DiskMaskPutsBothDrivesBack)
{
    example();
    s.diskatext = "*.dsk";
    s.diskafile = "*.dsk";
    s.diskbfile = "game.dsk";
    s.diskbtext = "game.dsk";
    const std::string l = line();
    EXPECT_EQ(s.diskafile, "drivea.dsk");
    EXPECT_EQ(s.diskatext, "drivea.dsk");
    EXPECT_EQ(s.diskbfile, "driveb.dsk");
    EXPECT_EQ(s.diskbtext, "driveb.dsk");
    EXPECT_NE(l.find("-diska /home/ann/msx/disks/drivea.dsk -diskb /home/ann/msx/disks/driveb.dsk "),
              std::string::npos);
}

TEST_F(CommandLine, MaskIsExactAndCaseSensitive)
{
    example();
    s.diskatext = "*.DSK";
    s.slotatext = "*.ROM";
    form.linecreate();
    EXPECT_EQ(s.diskatext, "*.DSK");
    EXPECT_EQ(s.slotatext, "*.ROM");
}

TEST_F(CommandLine, RomMaskShowsNoneButKeepsTheFile)
{
    example();
    s.slotatext = "*.rom";
    const std::string l = line();
    EXPECT_EQ(s.slotatext, "None");
    EXPECT_EQ(l.rfind("/home/ann/msx/roms/GAME.ROM -diska", 0), 0u);
}

TEST_F(CommandLine, DriveBFileKeepsItsTrailingBlank)
{
    example();
    s.diskbfile = "driveb.dsk ";
    EXPECT_NE(line().find("/disks/driveb.dsk  -rom 2,0"), std::string::npos);
}

TEST_F(CommandLine, RebuildReplacesAHandEdit)
{
    example();
    s.editline = "hand edit";
    EXPECT_EQ(line(), exampleLine);
}

TEST_F(CommandLine, SpeedComesFromTheLabelText)
{
    example();
    s.TrackBar1.onChange = nullptr; // the label alone decides
    s.TrackBar1.setPosition(300);
    EXPECT_EQ(line().find("-cpuspeed"), std::string::npos);
}

} // namespace
