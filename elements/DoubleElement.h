// DoubleElement: double-precision decimals as matrix elements, read and written in the
// stream's default format.
#pragma once

#include "elements/InputErrorText.h"
#include "matrix/Matrix.h"

template <>
inline const char* inputErrorText<double>() {
    return decimalInputErrorText;
}

// The matrix templates for double-precision decimals are built once, in DoubleElement.cpp, and nowhere else.
extern template class MatrixVector<double>;
extern template class MatrixArithmetic<double>;
extern template class MatrixMath<double>;
extern template class Matrix<double>;
