// TypeMenu: the entries of the first menu, where the user picks the element type of the
// matrices (the menu itself runs in Program.cpp).
#pragma once

#include <string>

// The range entry of a decimal type, its smallest positive normal and largest finite value
// written with the stream's default format for that type.
template <typename Decimal>
std::string decimalRangeEntry();
