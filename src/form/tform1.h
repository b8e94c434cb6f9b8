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

// A menu item's caption, check mark and enabled state.
struct MenuItem {
    std::string caption;
    bool checked = false;
    bool enabled = true;
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
    MenuItem Show1{"&Show"};
    MenuItem fMSX1{"&fMSX", true, true};
    MenuItem BrMSX1{"BrMSX", false, false};

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
    Services services_;
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
