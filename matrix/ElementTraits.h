// ElementTraits: the constant one of each element type.
//
// Zero is every type's value-initialised T{}; the zero tests compare with it by the type's
// own equality, so a negative zero counts as zero and a NaN never does.
#pragma once

#include "number/Bruch.h"

template <typename T>
struct ElementTraits {
    static T one() { return T(1); }
};

template <>
struct ElementTraits<Bruch> {
    static Bruch one() { return Bruch(1, 1); }
};

template <typename T>
bool isZeroElement(const T& value) {
    return value == T{};
}
