// ComplexElement: complex numbers as matrix elements, read and written as (re,im) by the
// standard stream operators.
#pragma once

#include <complex>

#include "elements/InputErrorText.h"

inline constexpr const char* complexInputErrorText = "Eingabefehler (komplexe Zahl)";

template <>
inline const char* inputErrorText<std::complex<double>>() {
    return complexInputErrorText;
}
