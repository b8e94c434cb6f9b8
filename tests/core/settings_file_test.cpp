#include "form/tform1.h"
#include "support/as_user.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;

using ListMember = OptionList LauncherState::*;
constexpr ListMember allLists[] = {
    &LauncherState::computer,    &LauncherState::freq,        &LauncherState::Sram,
    &LauncherState::Svram,       &LauncherState::slota,       &LauncherState::slotb,
    &LauncherState::resolutie,   &LauncherState::FMPACselect, &LauncherState::sccselect,
    &LauncherState::spritegroup, &LauncherState::vdpgroup,    &LauncherState::vgabox,
    &LauncherState::syncbox,     &LauncherState::sadapter};

// The seventeen stored values, the labels, and the fields a load must leave alone.
struct Snapshot {
    std::vector<int> lists;
    int sqbar, volbar, speed;
    std::string Label12, Label13, speedlabel, editline;
    bool painter;
    std::string slotafile, slotatext, diskafile, diskbtext, emulatorexe;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const TForm1& f)
{
    const LauncherState& s = f.state;
    Snapshot out{{},          s.sqbar.position(), s.volbar.position(), s.TrackBar1.position(), s.Label12,
                 s.Label13,   s.speedlabel,       s.editline,          s.painterbox.checked,   s.slotafile,
                 s.slotatext, s.diskafile,        s.diskbtext,         s.emulatorexe};
    for (auto l : allLists)
        out.lists.push_back((s.*l).index());
    return out;
}

class SettingsFile : public ::testing::Test {
  protected:
    SettingsFile()
    {
        form.state.default_ = dir.path;
        for (const char* name : {"images/msx1.bmp", "images/msx2.bmp", "images/msx2plus.bmp"})
            dir.write(name, "BM");
    }
    std::string settingsPath() const { return dir.file("settings.CFG"); }

    // Sets every list to the index (-1 for none), then the three track bars.
    static void setAll(TForm1& f, int index, int quality, int volume, int speed)
    {
        for (auto l : allLists)
            (f.state.*l).select(index);
        f.state.sqbar.setPosition(quality);
        f.state.volbar.setPosition(volume);
        f.state.TrackBar1.setPosition(speed);
        f.linecreate();
    }

    void expectRejected(const std::string& bytes, const std::string& message)
    {
        dir.write("settings.CFG", bytes);
        expectLoadFails(message);
    }

