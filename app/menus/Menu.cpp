#include "app/menus/Menu.h"

#include <iostream>

#include "app/menus/Screen.h"
#include "app/terminal/KeyDecoder.h"
#include "app/terminal/Terminal.h"

namespace {

void drawMenu(const MenuText& menu, int selection) {
    beginScreen();
    if (menu.blankLineBeforeHeading) {
        std::cout << std::endl;
    }
    std::cout << menu.heading << std::endl << std::endl;
    const int count = static_cast<int>(menu.entries.size());
    for (int i = 1; i <= count; ++i) {
        setTextAttribute(i == selection ? highlightAttribute : normalAttribute);
        std::cout << menu.entries[static_cast<std::size_t>(i - 1)];
        // The highlight covers the entry's characters, not the rest of its line.
        if (i == selection) {
            setTextAttribute(normalAttribute);
        }
        std::cout << std::endl;
    }
    setTextAttribute(normalAttribute);
}

}  // namespace

int runMenu(const MenuText& menu, int& selection) {
    const int count = static_cast<int>(menu.entries.size());
    for (;;) {
        drawMenu(menu, selection);
        const int code = terminal::readKeyCode() & 0xff;
        if (code == keys::up) {
            --selection;
        } else if (code == keys::down) {
            ++selection;
        }
        if (selection > count) {
            selection = 1;
        } else if (selection < 1) {
            selection = count;
        }
        if (code == keys::enter) {
            return selection;
        }
    }
}

int runMenuTable(const MenuTable& table) {
    MenuText menu{table.heading, {}};
    for (const MenuEntry& entry : table.entries) {
        menu.entries.push_back(entry.label);
    }
    int selection = 1;
    for (;;) {
        const int chosen = runMenu(menu, selection);
        const std::function<void()>& action = table.entries[static_cast<std::size_t>(chosen - 1)].action;
        if (!action) {
            return chosen;
        }
        action();
        if (table.backToFirstEntry) {
            selection = 1;
        }
    }
}
