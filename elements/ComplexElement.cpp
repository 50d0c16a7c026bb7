// The one unit that builds the matrix templates for complex numbers.
#include "elements/ComplexElement.h"
#include "matrix/Matrix-inl.h"

template class MatrixVector<std::complex<double>>;
template class MatrixArithmetic<std::complex<double>>;
template class MatrixMath<std::complex<double>>;
template class Matrix<std::complex<double>>;