    // Loading must fail with the message and change nothing.
    void expectLoadFails(const std::string& message)
    {
        setAll(form, 1, 3, 4, 77);
        form.state.editline = "as it was";
        const Snapshot before = snapshot(form);
        const auto pictures = fakes.pictures.loaded.size();
        try {
            form.LoadknopClick();
            ADD_FAILURE() << "no error";
        } catch (const VeldrunError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_EQ(snapshot(form), before);
        EXPECT_EQ(fakes.pictures.loaded.size(), pictures);
    }

    TempDir dir;
    FakeServices fakes;
    TForm1 form{fakes.services()};
};

struct SavedSetup {
    int index, quality, volume, speed;
    const char* line;
};

class SettingsFileRoundTrip : public SettingsFile, public ::testing::WithParamInterface<SavedSetup> {};

TEST_P(SettingsFileRoundTrip, SaveThenLoadRestoresAllSeventeenAndTheCommandLine)
{
    const SavedSetup& c = GetParam();
    setAll(form, c.index, c.quality, c.volume, c.speed);
    form.Save1Click();
    EXPECT_EQ(readFile(settingsPath()), std::string(c.line) + "\r\n");

    FakeServices otherFakes;
    TForm1 loaded{otherFakes.services()};
    loaded.state.default_ = dir.path;
    loaded.LoadknopClick();
    EXPECT_EQ(snapshot(loaded), snapshot(form));

    // And a second load over the same values changes nothing either.
    loaded.LoadknopClick();
    EXPECT_EQ(snapshot(loaded), snapshot(form));
}

// Index 2 and 5 lie beyond the shorter lists: those lists are left unselected and saved as "9".
INSTANTIATE_TEST_SUITE_P(Table, SettingsFileRoundTrip,
                         ::testing::Values(SavedSetup{-1, 5, 15, 100,
                                                      "999999599999999"
                                                      "15#10000"},
                                           SavedSetup{0, 1, 9, 1, "0000001000000009#100"},
                                           SavedSetup{1, 2, 10, 50, "11111121111111110#5000"},
                                           SavedSetup{2, 3, 0, 500, "2922223229929920#50000"},
                                           SavedSetup{5, 4, 15, 499, "99995549999999915#49900"}));

TEST_F(SettingsFile, LoadAppliesValuesLabelsPicturesAndCommandLine)
{
    dir.write("settings.CFG", "2101005000000009#5000\r\n");
    form.state.painterbox.checked = true;
    form.state.slotafile = "/roms/game.rom";
    form.state.emulatorexe = "BrMSX.exe";
    form.LoadknopClick();
    EXPECT_EQ(form.state.computer.index(), 2);
    EXPECT_EQ(form.state.Svram.index(), 1);
    EXPECT_EQ(form.state.Label12, "9");
    EXPECT_EQ(form.state.Label13, "5");
    EXPECT_EQ(form.state.speedlabel, "50");
    EXPECT_EQ(shownPath(form.cpupic.picture), dir.file("images/msx2plus.bmp"));
    EXPECT_FALSE(form.sccpic.visible);
    EXPECT_FALSE(form.fmpic.visible);
    EXPECT_TRUE(form.state.painterbox.checked);
    EXPECT_EQ(form.state.slotafile, "/roms/game.rom");
    EXPECT_EQ(form.state.emulatorexe, "BrMSX.exe");
    const std::string loaded = form.state.editline;
    form.linecreate();
    EXPECT_EQ(form.state.editline, loaded);
    EXPECT_NE(loaded.find(" -msx2+"), std::string::npos);
    EXPECT_NE(loaded.find(" -cpuspeed 50"), std::string::npos);
}

TEST_F(SettingsFile, LoadOfUnchangedValuesStillShowsPicturesAndRebuilds)
{
    dir.write("settings.CFG", "0000005000000009#5000\r\n");
    form.LoadknopClick();
    form.state.editline = "stale";
    form.sccpic.visible = true;
    form.LoadknopClick();
    EXPECT_EQ(fakes.pictures.loaded.size(), 2u);
    EXPECT_FALSE(form.sccpic.visible);
    EXPECT_NE(form.state.editline, "stale");
}

struct Limits {
    const char* line;
    int computer, sqbar, volbar, speed;
};

class SettingsFileLimits : public SettingsFile, public ::testing::WithParamInterface<Limits> {};

TEST_P(SettingsFileLimits, ControlsClampAndDropUnknownIndexes)
{
    const Limits& c = GetParam();
    dir.write("settings.CFG", std::string(c.line) + "\r\n");
    form.LoadknopClick();
    EXPECT_EQ(form.state.computer.index(), c.computer);
    EXPECT_EQ(form.state.sqbar.position(), c.sqbar);
    EXPECT_EQ(form.state.volbar.position(), c.volbar);
    EXPECT_EQ(form.state.TrackBar1.position(), c.speed);
    EXPECT_EQ(form.state.speedlabel, std::to_string(c.speed));
}

INSTANTIATE_TEST_SUITE_P(Table, SettingsFileLimits,
                         ::testing::Values(Limits{"000000000000000"
                                                  "7#5000",
                                                  0, 1, 7, 50},
                                           Limits{"900000500000000"
                                                  "99#99900",
                                                  -1, 5, 15, 500},
                                           Limits{"700000900000000"
                                                  "0#000",
                                                  -1, 5, 0, 1},
                                           Limits{"300000500000000"
                                                  "15#123456700",
                                                  -1, 5, 15, 500}));

TEST_F(SettingsFile, UnknownDigitLeavesMachinePictureAsItWas)
{
    dir.write("settings.CFG", "9000005000000009#5000\r\n");
    form.LoadknopClick();
    EXPECT_TRUE(fakes.pictures.loaded.empty());
    EXPECT_EQ(form.cpupic.picture, nullptr);
}

TEST_F(SettingsFile, BadFilesChangeNothing)
{
    expectRejected("11010050010x00015#10000\r\n", "'x' is not a valid integer value");
    expectRejected("1101005001000001", "'1#13' is not a valid integer value");
    expectRejected("11010050010000015#1x000\r\n", "'1x0' is not a valid integer value");
    expectRejected("\r\n11010050010000015#10000\r\n", "'#13' is not a valid integer value");
    expectRejected("", "The settings file " + settingsPath() + " is empty");
}

TEST_F(SettingsFile, MissingFileIsReported)
{
    expectRejected("", "The settings file " + settingsPath() + " is empty");
    fs::remove(settingsPath());
    try {
        form.LoadknopClick();
        FAIL();
    } catch (const VeldrunError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + settingsPath());
    }
}

