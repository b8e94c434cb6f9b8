#pragma once

#include "state/controls.h"
#include "state/item_lists.h"

#include <string>

// Everything the front-end knows about the emulation the user is about to start. Each field is
// named after the control that shows it; the values here are those at window creation.
struct LauncherState {
    // Option lists: nothing selected until the settings file or the catalogue selects.
    OptionList computer{items::computer};
    OptionList freq{items::freq};
    OptionList Sram{items::Sram};
    OptionList Svram{items::Svram};
    OptionList resolutie{items::resolutie};
    OptionList sccselect{items::sccselect};
    OptionList FMPACselect{items::FMPACselect};
    OptionList sadapter{items::sadapter};
    OptionList spritegroup{items::spritegroup};
    OptionList vdpgroup{items::vdpgroup};
    OptionList vgabox{items::vgabox};
    OptionList syncbox{items::syncbox};
    OptionList slota{items::mapper};
    OptionList slotb{items::mapper};

    TrackBar volbar{0, 15, 15};
    TrackBar sqbar{1, 5, 5};
    TrackBar TrackBar1{1, 500, 100};
    CheckBox painterbox;

    // Value labels: each shows its track bar's position, written by the track bar's handler.
    std::string Label12 = "15";
    std::string Label13 = "5";
    std::string speedlabel = "100";

    // Cartridge slots and disk drives. slotbfile begins with a blank when set: the command line
    // writes it straight after slotafile.
    std::string slotafile;
    std::string slotatext = "None";
    std::string slotbfile;
    std::string slotbtext = "None";
    std::string diskafile;
    std::string diskatext = "drivea.dsk";
    std::string diskbfile;
    std::string diskbtext = "driveb.dsk";

    // The application directory (the label `default`; the name is a C++ keyword, hence the
    // underscore). Every file the program names itself lies below it.
    std::string default_ = "default";
    std::string emulatorexe = "fmsx-dos.exe";
    std::string editline;
    std::string start = "None";
};
