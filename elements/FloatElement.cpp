// The one unit that builds the matrix templates for single-precision decimals.
#include "elements/FloatElement.h"
#include "matrix/Matrix-inl.h"

template class MatrixVector<float>;
template class MatrixArithmetic<float>;
template class MatrixMath<float>;
template class Matrix<float>;
