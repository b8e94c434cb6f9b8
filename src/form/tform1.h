#pragma once

#include "base/services.h"
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

// The file list of the browser as the handlers read it. The view keeps it up to date before it
// raises the list's change event.
struct FileListBox {
    std::string directory;      // the listed directory
    std::string mask = "*.rom"; // "*.rom" or "*.dsk"
    std::string selected;       // the selected file's name, empty when none

    // The directory, one separator and the selected name; empty when nothing is selected.
    std::string fileName() const;
};

// The main window without its widgets: the launcher state, the display state the view mirrors,
// and every event handler by its own name. Handlers are defined beside their subsystem
// (state/, media/, launch/, settings/, catalogue/, music/, reader/). The form reaches the outside
// world only through the services it is handed.
class TForm1 {
  public:
    explicit TForm1(Services services);
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    LauncherState state;

    // Display state.
    PictureBox cpupic;
    PictureBox fmpic;
    PictureBox sccpic;
    PictureBox gamepic;
    bool commandAreaShown = false; // editline, emuname, Label6 and start
    MenuItem Show1{"&Show", false, true, {}};
    MenuItem fMSX1{"&fMSX", true, true, {}};
    MenuItem BrMSX1{"BrMSX", false, false, {}};

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
    FileListBox FileListBox1;
    std::string editname = "*.rom";

    // The reader window's model.
    Treader reader;

    // Command line (state/).
    void linecreate();
    void freqClick();
    void SRamClick();
    void SvramClick();
    void resolutieClick();
    void sadapterClick();
    void spritegroupChange();
    void vdpgroupChange();
    void painterboxClick();
    void sccselectClick();
    void FMPACselectClick();
    void volbarChange();
    void sqbarChange();
    void TrackBar1Change();
    void SpinButton1UpClick();
    void SpinButton1DownClick();

    // Slots, drives and the machine picture (media/).
    void FileListBox1Change();
    void Clear1Click();
    void Clear2Click();
    void MoveknopClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void computerClick();

    // Response file, launch, Emulator menu, show/hide, quit (launch/).
    void opslaan();
    void startknopClick();
    void fMSX1Click();
    void BrMSX1Click();
    void Show1Click();
    void endknopClick();
    void Close1Click();

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
    void Save1Click();
    void LoadknopClick();
    void SaveClose1Click();
    void FormCreate();

    // Catalogue (catalogue/).
    void TreeView1Change(const std::string* selectedNodeText);

    // Music (music/).
    void playtune(int n);
    void nextClick();
    void stopmusicClick();

    // Reader and links (reader/).
    void fmsxhelpClick();
    void About1Click();
    void TULKCFG1Click();
    void TULKonline1Click();
    void Lookforupdate1Click();
    void DownloadZAZURE1Click();
    void Downloademulator1Click();
    void GotoMSXDatabase1Click();
    void ContactUS1Click();
    void Prompt1Click();
    void MSDOS1Click();

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
