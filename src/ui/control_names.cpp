#include "ui/control_names.h"

#include "ui/control_tips.h"
#include "ui/widget_lookup.h"

#include <QWidget>

namespace {

struct ControlName {
    const char* control;
    const char* name;        // "": the caption serves
    const char* description; // "": the tooltip serves
};

// clang-format off
const ControlName names[] = {
    {"DirectoryListBox1", "Folders", ""},
    {"FileListBox1", "Files", ""},
    {"editname", "File name", ""},
    {"DriveComboBox1", "Drive", ""},
    {"FilterComboBox1", "File type", ""},
    {"Label5", "", "Caption of the application directory beside it."},
    {"GroupBox4", "", "The cartridge slots and the disk drives."},
    {"GroupBox6", "", "The cartridge in slot 1 and its mapper type."},
    {"slota", "Slot 1 mapper type", ""},
    {"Label7", "", "Caption of the ROM image in slot 1 below it."},
    {"GroupBox7", "", "The cartridge in slot 2 and its mapper type."},
    {"slotb", "Slot 2 mapper type", ""},
    {"Label8", "", "Caption of the ROM image in slot 2 below it."},
    {"drives", "", "The disk images in drives A and B."},
    {"Label9", "", "Caption of drive A's disk image beside it."},
    {"Label10", "", "Caption of drive B's disk image beside it."},
    {"Chips", "", "The machine, its video frequency, memory and screen resolution."},
    {"computer", "Machine", ""},
    {"freq", "Video frequency", ""},
    {"Sram", "Memory", ""},
    {"Svram", "Video memory", ""},
    {"resolutie", "Screen resolution", ""},
    {"Sound", "", "The sound chips, the volume and the sound quality."},
    {"sccselect", "SCC sound chip", ""},
    {"FMPACselect", "FM-PAC", ""},
    {"Label3", "", "Caption of the volume slider beside it."},
    {"volbar", "Volume", ""},
    {"Label4", "", "Caption of the sound quality slider beside it."},
    {"sqbar", "Sound quality", ""},
    {"Advanced", "", "How the emulator draws the MSX picture."},
    {"Label1", "", "Caption of the video adapter list beside it."},
    {"sadapter", "Video adapter", ""},
    {"Label14", "", "Caption of the sprites list beside it."},
    {"spritegroup", "Sprites", ""},
    {"Label15", "", "Caption of the VDP emulation list beside it."},
    {"vdpgroup", "VDP emulation", ""},
    {"Label16", "", "Caption of the VGA list beside it."},
    {"vgabox", "VGA mode switch", ""},
    {"Label17", "", "Caption of the VDP sync list beside it."},
    {"syncbox", "Sync VDP", ""},
    {"GroupBox5", "", "The speed of the MSX's CPU."},
    {"TrackBar1", "CPU speed", ""},
    {"Label2", "", "Caption of the CPU speed beside it."},
    {"Label11", "", "The CPU speed is in percent."},
    {"SpinButton1", "CPU speed step", ""},
    {"Image1", "TULK logo", "The maker's banner."},
    {"GroupBox2", "", "Ready-made settings for titles of the catalogue."},
    {"TreeView1", "Quicksettings catalogue", ""},
    {"GroupBox3", "", "Pictures of the chosen machine, sound cartridges and catalogue title."},
    {"cpupic", "Machine picture", "The machine chosen in the Chipset list."},
    {"fmpic", "FM-PAC picture", "Shown while the FM-PAC is on."},
    {"sccpic", "SCC picture", "Shown while the SCC is on."},
    {"gamepic", "Title picture", "The picture of the title or publisher chosen in the catalogue."},
    {"emuname", "", "The emulator the command line is for."},
    {"editline", "Command line", ""},
    {"Label6", "", "Caption of the last command beside it."},
};
// clang-format on

} // namespace

void nameControls(QWidget* panel)
{
    // Lists and trees do not read their tooltip out as the other controls do.
    for (const ControlTip& tip : controlTips())
        requireChild<QWidget>(panel, tip.name)->setAccessibleDescription(QString::fromUtf8(tip.tip));
    for (const ControlName& n : names) {
        auto* control = requireChild<QWidget>(panel, n.control);
        if (*n.name)
            control->setAccessibleName(QString::fromUtf8(n.name));
        if (*n.description)
            control->setAccessibleDescription(QString::fromUtf8(n.description));
    }
}
