#include "form/tform1.h"
#include "media/machine_picture.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// What the two slots and two drives hold.
struct Slots {
    std::string slotafile, slotatext, slotbfile, slotbtext;
    std::string diskafile, diskatext, diskbfile, diskbtext;
    bool operator==(const Slots&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Slots& s)
{
    return out << "[" << s.slotafile << "|" << s.slotatext << "|" << s.slotbfile << "|" << s.slotbtext << "|"
               << s.diskafile << "|" << s.diskatext << "|" << s.diskbfile << "|" << s.diskbtext << "]";
}

const Slots afterStartUp{"", "None", "", "None", "drivea.dsk", "drivea.dsk", "driveb.dsk", "driveb.dsk"};

Slots with(Slots s, const std::function<void(Slots&)>& change)
{
    change(s);
    return s;
}

void put(LauncherState& state, const Slots& s)
{
    state.slotafile = s.slotafile;
    state.slotatext = s.slotatext;
    state.slotbfile = s.slotbfile;
    state.slotbtext = s.slotbtext;
    state.diskafile = s.diskafile;
    state.diskatext = s.diskatext;
    state.diskbfile = s.diskbfile;
    state.diskbtext = s.diskbtext;
}

Slots take(const LauncherState& state)
{
    return {state.slotafile, state.slotatext, state.slotbfile, state.slotbtext,
            state.diskafile, state.diskatext, state.diskbfile, state.diskbtext};
}

const Slots cartridgeInSlot1 = with(afterStartUp, [](Slots& s) {
    s.slotafile = "/roms/KNIGHT.ROM";
    s.slotatext = "KNIGHT.ROM";
});
const Slots imageInDriveA = with(afterStartUp, [](Slots& s) {
    s.diskafile = "game.dsk";
    s.diskatext = "game.dsk";
});

struct BrowserCase {
    const char* name;
    const char* mask;
    const char* directory;
    const char* selected; // "" for a refill
    Slots before;
    Slots after;
    const char* lineStart; // what the rebuilt command line begins with
};

const BrowserCase browserCases[] = {
    {"RomSelectedIntoEmptySlot", "*.rom", "/roms", "GAME.ROM", afterStartUp,
     with(afterStartUp,
          [](Slots& s) {
              s.slotafile = "/roms/GAME.ROM";
              s.slotatext = "GAME.ROM";
          }),
     "/roms/GAME.ROM -diska /app/disks/drivea.dsk"},
    {"SecondRomReplacesCartridge", "*.rom", "/roms", "b.rom",
     with(cartridgeInSlot1,
          [](Slots& s) {
              s.slotbfile = " /x/old.rom";
              s.slotbtext = "old.rom";
          }),
     with(cartridgeInSlot1,
          [](Slots& s) {
              s.slotafile = "/roms/b.rom";
              s.slotatext = "b.rom";
              s.slotbfile = " /x/old.rom";
              s.slotbtext = "old.rom";
          }),
     "/roms/b.rom /x/old.rom -diska"},
    {"RomFromRootDirectoryHasOneSeparator", "*.rom", "/", "a.rom", afterStartUp,
     with(afterStartUp,
          [](Slots& s) {
              s.slotafile = "/a.rom";
              s.slotatext = "a.rom";
          }),
     "/a.rom -diska"},
    {"RefillLeavesEmptySlotEmpty", "*.rom", "/roms", "", afterStartUp, afterStartUp,
     " -diska /app/disks/drivea.dsk"},
    {"RefillKeepsCartridge", "*.rom", "/elsewhere", "", cartridgeInSlot1, cartridgeInSlot1,
     "/roms/KNIGHT.ROM -diska"},
    {"DiskSelectedIntoDriveAByName", "*.dsk", "/somewhere/else", "game.dsk", afterStartUp, imageInDriveA,
     " -diska /app/disks/game.dsk -diskb /app/disks/driveb.dsk"},
    {"DiskRefillWithDefaultDriveAResetsDriveB", "*.dsk", "/d", "",
     with(afterStartUp,
          [](Slots& s) {
              s.diskbfile = "other.dsk";
              s.diskbtext = "other.dsk";
          }),
     afterStartUp, " -diska /app/disks/drivea.dsk -diskb /app/disks/driveb.dsk -rom"},
    {"DiskRefillKeepsImageInDriveA", "*.dsk", "/d", "", imageInDriveA, imageInDriveA,
     " -diska /app/disks/game.dsk"},
    {"DiskFilterLeavesCartridgeAlone", "*.dsk", "/d", "x.dsk", cartridgeInSlot1,
     with(cartridgeInSlot1,
          [](Slots& s) {
              s.diskafile = "x.dsk";
              s.diskatext = "x.dsk";
          }),
     "/roms/KNIGHT.ROM -diska /app/disks/x.dsk"},
};

class FileListChange : public ::testing::TestWithParam<BrowserCase> {};

TEST_P(FileListChange, FillsSlotOneOrDriveA)
{
    const BrowserCase& c = GetParam();
    FakeServices fakes;
    TForm1 form{fakes.services()};
    form.state.default_ = "/app";
    form.state.slota.select(3);
    put(form.state, c.before);
    form.FileListBox1 = {c.directory, c.mask, c.selected};
    form.editname = *c.selected ? c.selected : c.mask;

    form.FileListBox1Change();

    EXPECT_EQ(take(form.state), c.after);
    EXPECT_EQ(form.state.editline.rfind(c.lineStart, 0), 0u) << form.state.editline;
    EXPECT_EQ(form.state.slota.index(), 3) << "the mapper belongs to the slot";
}

INSTANTIATE_TEST_SUITE_P(Table, FileListChange, ::testing::ValuesIn(browserCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Drive A names a bare file looked for in the disks folder: a disk picked anywhere else is offered
// a copy there once, and the user who declines is told where the emulator will look.
TEST(FileListChange, DiskFromElsewhereIsOfferedACopyIntoDisks)
{
    struct Case {
        const char* folder;
        bool answer;
        bool asked, copied, told;
        bool planted = false; // links at the copy's temporary names point at a file of the user's
    };
    for (const Case c :
         {Case{"elsewhere", true, true, true, false}, Case{"elsewhere", false, true, false, true},
          Case{"disks", true, false, false, false}, Case{"elsewhere", true, true, true, false, true}}) {
        SCOPED_TRACE(std::string(c.folder) + (c.answer ? " yes" : " no"));
        TempDir app;
        app.write("elsewhere/game.dsk", "image");
        app.write("disks/drivea.dsk", "");
        if (std::string_view(c.folder) == "disks")
            app.write("disks/game.dsk", "image");
        app.write("precious", "mine");
        if (c.planted) {
            for (const char* temporary : {"disks/.game.dsk.saving", "disks/game.dsk.part"})
                std::filesystem::create_symlink(app.file("precious"), app.file(temporary));
        }
        FakeServices fakes;
        fakes.questions.answer = c.answer;
        TForm1 form{fakes.services()};
        form.state.default_ = app.path;
        form.FileListBox1 = {app.file(c.folder), "*.dsk", "game.dsk"};
        form.editname = "game.dsk";

        form.FileListBox1Change();

        EXPECT_EQ(form.state.diskafile, "game.dsk") << "the line and captions stay as they are";
        EXPECT_EQ(fakes.questions.asked.size(), c.asked ? 1u : 0u);
        EXPECT_EQ(std::filesystem::exists(app.file("disks/game.dsk")), c.copied || !c.asked);
        EXPECT_EQ(fakes.questions.told.size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_NE(fakes.questions.told.front().find(app.file("disks")), std::string::npos);
        }
        EXPECT_FALSE(std::filesystem::is_symlink(app.file("disks/game.dsk")));
        EXPECT_EQ(readFile(app.file("precious")), "mine");
        for (const auto& e : std::filesystem::directory_iterator(app.file("disks")))
            EXPECT_NE(e.path().filename().string().front(), '.') << "a temporary is left";
    }
}

struct ButtonCase {
    const char* name;
    void (TForm1::*handler)();
    Slots before;
    Slots after;
};

const Slots bothSlotsFull = with(cartridgeInSlot1, [](Slots& s) {
    s.slotbfile = " /r/B.ROM";
    s.slotbtext = "B.ROM";
});

const ButtonCase buttonCases[] = {
    {"ClearSlot1", &TForm1::Clear1Click, bothSlotsFull,
     with(bothSlotsFull,
          [](Slots& s) {
              s.slotafile = "";
              s.slotatext = "None";
          })},
    {"ClearSlot2", &TForm1::Clear2Click, bothSlotsFull,
     with(bothSlotsFull,
          [](Slots& s) {
              s.slotbfile = "";
              s.slotbtext = "None";
          })},
    {"MoveCartridgeOverwritesSlot2", &TForm1::MoveknopClick, bothSlotsFull,
     with(afterStartUp,
          [](Slots& s) {
              s.slotbfile = " /roms/KNIGHT.ROM";
              s.slotbtext = "KNIGHT.ROM";
          })},
    {"MoveFromEmptySlotDoesNothing", &TForm1::MoveknopClick,
     with(afterStartUp,
          [](Slots& s) {
              s.slotbfile = " /r/B.ROM";
              s.slotbtext = "B.ROM";
          }),
     with(afterStartUp,
          [](Slots& s) {
              s.slotbfile = " /r/B.ROM";
              s.slotbtext = "B.ROM";
          })},
    {"DriveAReset", &TForm1::Button1Click, imageInDriveA, afterStartUp},
    {"DriveBResetKeepsTrailingBlank", &TForm1::Button3Click,
     with(afterStartUp,
          [](Slots& s) {
              s.diskbfile = "x.dsk";
              s.diskbtext = "x.dsk";
          }),
     with(afterStartUp, [](Slots& s) { s.diskbfile = "driveb.dsk "; })},
    {"MoveDisk", &TForm1::Button2Click, imageInDriveA,
     with(afterStartUp,
          [](Slots& s) {
              s.diskbfile = "game.dsk";
              s.diskbtext = "game.dsk";
          })},
    {"MoveDiskFromDefaultDriveADoesNothing", &TForm1::Button2Click,
     with(afterStartUp,
          [](Slots& s) {
              s.diskbfile = "b.dsk";
              s.diskbtext = "b.dsk";
          }),
     with(afterStartUp,
          [](Slots& s) {
              s.diskbfile = "b.dsk";
              s.diskbtext = "b.dsk";
          })},
};

class SlotButtons : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(SlotButtons, ChangeSlotsAndAlwaysRebuild)
{
    const ButtonCase& c = GetParam();
    FakeServices fakes;
    TForm1 form{fakes.services()};
    form.state.slota.select(1);
    form.state.slotb.select(5);
    put(form.state, c.before);
    form.state.editline = "stale";

    (form.*c.handler)();

    EXPECT_EQ(take(form.state), c.after);
    EXPECT_NE(form.state.editline, "stale");
    EXPECT_EQ(form.state.editline.rfind(c.after.slotafile + c.after.slotbfile + " -diska ", 0), 0u)
        << form.state.editline;
    EXPECT_EQ(form.state.slota.index(), 1);
    EXPECT_EQ(form.state.slotb.index(), 5);
}

INSTANTIATE_TEST_SUITE_P(Table, SlotButtons, ::testing::ValuesIn(buttonCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SlotButtons, DriveBResetBlankReachesTheCommandLine)
{
    FakeServices fakes;
    TForm1 form{fakes.services()};
    form.state.default_ = "/app";
    form.Button3Click();
    EXPECT_NE(form.state.editline.find("-diskb /app/disks/driveb.dsk  -rom"), std::string::npos)
        << form.state.editline;
}

struct MachineCase {
    const char* name;
    int computer;
    const char* loaded;  // the path handed to the picture loader, below the application directory
    const char* shown;   // what cpupic shows afterwards
    const char* error;   // the path in "Cannot open file", below the application directory; "" for none
    const char* machine; // the machine fragment of the rebuilt line
};

const MachineCase machineCases[] = {
    {"Msx1", 0, "/images/msx1.bmp", "/images/msx1.bmp", "", " -msx1"},
    {"Msx2FoundWhateverItsCase", 1, "/images/MSX2.BMP", "/images/MSX2.BMP", "", " -rom"},
    {"MissingPictureStillRebuilds", 2, "/images/msx2plus.bmp", "/previous.bmp", "/images/msx2plus.bmp",
     " -msx2+"},
    {"NoMachineLoadsNothing", -1, "", "/previous.bmp", "", " -rom"},
};

class MachinePicture : public ::testing::TestWithParam<MachineCase> {};

TEST_P(MachinePicture, FollowsTheMachineList)
{
    const MachineCase& c = GetParam();
    TempDir dir;
    dir.write("images/msx1.bmp", "BM");
    dir.write("images/MSX2.BMP", "BM");
    FakeServices fakes;
    TForm1 form{fakes.services()};
    form.state.default_ = dir.path;
    form.cpupic.picture = std::make_shared<FakeImage>(dir.path + "/previous.bmp");
    form.state.computer.select(c.computer);
    form.state.editline = "stale";

    std::string error;
    try {
        form.computerClick();
    } catch (const VeldrunError& e) {
        error = e.what();
    }

    EXPECT_EQ(error, *c.error ? "Cannot open file " + dir.path + c.error : "");
    if (*c.loaded)
        EXPECT_EQ(fakes.pictures.loaded, std::vector<std::string>{dir.path + c.loaded});
    else
        EXPECT_TRUE(fakes.pictures.loaded.empty());
    EXPECT_EQ(shownPath(form.cpupic.picture), dir.path + c.shown);
    EXPECT_NE(form.state.editline.find(c.machine), std::string::npos) << form.state.editline;
}

INSTANTIATE_TEST_SUITE_P(Table, MachinePicture, ::testing::ValuesIn(machineCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MachinePicture, InvalidBitmapKeepsPreviousPicture)
{
    TempDir dir;
    dir.write("images/msx1.bmp", "not a bitmap");
    FakeServices fakes;
    fakes.pictures.invalid.insert(dir.path + "/images/msx1.bmp");
    TForm1 form{fakes.services()};
    form.state.default_ = dir.path;
    form.state.computer.select(0);
    form.state.editline = "stale";
    EXPECT_THROW(
        {
            try {
                form.computerClick();
            } catch (const VeldrunError& e) {
                EXPECT_STREQ(e.what(), "Bitmap image is not valid");
                throw;
            }
        },
        VeldrunError);
    EXPECT_EQ(form.cpupic.picture, nullptr);
    EXPECT_NE(form.state.editline, "stale");
}

TEST(MachinePicture, MessageNamesThePathAsFormed)
{
    // A loader that cannot open what it finds: the message still names the path as the program
    // formed it, not the spelling found on disk.
    struct Unreadable : Pictures {
        ImagePtr loadBmp(const std::string& path) override { throw cannotOpenFile(path); }
    } pictures;
    TempDir dir;
    dir.write("Images/MSX1.bmp", "BM");
    try {
        loadPictureUnder(pictures, dir.path, "\\images\\msx1.bmp");
        FAIL();
    } catch (const VeldrunError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + dir.path + "/images/msx1.bmp");
    }
}

} // namespace
