#include "app/TypeMenu.h"

#include <limits>
#include <sstream>

template <typename Decimal>
std::string decimalRangeEntry() {
    std::ostringstream text;
    text << "Dezimalzahl im Bereich von " << std::numeric_limits<Decimal>::min() << " bis "
         << std::numeric_limits<Decimal>::max();
    return text.str();
}

template std::string decimalRangeEntry<float>();
template std::string decimalRangeEntry<double>();
