#include "fake_files.h"
#include "response_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using bridge::ParsedOption;
using bridge::parseResponseLine;
using testing::ElementsAre;
using testing::IsEmpty;

namespace bridge {
void PrintTo(const ParsedOption& o, std::ostream* os) { *os << o.name << " [" << o.value << "]"; }
} // namespace bridge

namespace {

const std::string disks = " -diska /emu/disks/drivea.dsk -diskb /emu/disks/driveb.dsk";

struct CartridgeCase {
    const char* what;
    std::string line;
    std::vector<std::string> existing;
    std::string slot1;
    std::string slot2;
};

class CartridgePaths : public testing::TestWithParam<CartridgeCase> {};

TEST_P(CartridgePaths, AreRebuiltFromTheWordsOfTheLine)
{
    const auto& c = GetParam();
    FakeFiles files;
    for (const auto& f : c.existing)
        files.sizes[f] = 32768;
    const auto parsed = parseResponseLine(c.line, files.sizeOf());
    EXPECT_EQ(parsed.cartridges[0], c.slot1);
    EXPECT_EQ(parsed.cartridges[1], c.slot2);
    EXPECT_THAT(parsed.options, testing::IsSupersetOf({ParsedOption{"-diska", "/emu/disks/drivea.dsk"},
                                                       ParsedOption{"-diskb", "/emu/disks/driveb.dsk"}}));
}

INSTANTIATE_TEST_SUITE_P(Bridge, CartridgePaths,
                         testing::Values(CartridgeCase{"plain",
                                                       "/emu/roms/GAME.ROM" + disks + " -rom 2,0",
                                                       {"/emu/roms/GAME.ROM"},
                                                       "/emu/roms/GAME.ROM",
                                                       ""},
                                         CartridgeCase{"blanks in slot 1",
                                                       "/home/ann/My Games/Space  Run.rom" + disks,
                                                       {"/home/ann/My Games/Space  Run.rom"},
                                                       "/home/ann/My Games/Space  Run.rom",
                                                       ""},
                                         CartridgeCase{"both slots",
                                                       "/r/a b.rom /r/c d.rom" + disks,
                                                       {"/r/a b.rom", "/r/c d.rom"},
                                                       "/r/a b.rom",
                                                       "/r/c d.rom"},
                                         CartridgeCase{"slot 1 empty: the line starts with a blank",
                                                       " /r/moved game.rom" + disks,
                                                       {"/r/moved game.rom"},
                                                       "",
                                                       "/r/moved game.rom"},
                                         CartridgeCase{"no cartridge at all", disks, {}, "", ""},
                                         CartridgeCase{"a file that is gone stays one path",
                                                       "/r/gone game.rom" + disks,
                                                       {},
                                                       "/r/gone game.rom",
                                                       ""},
                                         CartridgeCase{"slot 2 gone, slot 1 found",
                                                       "/r/a b.rom /r/gone.rom" + disks,
                                                       {"/r/a b.rom"},
                                                       "/r/a b.rom",
                                                       "/r/gone.rom"},
                                         CartridgeCase{"a path never runs across an option word",
                                                       "/r/side -sq b.rom" + disks,
                                                       {"/r/side -sq b.rom"},
                                                       "/r/side",
                                                       ""},
                                         CartridgeCase{"a ROM that is gone is not replaced by a disk",
                                                       "/r/gone.rom" + disks,
                                                       {"/emu/disks/drivea.dsk", "/emu/disks/driveb.dsk"},
                                                       "/r/gone.rom",
                                                       ""},
                                         CartridgeCase{"one name with a blank, beside its two halves",
                                                       "/r/a b.rom" + disks,
                                                       {"/r/a b.rom", "/r/a", "b.rom"},
                                                       "/r/a b.rom",
                                                       ""},
                                         CartridgeCase{"a hand-edited line names no cartridge",
                                                       "-foo -bar 1 -command exit -script x.tcl -carta "
                                                       "/etc/passwd" +
                                                           disks,
                                                       {"/etc/passwd", "x.tcl"},
                                                       "",
                                                       ""},
                                         CartridgeCase{"two files rather than one that is not there",
                                                       "/r/a /r/b" + disks,
                                                       {"/r/a", "/r/b"},
                                                       "/r/a",
                                                       "/r/b"}),
                         [](const auto& info) {
                             std::string name;
                             for (char c : std::string(info.param.what))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(ResponseLine, ReadsEveryOptionTheFrontEndWrites)
{
    const std::string line =
        "/r/g.rom -diska /d/a.dsk -diskb /d/b.dsk -msx1 -msx2+ -rom 2,0 -cpuspeed 250 -sq 5 "
        "-volume 15 -video 2 -fmpac 3 -scc 1 -ifreq 60 -ram 32 -vram 16 -sprite 1 -adjust 3 "
        "-painter 1 -video 1 -modeswitch 1 -sync 1\r\n";
    FakeFiles files{{{"/r/g.rom", 1}, {"/d/a.dsk", 1}, {"/d/b.dsk", 1}}};
    const auto parsed = parseResponseLine(line, files.sizeOf());
    EXPECT_EQ(parsed.cartridges[0], "/r/g.rom");
    EXPECT_THAT(parsed.notes, IsEmpty());
    EXPECT_THAT(
        parsed.options,
        ElementsAre(ParsedOption{"-diska", "/d/a.dsk"}, ParsedOption{"-diskb", "/d/b.dsk"},
                    ParsedOption{"-msx1", ""}, ParsedOption{"-msx2+", ""}, ParsedOption{"-rom", "2,0"},
                    ParsedOption{"-cpuspeed", "250"}, ParsedOption{"-sq", "5"}, ParsedOption{"-volume", "15"},
                    ParsedOption{"-video", "2"}, ParsedOption{"-fmpac", "3"}, ParsedOption{"-scc", "1"},
                    ParsedOption{"-ifreq", "60"}, ParsedOption{"-ram", "32"}, ParsedOption{"-vram", "16"},
                    ParsedOption{"-sprite", "1"}, ParsedOption{"-adjust", "3"}, ParsedOption{"-painter", "1"},
                    ParsedOption{"-video", "1"}, ParsedOption{"-modeswitch", "1"},
                    ParsedOption{"-sync", "1"}));
}

TEST(ResponseLine, DiskPathsWithBlanksAreRebuiltToo)
{
    FakeFiles files{{{"/home/ann/My Disks/side a.dsk", 737280}}};
    const auto parsed =
        parseResponseLine(" -diska /home/ann/My Disks/side a.dsk -diskb /d/b.dsk -scc 0", files.sizeOf());
    EXPECT_THAT(parsed.options, ElementsAre(ParsedOption{"-diska", "/home/ann/My Disks/side a.dsk"},
                                            ParsedOption{"-diskb", "/d/b.dsk"}, ParsedOption{"-scc", "0"}));
}

TEST(ResponseLine, AMissingDiskRunsUpToTheNextOption)
{
    const auto parsed = parseResponseLine(" -diska /gone/my disk.dsk  -scc 1", FakeFiles{}.sizeOf());
    EXPECT_THAT(parsed.options,
                ElementsAre(ParsedOption{"-diska", "/gone/my disk.dsk"}, ParsedOption{"-scc", "1"}));
}

struct OddLine {
    std::string line;
    std::vector<ParsedOption> options;
    std::vector<std::string> notes;
};

class OddLines : public testing::TestWithParam<OddLine> {};

TEST_P(OddLines, LeaveOutWhatTheyCannotReadAndSaySo)
{
    const auto parsed = parseResponseLine(GetParam().line, FakeFiles{}.sizeOf());
    EXPECT_EQ(parsed.cartridges[0], "");
    EXPECT_EQ(parsed.cartridges[1], "");
    EXPECT_EQ(parsed.options, GetParam().options);
    EXPECT_EQ(parsed.notes, GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(
    Bridge, OddLines,
    testing::Values(
        OddLine{"", {}, {}}, OddLine{"\r\n", {}, {}},
        OddLine{" -sq 5 -cpuspeed", {{"-sq", "5"}}, {"-cpuspeed has no value: left out"}},
        OddLine{" -volume -sq 3", {{"-sq", "3"}}, {"-volume has no value: left out"}},
        OddLine{" -diska -diskb", {}, {"-diska has no path: left out", "-diskb has no path: left out"}},
        OddLine{" -msx1 -bogus -sq   4 extra",
                {{"-msx1", ""}, {"-sq", "4"}},
                {"\"-bogus\" is not an option the front-end writes: left out",
                 "\"extra\" is not an option the front-end writes: left out"}},
        OddLine{" -sq 5\r\n-volume 3", {{"-sq", "5"}}, {}},
        // Nothing past the bound is read, not even a whole option.
        OddLine{" -sq 5" + std::string(70000, ' ') + "-msx1",
                {{"-sq", "5"}},
                {"the line is 70011 bytes long: only its first 65536 are read"}}));

} // namespace
