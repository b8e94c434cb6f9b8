// The main menu as the user opens it: every item's caption, accelerator, check mark and state.
#include "window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

class MenuLayout : public WindowTest {};

struct ExpectedMenu {
    const char* name;
    const char* caption;
    std::vector<std::pair<const char*, const char*>> items;
};

TEST_F(MenuLayout, MenuTreeWithCaptionsCheckMarkAndDisabledItem)
{
    open();
    const std::vector<ExpectedMenu> menus{
        {"File1", "&File", {{"Load1", "&Load"}, {"SaveClose1", "&Save&&Close"}, {"Close1", "&Quit"}}},
        {"Program1", "&Command", {{"Show1", "&Show"}, {"Prompt1", "&Prompt"}, {"Execute1", "&Execute!"}}},
        {"Settings1", "Se&ttings", {{"Loadsettings1", "&Load settings"}, {"Save1", "&Save settings"}}},
        {"Options1", "&Options", {{"TULKCFG1", "open TULK.CFG"}, {"MSDOS1", "&MS-DOS shell"}}},
        {"emumenu",
         "&Emulator",
         {{"fMSX1", "&fMSX"},
          {"BrMSX1", "BrMSX"},
          {"Machines1", "openMSX &machines..."},
          {"", ""},
          {"Pause1", "&Pause"},
          {"Reset1", "&Reset"},
          {"Stop1", "S&top"},
          {"DiskA1", "Change disk in drive &A..."},
          {"DiskB1", "Change disk in drive &B..."},
          {"Eject1", "&Eject disks"},
          {"Screenshot1", "&Screenshot"}}},
        {"Download1",
         "&Download",
         {{"DownloadZAZURE1", "&Download ZAZURE"}, {"Downloademulator1", "D&ownload emulator"}}},
        {"Online1", "Onl&ine", {{"TULKonline1", "&TULK online"}, {"Lookforupdate1", "&Look for update"}}},
        {"Help1",
         "&Help",
         {{"fmsxhelp", "&fMSX Manual"},
          {"GotoMSXDatabase1", "&MSX software"},
          {"ContactUS1", "&Contact TULK"},
          {"About1", "&About"}}},
    };
    const auto bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(menus.size()));
    for (std::size_t m = 0; m < menus.size(); ++m) {
        SCOPED_TRACE(menus[m].name);
        QMenu* menu = bar[m]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), menus[m].name);
        EXPECT_EQ(menu->title(), menus[m].caption);
        const auto items = menu->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(menus[m].items.size()));
        bool forTheRunningEmulator = false; // after the separator, waiting for an emulator to run
        for (qsizetype i = 0; i < items.size(); ++i) {
            const auto [name, caption] = menus[m].items[static_cast<std::size_t>(i)];
            SCOPED_TRACE(name);
            EXPECT_EQ(items[i]->objectName(), name);
            EXPECT_EQ(items[i]->text(), caption);
            const bool fmsx = std::string_view(name) == "fMSX1";
            const bool brmsx = std::string_view(name) == "BrMSX1";
            EXPECT_EQ(items[i]->isChecked(), fmsx);
            forTheRunningEmulator = forTheRunningEmulator || items[i]->isSeparator();
            EXPECT_EQ(items[i]->isEnabled(), !brmsx && !(forTheRunningEmulator && *name));
        }
    }
}

} // namespace
