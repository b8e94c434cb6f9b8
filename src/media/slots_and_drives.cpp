#include "files/file_io.h"
#include "files/paths.h"
#include "form/tform1.h"

#include <filesystem>

// Cartridge slots and disk drives. Slot 1 and drive A are filled from the file browser; slot 2 and
// drive B only by moving. Every handler ends by rebuilding the command line.

namespace {

namespace fs = std::filesystem;

// A drive names a bare file that the emulator looks for in the disks folder: a disk image picked
// anywhere else is offered a copy there, or the user is told where it will be looked for.
void offerCopyToDisks(const FileListBox& list, const std::string& appDir, QuestionBox& questions)
{
    const std::string disks = paths::resolveCaseInsensitive(paths::under(appDir, "\\disks"));
    std::error_code error;
    if (fs::equivalent(list.directory, disks, error))
        return;
    const std::string target = paths::join(disks, list.selected);
    const bool there = fs::exists(target, error);
    const std::string question = "The emulator takes disk images from " + disks + ".\n\nCopy " +
                                 list.selected + " there" +
                                 (there ? ", replacing the file of that name" : "") + "?";
    if (questions.ask(question))
        fileio::copy(list.fileName(), target);
    else
        questions.tell("The emulator will look for " + list.selected + " in " + disks +
                       (there ? "." : ", where there is no such file."));
}

} // namespace

void TForm1::FileListBox1Change()
{
    LauncherState& s = state;
    const std::string& mask = FileListBox1.mask;

    // After a refill editname holds the mask: the slot then keeps its cartridge, and an empty slot
    // gets the mask as a transient caption that linecreate turns back into "None".
    if (mask == "*.rom" && (s.slotatext == "None" || editname != "*.rom")) {
        s.slotafile = FileListBox1.fileName();
        s.slotatext = editname;
    }
    // Drives take the bare name: the command line looks for it under the disks directory.
    const bool diskPicked = mask == "*.dsk" && editname != "*.dsk" && !FileListBox1.selected.empty();
    if (mask == "*.dsk" && (s.diskatext == "drivea.dsk" || editname != "*.dsk")) {
        s.diskafile = editname;
        s.diskatext = editname;
    }
    const bool romPicked = mask == "*.rom" && editname != "*.rom" && !FileListBox1.selected.empty();
    linecreate();
    if (diskPicked)
        offerCopyToDisks(FileListBox1, s.default_, services().questions);
    if (romPicked || diskPicked)
        offerToRunningMachine(romPicked, FileListBox1.fileName());
}

void TForm1::Clear1Click()
{
    state.slotafile.clear();
    state.slotatext = "None";
    linecreate();
}

void TForm1::Clear2Click()
{
    state.slotbfile.clear();
    state.slotbtext = "None";
    linecreate();
}

void TForm1::MoveknopClick()
{
    LauncherState& s = state;
    if (s.slotatext != "None") {
        s.slotbtext = s.slotatext;
        // The blank separates the two paths: the command line writes them back to back.
        s.slotbfile = " " + s.slotafile;
        s.slotafile.clear();
        s.slotatext = "None";
    }
    linecreate();
}

void TForm1::Button1Click()
{
    state.diskafile = "drivea.dsk";
    state.diskatext = "drivea.dsk";
    linecreate();
}

void TForm1::Button3Click()
{
    // The trailing blank has always been part of drive B's reset name; the command line keeps it.
    state.diskbfile = "driveb.dsk ";
    state.diskbtext = "driveb.dsk";
    linecreate();
}

void TForm1::Button2Click()
{
    LauncherState& s = state;
    // With drive A at its own image both drives would name one image file, and two emulated
    // drives writing one image can corrupt it: like the cartridge move, nothing moves then.
    if (s.diskatext != "drivea.dsk") {
        s.diskbtext = s.diskatext;
        s.diskbfile = s.diskafile;
        s.diskafile = "drivea.dsk";
        s.diskatext = "drivea.dsk";
    }
    linecreate();
}
