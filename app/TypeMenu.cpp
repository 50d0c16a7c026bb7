#include "app/TypeMenu.h"

#include <limits>
#include <sstream>

#include "app/Menu.h"

template <typename Decimal>
std::string decimalRangeEntry() {
    std::ostringstream text;
    text << "Dezimalzahl im Bereich von " << std::numeric_limits<Decimal>::min() << " bis "
         << std::numeric_limits<Decimal>::max();
    return text.str();
}

template std::string decimalRangeEntry<float>();
template std::string decimalRangeEntry<double>();

int runTypeMenu() {
    const MenuText menu{
        "Bitte waehlen Sie den Datentyp der Matrixelemente:",
        {decimalRangeEntry<float>(), decimalRangeEntry<double>(), "komplexe Zahlen", "Bruchzahl", "Programm beenden"},
        false};
    int selection = 1;
    return runMenu(menu, selection);
}