TEST_F(SettingsFile, FifoInItsPlaceIsRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo(settingsPath().c_str(), 0644), 0);
    expectLoadFails("Cannot open file " + settingsPath());
}

TEST_F(SettingsFile, HugeFilesAreNotReadWhole)
{
    // 100 MB of nothing: the first character is no digit.
    std::ofstream(settingsPath(), std::ios::binary).close();
    fs::resize_file(settingsPath(), 100u << 20);
    expectLoadFails("'#0' is not a valid integer value");
}

TEST_F(SettingsFile, HugeFileWithAGoodFirstLineLoads)
{
    dir.write("settings.CFG", "1101005001000009#5000\r\n");
    fs::resize_file(settingsPath(), 100u << 20);
    form.LoadknopClick();
    EXPECT_EQ(form.state.volbar.position(), 9);
    EXPECT_EQ(form.state.TrackBar1.position(), 50);
}

TEST_F(SettingsFile, ExtraLinesAreIgnoredAndDroppedBySaving)
{
    dir.write("settings.CFG", "1101005001000009#5000\r\n0000000000000000#100\r\nnotes\n");
    form.LoadknopClick();
    EXPECT_EQ(form.state.computer.index(), 1);
    form.Save1Click();
    EXPECT_EQ(readFile(settingsPath()), "1101005001000009#5000\r\n");
}

TEST_F(SettingsFile, MissingMachinePictureIsReportedAfterTheCommandLineIsBuilt)
{
    fs::remove(dir.file("images/msx2.bmp"));
    dir.write("settings.CFG", "1101005021100019#5000\r\n");
    form.state.editline = "stale";
    try {
        form.LoadknopClick();
        FAIL();
    } catch (const VeldrunError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + dir.path + "/images/msx2.bmp");
    }
    EXPECT_EQ(form.state.sadapter.index(), 1);
    EXPECT_EQ(form.state.TrackBar1.position(), 50);
    EXPECT_TRUE(form.sccpic.visible);
    EXPECT_TRUE(form.fmpic.visible);
    const std::string loaded = form.state.editline;
    form.linecreate();
    EXPECT_EQ(loaded, form.state.editline);
}

TEST_F(SettingsFile, PicturesAndFileAreFoundIgnoringCase)
{
    fs::remove(dir.file("images/msx1.bmp"));
    dir.write("Images/MSX1.BMP", "BM");
    fs::remove_all(dir.file("images"));
    dir.write("SETTINGS.cfg", "0000005000000009#5000\r\n");
    form.LoadknopClick();
    EXPECT_EQ(shownPath(form.cpupic.picture), dir.file("Images/MSX1.BMP"));
    form.state.volbar.setPosition(3);
    form.Save1Click();
    EXPECT_EQ(readFile(dir.file("SETTINGS.cfg")), "0000005000000003#5000\r\n");
    EXPECT_FALSE(fs::exists(settingsPath()));
}

