#include "app/Program.h"

#include <string>
#include <utility>

#include "app/MainMenus.h"
#include "app/TypeMenu.h"
#include "app/menus/MainMenu.h"
#include "app/menus/Menu.h"

int runCalculator() {
    // Each entry with the element type it runs the main menu with; the last entry ends.
    const std::pair<std::string, int (*)()> types[] = {{decimalRangeEntry<float>(), runFloatMainMenu},
                                                       {decimalRangeEntry<double>(), runDoubleMainMenu},
                                                       {"komplexe Zahlen", runComplexMainMenu},
                                                       {"Bruchzahl", runBruchMainMenu}};
    MenuText menu{"Bitte waehlen Sie den Datentyp der Matrixelemente:", {}, false};
    for (const auto& type : types) {
        menu.entries.push_back(type.first);
    }
    menu.entries.emplace_back("Programm beenden");
    for (;;) {
        int selection = 1;
        const auto chosen = static_cast<std::size_t>(runMenu(menu, selection) - 1);
        if (chosen == std::size(types) || types[chosen].second() == EndChoice) {
            return 0;
        }
    }
}
