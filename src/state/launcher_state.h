#pragma once

#include "state/controls.h"
#include "state/item_lists.h"

#include <string>

// Everything the front-end knows about the emulation the user is about to start. Each field is
// named after the control that shows it (names kept from the original window, partly Dutch). The
// values here are those at window creation; the view shows them from its first mirror on, the
// layout test reads them here and the settings line keeps none of its own.
struct LauncherState {
    // Option lists: nothing selected until the settings file or the catalogue selects.
    OptionList computer{items::computer};       // the machine: MSX1, MSX2, MSX2+
    OptionList freq{items::freq};               // video frequency
    OptionList Sram{items::Sram};               // main memory
    OptionList Svram{items::Svram};             // video memory
    OptionList resolutie{items::resolutie};     // the emulator's screen resolution
    OptionList sccselect{items::sccselect};     // SCC sound chip
    OptionList FMPACselect{items::FMPACselect}; // FM-PAC sound cartridge
    OptionList sadapter{items::sadapter};       // the PC's video adapter ("Video:")
    OptionList spritegroup{items::spritegroup}; // sprite limit ("Sprites:")
    OptionList vdpgroup{items::vdpgroup};       // video chip emulation ("VDP emu:")
    OptionList vgabox{items::vgabox};           // VGA screen-mode switch ("VGA:")
    OptionList syncbox{items::syncbox};         // video chip sync ("Sync VDP:")
    OptionList slota{items::mapper};            // slot 1's mapper type
    OptionList slotb{items::mapper};            // slot 2's mapper type

    TrackBar volbar{0, 15, 15};      // volume
    TrackBar sqbar{1, 5, 5};         // sound quality
    TrackBar TrackBar1{1, 500, 100}; // CPU speed in percent
    CheckBox painterbox;             // "Load painter"

    // Value labels: each shows its track bar's position, written by the track bar's handler.
    std::string Label12 = std::to_string(volbar.position());       // the volume
    std::string Label13 = std::to_string(sqbar.position());        // the sound quality
    std::string speedlabel = std::to_string(TrackBar1.position()); // the CPU speed

    // Cartridge slots and disk drives. slotbfile begins with a blank when set: the command line
    // writes it straight after slotafile.
    std::string slotafile;                // slot 1's ROM path, as the command line writes it
    std::string slotatext = "None";       // slot 1's caption: the file name
    std::string slotbfile;                // slot 2's ROM path
    std::string slotbtext = "None";       // slot 2's caption
    std::string diskafile;                // drive A's image below the disks folder; empty: drivea.dsk
    std::string diskatext = "drivea.dsk"; // drive A's caption
    std::string diskbfile;                // drive B's image; empty: driveb.dsk
    std::string diskbtext = "driveb.dsk"; // drive B's caption

    // The application directory (the label `default`; the name is a C++ keyword, hence the
    // underscore). Every file the program names itself lies below it.
    std::string default_ = "default";
    std::string emulatorexe = "fmsx-dos.exe"; // the emulator program's name in the emulator folder
    std::string editline;                     // the command line the next launch writes
    std::string start = "None";               // the last command started ("Last command:")
};
