// The one unit that builds the matrix templates for exact fractions.
#include "elements/BruchElement.h"

template class MatrixVector<Bruch>;
template class MatrixArithmetic<Bruch>;
template class MatrixMath<Bruch>;
template class Matrix<Bruch>;
