// Session: builds the keys of a whole session from what the user does, tracking which menu is
// open and which entry it highlights, so a test names actions instead of arrow counts.
#pragma once

#include <string>

#include "e2e/Screens.h"

namespace screens {

class Session {
public:
    explicit Session(int elementType) : keys(choose(elementType)) {}

    // Input menu: 1, 2 resize Matrix 1, 2; 3, 4 enter their values. `typed` answers the dialog.
    Session& input(int entry, const std::string& typed) { return inSubmenu(inputMenuCode, entry, typed); }
    // Output menu: shows Matrix `matrix` and presses a key at the pause.
    Session& show(int matrix) { return inSubmenu(outputMenuCode, matrix, "x"); }
    // Arithmetic menu: 1 sum, 2 difference, 3 product; a key ends the pause.
    Session& arithmetic(int entry) { return inSubmenu(arithmeticMenuCode, entry, "x"); }
    // Operations menu: 1, 2 determinants, 3, 4 adjugates, 5, 6 inverses.
    Session& operation(int entry) { return inSubmenu(operationsMenuCode, entry, "x"); }
    // The solver dialog with everything typed into it, then a key at the pause.
    Session& solver(const std::string& typed) {
        leaveSubmenu();
        keys += MenuWalk(7).pick(5) + typed + "x";
        return *this;
    }
    Session& changeType(int elementType) {
        leaveSubmenu();
        keys += MenuWalk(7).pick(6) + choose(elementType);
        return *this;
    }
    // The keys so far, without leaving the menus.
    std::string partial() const { return keys; }
    // The keys so far, then back to the main menu and "Programm beenden".
    std::string end() {
        leaveSubmenu();
        return keys + up + enter;
    }

private:
    static constexpr int inputMenuCode = 1;
    static constexpr int outputMenuCode = 2;
    static constexpr int arithmeticMenuCode = 3;
    static constexpr int operationsMenuCode = 4;

    static int entryCount(int menuCode) {
        switch (menuCode) {
        case inputMenuCode:
            return 5;
        case outputMenuCode:
            return 3;
        case arithmeticMenuCode:
            return 4;
        default:
            return 7;
        }
    }

    Session& inSubmenu(int menuCode, int entry, const std::string& typed) {
        if (openMenu != menuCode) {
            leaveSubmenu();
            keys += MenuWalk(7).pick(menuCode);
            openMenu = menuCode;
            walk = MenuWalk(entryCount(menuCode));
        }
        keys += walk.pick(entry) + typed;
        return *this;
    }

    void leaveSubmenu() {
        if (openMenu != 0) {
            keys += walk.pick(entryCount(openMenu));
            openMenu = 0;
        }
    }

    std::string keys;
    int openMenu = 0;
    MenuWalk walk{7};
};

}  // namespace screens
