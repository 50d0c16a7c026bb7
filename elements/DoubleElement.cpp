// The one unit that builds the matrix templates for double-precision decimals.
#include "elements/DoubleElement.h"
#include "matrix/Matrix-inl.h"

template class MatrixVector<double>;
template class MatrixArithmetic<double>;
template class MatrixMath<double>;
template class Matrix<double>;
