#include "ui/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

const MenuItemSpec fileItems[] = {{"Load1", "&Load"}, {"SaveClose1", "&Save&&Close"}, {"Close1", "&Quit"}};
const MenuItemSpec commandItems[] = {{"Show1", "&Show"}, {"Prompt1", "&Prompt"}, {"Execute1", "&Execute!"}};
const MenuItemSpec settingsItems[] = {{"Loadsettings1", "&Load settings"}, {"Save1", "&Save settings"}};
const MenuItemSpec optionsItems[] = {{"TULKCFG1", "open TULK.CFG"}, {"MSDOS1", "&MS-DOS shell"}};
// After the separator, the running emulator's items; a disabled one says why in its tooltip.
const MenuItemSpec emulatorItems[] = {{"fMSX1", "&fMSX", true},
                                      {"BrMSX1", "BrMSX", true},
                                      {"Machines1", "openMSX &machines..."},
                                      {nullptr, nullptr},
                                      {"Pause1", "&Pause", true},
                                      {"Reset1", "&Reset"},
                                      {"Stop1", "S&top"},
                                      {"DiskA1", "Change disk in drive &A..."},
                                      {"DiskB1", "Change disk in drive &B..."},
                                      {"Eject1", "&Eject disks"},
                                      {"Screenshot1", "&Screenshot"}};
const MenuItemSpec downloadItems[] = {{"DownloadZAZURE1", "&Download ZAZURE"},
                                      {"Downloademulator1", "D&ownload emulator"}};
const MenuItemSpec onlineItems[] = {{"TULKonline1", "&TULK online"}, {"Lookforupdate1", "&Look for update"}};
const MenuItemSpec helpItems[] = {{"fmsxhelp", "&fMSX Manual"},
                                  {"GotoMSXDatabase1", "&MSX software"},
                                  {"ContactUS1", "&Contact TULK"},
                                  {"About1", "&About"}};

const MenuSpec menus[] = {
    {"File1", "&File", fileItems},
    {"Program1", "&Command", commandItems},
    {"Settings1", "Se&ttings", settingsItems},
    {"Options1", "&Options", optionsItems},
    {"emumenu", "&Emulator", emulatorItems},
    {"Download1", "&Download", downloadItems},
    {"Online1", "Onl&ine", onlineItems},
    {"Help1", "&Help", helpItems},
};

} // namespace

std::span<const MenuSpec> mainMenu() { return menus; }

void buildMainMenu(QMenuBar* bar, std::span<const MenuSpec> specs)
{
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuSpec& entry : specs) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(entry.caption));
        menu->setObjectName(QLatin1String(entry.name));
        menu->setToolTipsVisible(true);
        for (const MenuItemSpec& item : entry.items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QLatin1String(item.name));
            action->setCheckable(item.checkable);
        }
    }
}
