// Menu: the engine behind every menu: a heading over a list of entries, one highlighted,
// moved with the arrow keys (or H and P) and confirmed with Enter.
#pragma once

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
