#include "app/Program.h"

#include <complex>
#include <utility>

#include "app/TypeMenu.h"
#include "app/menus/ErrorDisplay.h"
#include "app/menus/MainMenu.h"
#include "app/menus/Menu.h"
#include "elements/Elements.h"
#include "number/BigNumberMemory.h"

namespace {

// Two fresh 3 x 3 zero matrices for one run of the main menu.
template <typename T>
int runWithElementType() {
    Matrix<T> matrix1;
    Matrix<T> matrix2;
    return runMainMenuLoop<T>(matrix1, matrix2);
}

}  // namespace

int runCalculator() {
    // Every big number is checked before it is made; should one still not get its memory, the
    // program has to end, but the user reads why.
    bignumber::whenAllocationFails([] { showThrownText(outOfMemoryText); });
    // Each entry with the element type it runs the main menu with; the last entry ends.
    const std::pair<std::string, int (*)()> types[] = {{decimalRangeEntry<float>(), runWithElementType<float>},
                                                       {decimalRangeEntry<double>(), runWithElementType<double>},
                                                       {"komplexe Zahlen", runWithElementType<std::complex<double>>},
                                                       {"Bruchzahl", runWithElementType<Bruch>}};
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
