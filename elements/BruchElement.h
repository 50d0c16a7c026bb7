// BruchElement: exact fractions as matrix elements: their one, which the templates cannot make
// as T(1), and the text shown when a typed fraction cannot be read.
#pragma once

#include "elements/InputErrorText.h"
#include "matrix/Matrix.h"
#include "number/Bruch.h"

template <>
struct ElementTraits<Bruch> {
    static Bruch one() { return Bruch(1, 1); }
};

template <>
inline const char* inputErrorText<Bruch>() {
    return fractionInputErrorText;
}

// The matrix templates for exact fractions are built once, in BruchElement.cpp, not in every unit
// that uses them.
extern template class MatrixVector<Bruch>;
extern template class MatrixArithmetic<Bruch>;
extern template class MatrixMath<Bruch>;
extern template class Matrix<Bruch>;
