// BruchElement: exact fractions as matrix elements: their one, which the templates cannot make
// as T(1), and the text shown when a typed fraction cannot be read.
#pragma once

#include "elements/InputErrorText.h"
#include "matrix/ElementTraits.h"
#include "number/Bruch.h"

template <>
struct ElementTraits<Bruch> {
    static Bruch one() { return Bruch(1, 1); }
};

template <>
inline const char* inputErrorText<Bruch>() {
    return fractionInputErrorText;
}
