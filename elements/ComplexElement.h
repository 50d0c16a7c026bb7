// ComplexElement: complex numbers as matrix elements, read and written as (re,im) by the
// standard stream operators.
#pragma once

#include <complex>

#include "elements/InputErrorText.h"
#include "matrix/Matrix.h"

inline constexpr const char* complexInputErrorText = "Eingabefehler (komplexe Zahl)";

template <>
inline const char* inputErrorText<std::complex<double>>() {
    return complexInputErrorText;
}

// The matrix templates for complex numbers are built once, in ComplexElement.cpp, and nowhere else.
extern template class MatrixVector<std::complex<double>>;
extern template class MatrixArithmetic<std::complex<double>>;
extern template class MatrixMath<std::complex<double>>;
extern template class Matrix<std::complex<double>>;
