#pragma once

#include <span>

class QMenuBar;

// An item without a name is a separator.
struct MenuItemSpec {
    const char* name;
    const char* caption; // "&" before the access key, "&&" for an ampersand
    // The state of the items the form holds (check marks, enabled, changing captions) is the
    // form's, shown when the window is bound.
    bool checkable = false;
};

struct MenuSpec {
    const char* name;
    const char* caption;
    std::span<const MenuItemSpec> items;
};

// The main menu `MainMenu1`, menus in order, items in order.
std::span<const MenuSpec> mainMenu();

// Fills the menu bar; each menu and each item is named after its entry.
void buildMainMenu(QMenuBar* bar, std::span<const MenuSpec> menus);
