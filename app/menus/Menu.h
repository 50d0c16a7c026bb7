// Menu: the engine behind every menu: a heading over a list of entries, one highlighted,
// moved with the arrow keys (or H and P) and confirmed with Enter.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct MenuText {
    std::string heading;
    std::vector<std::string> entries;
    bool blankLineBeforeHeading = true;
};

// Draws the menu and reads keys until Enter; every key draws it again. Returns the confirmed
// entry (counted from 1) and leaves it in `selection`.
int runMenu(const MenuText& menu, int& selection);

// One entry of a menu and what choosing it does; an entry without an action leaves the menu.
struct MenuEntry {
    std::string label;
    std::function<void()> action;
};

struct MenuTable {
    std::string heading;
    std::vector<MenuEntry> entries;
    // The main menu starts again on its first entry after each action; a submenu stays on the
    // entry just used.
    bool backToFirstEntry = false;
};

// Runs the actions of the chosen entries until an entry without one is chosen; returns its
// number.
int runMenuTable(const MenuTable& table);
