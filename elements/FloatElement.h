// FloatElement: single-precision decimals as matrix elements, read and written in the stream's
// default format.
#pragma once

#include "elements/InputErrorText.h"
#include "matrix/Matrix.h"

template <>
inline const char* inputErrorText<float>() {
    return decimalInputErrorText;
}

// The matrix templates for single-precision decimals are built once, in FloatElement.cpp, and nowhere else.
extern template class MatrixVector<float>;
extern template class MatrixArithmetic<float>;
extern template class MatrixMath<float>;
extern template class Matrix<float>;
