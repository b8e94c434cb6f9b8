#include "ui/control_tips.h"

namespace {

// clang-format off
const ControlTip tips[] = {
    {"DirectoryListBox1", "The folder whose files are listed; a double click or Return opens a folder. A ROM or disk file dropped on the window is picked the same way."},
    {"FileListBox1", "Picking a ROM puts it into cartridge slot 1; picking a disk image puts it into drive A."},
    {"editname", "The file picked in the list, or the list's mask while none is picked."},
    {"DriveComboBox1", "Where to browse from: the file system root, your home or a mounted medium."},
    {"FilterComboBox1", "MSX-Roms lists cartridge images (*.rom) for slot 1, MSX-Disks lists disk images (*.dsk) for drive A."},
    {"default", "The application directory: the emulator, the disks folder and the settings are found here."},
    {"slota", "The mapper type of the cartridge in slot 1: how the MSX switches its ROM banks (first number of \" -rom \")."},
    {"slotatext", "The ROM image in cartridge slot 1, written first on the command line."},
    {"Clear1", "Takes the cartridge out of slot 1."},
    {"slotb", "The mapper type of the cartridge in slot 2 (second number of \" -rom \")."},
    {"slotbtext", "The ROM image in cartridge slot 2, written after slot 1's on the command line."},
    {"Clear2", "Takes the cartridge out of slot 2."},
    {"Moveknop", "Moves the cartridge in slot 1 into slot 2, replacing what slot 2 held."},
    {"diskatext", "The disk image in drive A, taken from the disks folder (\" -diska \")."},
    {"Button1", "Puts drive A back to its own image, drivea.dsk."},
    {"diskbtext", "The disk image in drive B, taken from the disks folder (\" -diskb \")."},
    {"Button3", "Puts drive B back to its own image, driveb.dsk."},
    {"Button2", "Moves drive A's image into drive B and puts drive A back to drivea.dsk."},
    {"computer", "The machine emulated: MSX1 (\" -msx1 \"), MSX2 (no option) or MSX2+ (\" -msx2+ \")."},
    {"freq", "The video frequency: 50 Hz as in Europe, or 60 Hz as in Japan (\" -ifreq 60 \"), which also sets the game speed."},
    {"Sram", "The main memory of the MSX: 256 KB writes \" -ram 16 \", 512 KB \" -ram 32 \"."},
    {"Svram", "The video memory of the MSX: 256 KB writes \" -vram 16 \"."},
    {"resolutie", "The screen resolution the emulator shows the MSX picture in (\" -video \" with its number)."},
    {"sccselect", "The Konami SCC sound chip that some cartridges carry, off or on (\" -scc \")."},
    {"FMPACselect", "The FM-PAC music cartridge and how its sound reaches you (\" -fmpac \"); left out when off."},
    {"volbar", "The sound volume, 0 to 15 (\" -volume \"; left out at 10, the emulator's own)."},
    {"Label12", "The sound volume, 0 to 15."},
    {"sqbar", "The sound quality, 1 (lowest) to 5 (best) (\" -sq \")."},
    {"Label13", "The sound quality, 1 to 5."},
    {"sadapter", "The PC video adapter the emulator draws with: found by itself, S3 or VESA (\" -video 1 \" or \" -video 2 \")."},
    {"spritegroup", "\"Limit to 4/8\" shows no more sprites on a line than a real MSX does, so flicker looks as it should (\" -sprite 1 \")."},
    {"vdpgroup", "How closely the MSX video chip is emulated: horizontally, vertically or fully (\" -adjust \")."},
    {"vgabox", "Switches the PC's VGA screen mode along with the MSX's (\" -modeswitch 1 \")."},
    {"syncbox", "Keeps the MSX video chip in step with the CPU, for programs that time their screen changes (\" -sync 1 \")."},
    {"TrackBar1", "The speed of the MSX's CPU in percent, 1 to 500 (\" -cpuspeed \"; left out at 100)."},
    {"speedlabel", "The CPU speed in percent; 100 is a real MSX."},
    {"SpinButton1", "Steps the CPU speed up or down by one percent."},
    {"painterbox", "Starts the emulator with its painter loaded (\" -painter 1 \")."},
    {"stopmusic", "Stops the background music."},
    {"next", "Plays another background tune."},
    {"Loadknop", "Loads the settings saved in settings.CFG."},
    {"Saveknop", "Saves the chipset, sound and video settings into settings.CFG."},
    {"endknop", "Ends the front-end."},
    {"startknop", "Writes the command line into TULK.CFG and starts the emulator with it."},
    {"TreeView1", "Ready-made settings: picking a title sets the machine, the mapper types and the rest for it."},
    {"editline", "The command line the emulator receives; what you type here is used until the next change."},
    {"start", "The last command started."},
};
// clang-format on

} // namespace

std::span<const ControlTip> controlTips() { return tips; }
