#include "catalogue/presets.h"
#include "catalogue/tree.h"
#include "files/paths.h"
#include "form/tform1.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

namespace {

// A form whose application directory is a temporary directory. Tunes and pictures are written
// there on demand; the fakes load only files that exist.
class Catalogue : public ::testing::Test {
  protected:
    TempDir dir;
    FakeServices fakes;
    TForm1 form{fakes.services()};
    LauncherState& s = form.state;

    void SetUp() override
    {
        s.default_ = dir.path;
        // A state the user could have made, so that "left alone" differs from every preset value.
        s.computer.select(0);
        s.Sram.select(0);
        s.sccselect.select(0);
        s.FMPACselect.select(1);
        s.slota.select(5);
        s.slotb.select(1);
        s.Svram.select(1);
        s.resolutie.select(2);
        s.freq.select(1);
        s.slotafile = dir.path + "/roms/GAME.ROM";
        s.slotatext = "GAME.ROM";
        s.diskafile = "drivea.dsk";
        s.diskbfile = "driveb.dsk";
        form.linecreate();
    }
    std::string under(std::string_view sub) const { return paths::under(dir.path, sub); }
    std::string tunePath(int n) const { return under("\\music\\" + std::to_string(n) + ".mid"); }
    void giveEveryFile()
    {
        for (const PresetEntry& e : presetTable()) {
            if (!e.picture.empty())
                dir.write(under(e.picture).substr(dir.path.size() + 1), "BM");
            if (e.tune != PresetEntry::noTune)
                dir.write("music/" + std::to_string(e.tune) + ".mid", "MThd");
        }
    }
    void select(const std::string& text) { form.TreeView1Change(&text); }
    // Selects and returns the error the handler raised, empty when none.
    std::string selectCatching(const std::string& text)
    {
        try {
            select(text);
        } catch (const VeldrunError& e) {
            return e.what();
        }
        return {};
    }
    std::array<int, 5> lists() const
    {
        return {s.computer.index(), s.Sram.index(), s.sccselect.index(), s.FMPACselect.index(),
                s.slota.index()};
    }
    std::array<int, 5> expectedAfter(const PresetEntry& e, std::array<int, 5> before) const
    {
        for (int i = 0; i < 5; ++i)
            if (e.values[i] != PresetEntry::noValue)
                before[i] = e.values[i];
        return before;
    }
    void showSomePicture() { form.gamepic.picture = std::make_shared<FakeImage>("earlier"); }
};

// Every entry, with its files in place and with them missing: all values land, the line is
// rebuilt from them, and only the lists named by the entry change.
TEST_F(Catalogue, EveryEntryAppliesAllValuesWithOrWithoutItsFiles)
{
    for (bool filesPresent : {false, true}) {
        if (filesPresent)
            giveEveryFile();
        for (const PresetEntry& e : presetTable()) {
            SetUp();
            fakes.music.close();
            const auto before = lists();
            const std::string error = selectCatching(std::string(e.key));
            SCOPED_TRACE(std::string(e.key) + (filesPresent ? " with files" : " without files"));

            EXPECT_EQ(lists(), expectedAfter(e, before));
            const std::string line = s.editline;
            form.linecreate();
            EXPECT_EQ(line, s.editline) << "the line was not rebuilt from the applied values";
            EXPECT_EQ(s.slotb.index(), 1);
            EXPECT_EQ(s.Svram.index(), 1);
            EXPECT_EQ(s.slotatext, "GAME.ROM");

            const bool playing = fakes.music.state() == MusicState::Playing;
            if (filesPresent) {
                EXPECT_EQ(error, "");
                EXPECT_EQ(shownPath(form.gamepic.picture), e.picture.empty() ? "" : under(e.picture));
                EXPECT_EQ(playing, e.tune != PresetEntry::noTune);
                if (playing) {
                    EXPECT_EQ(fakes.music.current, tunePath(e.tune));
                }
            } else {
                EXPECT_EQ(form.gamepic.picture, nullptr);
                EXPECT_FALSE(playing);
                EXPECT_EQ(error.empty(), e.picture.empty() && e.tune == PresetEntry::noTune);
                if (!e.picture.empty()) {
                    EXPECT_NE(error.find("Cannot open file " + under(e.picture)), std::string::npos) << error;
                }
            }
        }
    }
}

TEST_F(Catalogue, MetalGearSolidPutsItsDiskIntoDriveA)
{
    giveEveryFile();
    select("Metal Gear Solid");
    EXPECT_EQ(fakes.music.current, tunePath(12));
    EXPECT_EQ(lists(), (std::array<int, 5>{2, 2, 1, 0, 2}));
    EXPECT_EQ(s.diskafile, "mgear2sa.dsk");
    EXPECT_EQ(s.diskatext, "mgear2sa.dsk");
    EXPECT_NE(s.editline.find(" -diska " + under("\\disks\\mgear2sa.dsk") + " "), std::string::npos)
        << s.editline;
    EXPECT_EQ(shownPath(form.gamepic.picture), under("\\images\\mgear2.bmp"));
    EXPECT_EQ(s.diskbfile, "driveb.dsk");
}

TEST_F(Catalogue, Nemesis1AfterAlesteKeepsTheMemory)
{
    giveEveryFile();
    select("Aleste");
    ASSERT_EQ(s.Sram.index(), 2);
    select("Nemesis1");
    EXPECT_EQ(lists(), (std::array<int, 5>{0, 2, 0, 0, 0}));
    EXPECT_NE(s.editline.find(" -ram 32"), std::string::npos);
    EXPECT_NE(s.editline.find(" -msx1"), std::string::npos);
}

TEST_F(Catalogue, Ys1ChangesTwoListsAndKeepsTheMusic)
{
    giveEveryFile();
    select("Aleste");
    showSomePicture();
    select("Ys1");
    EXPECT_EQ(lists(), (std::array<int, 5>{1, 2, 0, 2, 5}));
    EXPECT_EQ(form.gamepic.picture, nullptr);
    EXPECT_EQ(fakes.music.current, tunePath(10));
    EXPECT_EQ(fakes.music.state(), MusicState::Playing);
    EXPECT_EQ(fakes.music.opened.size(), 1u);
}

TEST_F(Catalogue, TunesStartOverOrPlayOn)
{
    giveEveryFile();
    select("Kingsvalley 2");
    select("Kingsvalley");
    EXPECT_EQ(fakes.music.opened, (std::vector<std::string>{tunePath(22), tunePath(22)}));
    EXPECT_EQ(fakes.music.state(), MusicState::Playing);

    select("Knightmare");
    EXPECT_EQ(fakes.music.current, tunePath(27));
    EXPECT_EQ(form.gamepic.picture, nullptr);

    // A title without a tune leaves the earlier tune playing.
    select("Firebird");
    EXPECT_EQ(fakes.music.current, tunePath(27));
    EXPECT_EQ(fakes.music.state(), MusicState::Playing);
    EXPECT_EQ(fakes.music.opened.size(), 3u);
}

TEST_F(Catalogue, KeysMatchExactly)
{
    giveEveryFile();
    select("King Kong 2");
    EXPECT_EQ(s.slota.index(), 2);
    select("King Kong 2 English");
    EXPECT_EQ(s.slota.index(), 3);
    select("King Kong 2");
    EXPECT_EQ(s.slota.index(), 2);

    // Near misses run nothing: case, blanks and prefixes count.
    for (const char* text : {"konami", "Konami ", "Ashguine", "Aleste ", "King Kong", "GRYZOR", ""}) {
        SetUp();
        const auto before = lists();
        select(text);
        EXPECT_EQ(lists(), before) << text;
        EXPECT_EQ(form.gamepic.picture, nullptr) << text;
    }
}

TEST_F(Catalogue, BothGryzorNodesRunTheOneEntry)
{
    giveEveryFile();
    std::vector<std::string> gryzors;
    for (const TreeNode& publisher : catalogueTree())
        for (const TreeNode& n : publisher.children) {
            if (n.text == "Gryzor")
                gryzors.push_back(n.text);
            for (const TreeNode& t : n.children)
                if (t.text == "Gryzor")
                    gryzors.push_back(t.text);
        }
    ASSERT_EQ(gryzors.size(), 2u);
    std::vector<std::pair<std::array<int, 5>, std::string>> results;
    for (const std::string& text : gryzors) {
        SetUp();
        select(text);
        results.emplace_back(lists(), shownPath(form.gamepic.picture));
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[0].first, (std::array<int, 5>{1, 2, 1, 0, 2}));
}

// Nodes without an entry, and a change with no node selected: the picture goes, the line is
// rebuilt, nothing else changes.
TEST_F(Catalogue, NodesWithoutEntryOnlyClearAndRebuild)
{
    giveEveryFile();
    select("Aleste");
    const auto before = lists();
    for (const char* text : {"Racing", "Ashguine ", "Namco", "Metal Gear series", "Xak3 Tower of Gazzel"}) {
        showSomePicture();
        s.editline = "stale";
        select(text);
        EXPECT_EQ(form.gamepic.picture, nullptr) << text;
        EXPECT_EQ(lists(), before) << text;
        EXPECT_NE(s.editline, "stale") << text;
        EXPECT_EQ(fakes.music.current, tunePath(10)) << text;
    }
    showSomePicture();
    s.editline = "stale";
    form.TreeView1Change(nullptr);
    EXPECT_EQ(form.gamepic.picture, nullptr);
    EXPECT_EQ(lists(), before);
    EXPECT_NE(s.editline, "stale");
    EXPECT_EQ(fakes.music.opened.size(), 1u);
}

TEST_F(Catalogue, NamcoAfterXeviousKeepsItsValues)
{
    giveEveryFile();
    select("Xevious");
    const auto xevious = lists();
    select("Namco");
    EXPECT_EQ(lists(), xevious);
    EXPECT_EQ(form.gamepic.picture, nullptr);
    select("Konami");
    EXPECT_EQ(lists(), xevious);
    EXPECT_EQ(shownPath(form.gamepic.picture), under("\\images\\konami.bmp"));
}

// The machine picture follows only the user's choice; the chip pictures follow the rebuild.
TEST_F(Catalogue, MachinePictureStaysWhileChipPicturesFollow)
{
    giveEveryFile();
    const auto msx1 = std::make_shared<FakeImage>(under("\\images\\msx1.bmp"));
    form.cpupic.picture = msx1;
    form.sccpic.visible = false;
    form.fmpic.visible = true;
    select("SD-Snatcher");
    EXPECT_EQ(s.computer.index(), 2);
    EXPECT_EQ(form.cpupic.picture, msx1);
    EXPECT_TRUE(form.sccpic.visible);
    EXPECT_FALSE(form.fmpic.visible);
}

// Pictures keep their written case and are found whatever case the files have on disk.
TEST_F(Catalogue, PicturesAreFoundIgnoringCase)
{
    dir.write("Images/bit2.BMP", "BM");
    dir.write("Images/FALCOM.bmp", "BM");
    select("Bit2");
    EXPECT_EQ(shownPath(form.gamepic.picture), dir.path + "/Images/bit2.BMP");
    select("Falcom");
    EXPECT_EQ(shownPath(form.gamepic.picture), dir.path + "/Images/FALCOM.bmp");
}

TEST_F(Catalogue, MissingPictureCostsNoSetting)
{
    // Arkanoid2 sets all four of its values after the picture.
    const std::string error = selectCatching("Arkanoid2");
    EXPECT_EQ(error, "Cannot open file " + under("\\images\\ark2.bmp"));
    EXPECT_EQ(lists(), (std::array<int, 5>{2, 2, 0, 2, 5}));
    EXPECT_EQ(form.gamepic.picture, nullptr);
    EXPECT_NE(s.editline.find(" -msx2+"), std::string::npos) << s.editline;
    EXPECT_NE(s.editline.find(" -fmpac 2"), std::string::npos) << s.editline;
    EXPECT_NE(s.editline.find(" -ram 32"), std::string::npos) << s.editline;

    SetUp();
    dir.write("images/drag6.bmp", "no bitmap");
    fakes.pictures.invalid.insert(under("\\images\\drag6.bmp"));
    EXPECT_EQ(selectCatching("DragonSlayer6"), "Bitmap image is not valid");
    EXPECT_EQ(lists(), (std::array<int, 5>{1, 2, 0, 2, 5}));
}

TEST_F(Catalogue, MissingTuneCostsNoSetting)
{
    giveEveryFile();
    std::filesystem::remove(tunePath(10));
    const std::string error = selectCatching("Aleste");
    EXPECT_EQ(error, "The specified file was not found or is not a MIDI file");
    EXPECT_EQ(fakes.music.state(), MusicState::NoTune);
    EXPECT_EQ(lists(), (std::array<int, 5>{1, 2, 0, 2, 5}));
    EXPECT_EQ(shownPath(form.gamepic.picture), under("\\images\\aleste1.bmp"));
    EXPECT_NE(s.editline.find(" -ram 32"), std::string::npos);

    // Both decorations failing: both are reported, one per line.
    std::filesystem::remove(under("\\images\\aleste1.bmp"));
    const std::string both = selectCatching("Aleste");
    EXPECT_EQ(both, "The specified file was not found or is not a MIDI file\nCannot open file " +
                        under("\\images\\aleste1.bmp"));
}

} // namespace
