// Session: the keys of a whole session built from what the user does, tracking which menu is
// open and which entry it highlights, so a test names actions instead of arrow counts.
#pragma once

#include <string>
#include <utility>

#include "e2e/Screens.h"

namespace screens {

class Session {
public:
    explicit Session(int elementType) : keys(choose(elementType)) {}

    // Input menu: 1, 2 resize Matrix 1, 2, and 3, 4 take their values, answered by `typed`; output
    // menu: Matrix 1 or 2; arithmetic: sum, difference, product; operations: determinants,
    // adjugates and inverses of 1 and 2. A key ends each pause.
    Session& input(int entry, const std::string& typed) { return inSubmenu(1, entry, typed); }
    Session& show(int matrix) { return inSubmenu(2, matrix, "x"); }
    Session& arithmetic(int entry) { return inSubmenu(3, entry, "x"); }
    Session& operation(int entry) { return inSubmenu(4, entry, "x"); }
    // The solver dialog with everything typed into it, then a key at the pause.
    Session& solver(const std::string& typed) { return inMainMenu(5, typed + "x"); }
    Session& changeType(int elementType) { return inMainMenu(6, choose(elementType)); }
    std::string partial() const { return keys; }  // the keys so far, the menus left open
    // The keys so far, then back to the main menu and "Programm beenden".
    std::string end() {
        leaveSubmenu();
        return keys + up + enter;
    }

private:
    // Entries of the input, output, arithmetic and operations menus; the last goes back.
    static constexpr int entryCounts[] = {0, 5, 3, 4, 7};

    Session& inSubmenu(int menuCode, int entry, const std::string& typed) {
        if (openMenu != menuCode) {
            inMainMenu(menuCode, "");
            openMenu = menuCode;
            walk = MenuWalk(entryCounts[menuCode]);
        }
        keys += walk.pick(entry) + typed;
        return *this;
    }

    Session& inMainMenu(int entry, const std::string& typed) {
        leaveSubmenu();
        keys += MenuWalk(7).pick(entry) + typed;
        return *this;
    }

    void leaveSubmenu() { keys += openMenu != 0 ? walk.pick(entryCounts[std::exchange(openMenu, 0)]) : ""; }

    std::string keys;
    int openMenu = 0;
    MenuWalk walk{7};
};

}  // namespace screens