TEST_F(SettingsFile, FailedSaveKeepsTheOldFileWhole)
{
    dir.write("settings.CFG", "0000005000000009#5000\r\n");
    setAll(form, 1, 5, 12, 321);
    // A file size limit makes the write fail part-way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        form.Save1Click();
    } catch (const VeldrunError& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(message, "Cannot create file " + settingsPath());
    EXPECT_EQ(readFile(settingsPath()), "0000005000000009#5000\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 2)
        << "no temporary left";
}

// settings.CFG holds an old line; each row changes the file system around it, saves, and says
// what a careful save leaves.
struct SaveRule {
    const char* name;
    void (*before)(const TempDir&);
    bool refused;
    fs::perms mode;                 // the saved file's mode, followed through a link
    const char* alsoNew = nullptr;  // another name that must show the new line
    const char* keptLink = nullptr; // a name that must still be a symlink
};

class SettingsFileSaveRules : public SettingsFile, public ::testing::WithParamInterface<SaveRule> {};

TEST_P(SettingsFileSaveRules, LeaveTheFileAsACarefulEditorWould)
{
    const SaveRule& c = GetParam();
    const std::string oldLine = "1101005001000009#5000\r\n", newLine = "0000005000000009#5000\r\n";
    dir.write("settings.CFG", oldLine);
    fs::permissions(settingsPath(), fs::perms(0644));
    c.before(dir);
    setAll(form, 0, 5, 9, 50);
    const std::string message = asOrdinaryUser(dir.path, [&] { form.Save1Click(); });
    fs::permissions(dir.path, fs::perms::owner_all);
    EXPECT_EQ(message, c.refused ? "Cannot create file " + settingsPath() : "");
    EXPECT_EQ(readFile(settingsPath()), c.refused ? oldLine : newLine);
    EXPECT_EQ(fs::status(settingsPath()).permissions(), c.mode);
    if (c.alsoNew) {
        EXPECT_EQ(readFile(dir.file(c.alsoNew)), newLine);
    }
    if (c.keptLink) {
        EXPECT_TRUE(fs::is_symlink(dir.file(c.keptLink)));
    }
    for (const auto& e : fs::directory_iterator(dir.path))
        EXPECT_EQ(e.path().filename().string().find(".saving"), std::string::npos) << "a temporary is left";
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsFileSaveRules,
    ::testing::Values(
        SaveRule{"ReadOnlyFileIsLeftAlone",
                 [](const TempDir& d) { fs::permissions(d.file("settings.CFG"), fs::perms(0444)); }, true,
                 fs::perms(0444)},
        SaveRule{"ModeIsKept",
                 [](const TempDir& d) { fs::permissions(d.file("settings.CFG"), fs::perms(0600)); }, false,
                 fs::perms(0600)},
        SaveRule{"SymlinkTargetIsReplaced",
                 [](const TempDir& d) {
                     d.write("real/settings.CFG", readFile(d.file("settings.CFG")));
                     fs::remove(d.file("settings.CFG"));
                     fs::create_symlink("real/settings.CFG", d.file("settings.CFG"));
                 },
                 false, fs::perms(0644), "real/settings.CFG", "settings.CFG"},
        SaveRule{"WritableFileInAClosedFolderIsRewrittenInPlace",
                 [](const TempDir& d) { fs::permissions(d.path, fs::perms(0555)); }, false, fs::perms(0644)},
        SaveRule{"HardLinkSeesTheNewLine",
                 [](const TempDir& d) { fs::create_hard_link(d.file("settings.CFG"), d.file("copy.CFG")); },
                 false, fs::perms(0644), "copy.CFG"},
        SaveRule{"TemporaryOfAKilledSaveIsCleared",
                 [](const TempDir& d) { d.write(".settings.CFG.saving", "0000"); }, false, fs::perms(0644)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, SaveAndCloseClosesOnlyAfterASave)
{
    form.state.default_ = dir.file("no-such-directory");
    EXPECT_THROW(form.SaveClose1Click(), VeldrunError);
    EXPECT_EQ(fakes.windows.closes, 0);

    form.state.default_ = dir.path;
    fs::create_directory(settingsPath()); // a directory stands where the file should be
    dir.write("settings.CFG/keep", "x");
    EXPECT_THROW(form.SaveClose1Click(), VeldrunError);
    EXPECT_EQ(fakes.windows.closes, 0);
    EXPECT_EQ(readFile(dir.file("settings.CFG/keep")), "x");

    fs::remove_all(settingsPath());
    form.SaveClose1Click();
    EXPECT_EQ(fakes.windows.closes, 1);
    EXPECT_TRUE(fs::is_regular_file(settingsPath()));
}

} // namespace
