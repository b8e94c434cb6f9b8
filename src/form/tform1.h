#pragma once

#include "base/services.h"
#include "form/file_list_box.h"
#include "reader/treader.h"
#include "state/launcher_state.h"

#include <string>

// A picture control: what it shows and whether it is visible.
struct PictureBox {
    ImagePtr picture;
    bool visible = true;
    void clear() { picture.reset(); }
};

// A menu item's caption, check mark and enabled state; the hint says why it is disabled.
struct MenuItem {
    std::string caption;
    bool checked = false;
    bool enabled = true;
    std::string hint;
};

// The main window without its widgets: the launcher state, the display state the view mirrors,
// and every event handler by the name it has always had (control name plus event; "knop" is Dutch
// for button). Handlers are defined beside their subsystem (state/, media/, launch/, settings/,
// catalogue/, music/, reader/).
// Pictures, music, processes, the desktop, message boxes and the windows are reached through the
// services it is handed. Files are not: the handlers read and write them through files/ (fileio,
// paths) and std::filesystem directly. Both are standard C++ and the tests run them on temporary
// folders, so a file service would add a layer of fakes and catch nothing more.
class TForm1 {
  public:
    explicit TForm1(Services services);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    LauncherState state;

    // Display state.
    PictureBox cpupic;                          // the selected machine
    PictureBox fmpic;                           // the FM-PAC chip, shown while it is on
    PictureBox sccpic;                          // the SCC chip, shown while it is on
    PictureBox gamepic;                         // the catalogue title's or publisher's picture
    bool commandAreaShown = false;              // editline, emuname, Label6 and start
    MenuItem Show1{"&Show", false, true, {}};   // shows or hides the command area ("&Hide" while shown)
    MenuItem fMSX1{"&fMSX", true, true, {}};    // Emulator menu: fMSX-DOS is started
    MenuItem BrMSX1{"BrMSX", false, false, {}}; // Emulator menu: BrMSX is started

    // The running emulator (launch/): its items in the Emulator menu and the state the window shows.
    MenuItem Pause1{"&Pause", false, false, {}};
    MenuItem Reset1{"&Reset", false, false, {}};
    MenuItem Stop1{"S&top", false, false, {}};
    MenuItem DiskA1{"Change disk in drive &A...", false, false, {}};
    MenuItem DiskB1{"Change disk in drive &B...", false, false, {}};
    MenuItem Eject1{"&Eject disks", false, false, {}};
    MenuItem Screenshot1{"&Screenshot", false, false, {}};
    std::string sessionstate = "Emulator: none";

    // The file browser.
    FileListBox FileListBox1;       // the browser's file list
    std::string editname = "*.rom"; // the file-name field above it: the pick, or the mask

    // The reader window's model.
    Treader reader;

    // Command line (state/).
    void linecreate();           // rebuilds the command line from the state into editline
    void freqClick();            // video frequency chosen
    void SRamClick();            // main memory chosen
    void SvramClick();           // video memory chosen
    void resolutieClick();       // screen resolution chosen ("resolutie")
    void sadapterClick();        // PC video adapter chosen; also runs for vgabox (screen-mode switch)
    void spritegroupChange();    // sprite limit chosen; also runs for syncbox (video chip sync)
    void vdpgroupChange();       // how closely the video chip is emulated
    void painterboxClick();      // the painter check box
    void sccselectClick();       // SCC sound chip on or off
    void FMPACselectClick();     // FM-PAC sound cartridge chosen
    void volbarChange();         // volume moved; writes Label12
    void sqbarChange();          // sound quality moved; writes Label13
    void TrackBar1Change();      // CPU speed moved; writes speedlabel
    void SpinButton1UpClick();   // CPU speed one percent up
    void SpinButton1DownClick(); // CPU speed one percent down

    // Slots, drives and the machine picture (media/).
    void FileListBox1Change(); // a file picked: a ROM into slot 1, a disk image into drive A
    void Clear1Click();        // empties slot 1
    void Clear2Click();        // empties slot 2
    void MoveknopClick();      // moves slot 1's cartridge into slot 2
    void Button1Click();       // drive A back to drivea.dsk
    void Button2Click();       // drive A's image into drive B, drive A back to drivea.dsk
    void Button3Click();       // drive B back to driveb.dsk
    void computerClick();      // machine chosen (picture, line); also runs for the mapper lists slota, slotb

    // Response file, launch, Emulator menu, show/hide, quit (launch/).
    void opslaan();        // ("save") writes editline into TULK.CFG
    void startknopClick(); // "&MSX!" and "&Execute!": writes TULK.CFG and starts the emulator
    void fMSX1Click();     // Emulator menu: start fMSX-DOS
    void BrMSX1Click();    // Emulator menu: start BrMSX
    void Show1Click();     // shows or hides the command area
    void endknopClick();   // the "&Quit" button
    void Close1Click();    // the Quit menu item

    // The running emulator (launch/).
    void Pause1Click();
    void Reset1Click();
    void Stop1Click();
    void DiskA1Click();
    void DiskB1Click();
    void Eject1Click();
    void Screenshot1Click();
    // The emulator's state changed: the menu and the state follow; a failed end is raised once.
    void sessionChange();
    // A ROM or disk image picked while openMSX runs is offered into the running machine.
    void offerToRunningMachine(bool cartridge, const std::string& path);

    // Settings file and start-up (settings/).
    void Save1Click();      // writes settings.CFG (the menu item and the Save button)
    void LoadknopClick();   // reads settings.CFG (the button and two menu items)
    void SaveClose1Click(); // "&Save&&Close"
    void FormCreate();      // start-up: a tune, settings.CFG, the first command line

    // Catalogue (catalogue/).
    void TreeView1Change(const std::string* selectedNodeText); // a node chosen: its preset, if any

    // Music (music/).
    void playtune(int n);  // starts tune n of the music folder
    void nextClick();      // another tune, drawn at random
    void stopmusicClick(); // stops the music

    // Reader and links (reader/).
    void fmsxhelpClick();          // the emulator's manual in the reader
    void About1Click();            // the About text in the reader
    void TULKCFG1Click();          // the response file in the reader
    void TULKonline1Click();       // web: the home page
    void Lookforupdate1Click();    // web: the update page
    void DownloadZAZURE1Click();   // web: the ROM pack
    void Downloademulator1Click(); // web: the emulator archive
    void GotoMSXDatabase1Click();  // web: the MSX software database
    void ContactUS1Click();        // an e-mail to the maker
    void Prompt1Click();           // a terminal ("&Prompt" in the Command menu)
    void MSDOS1Click();            // a terminal ("&MS-DOS shell" in the Options menu)

    const Services& services() const { return services_; }

  private:
    void followSession();

    Services services_;
    int reportedRun_ = 0; // the last run whose end was shown
};

// Each track bar, the control that shows it, and the handler it runs when its position changes,
// whoever moves it (the user, the spin button, the settings file).
struct TrackBarBinding {
    const char* control;
    TrackBar LauncherState::*bar;
    void (TForm1::*handler)();
};

inline constexpr TrackBarBinding trackBarBindings[] = {
    {"volbar", &LauncherState::volbar, &TForm1::volbarChange},
    {"sqbar", &LauncherState::sqbar, &TForm1::sqbarChange},
    {"TrackBar1", &LauncherState::TrackBar1, &TForm1::TrackBar1Change},
};
