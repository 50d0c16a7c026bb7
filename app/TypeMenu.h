// TypeMenu: the first menu, where the user picks the element type of the matrices.
#pragma once

#include <string>

enum ElementTypeChoice {
    FloatElements = 1,
    DoubleElements = 2,
    ComplexElements = 3,
    FractionElements = 4,
    EndProgram = 5
};

// The range entry of a decimal type, its smallest positive normal and largest finite value
// written with the stream's default format for that type.
template <typename Decimal>
std::string decimalRangeEntry();

// Shows the element-type menu, starting on its first entry; returns the chosen code 1 to 5.
int runTypeMenu();
