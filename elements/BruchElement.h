// BruchElement: exact fractions as matrix elements: their one, which the templates cannot make
// as T(1), their exact engine for the determinant family and the solver, and the text shown
// when a typed fraction cannot be read.
#pragma once

#include <cstddef>

#include "elements/InputErrorText.h"
#include "matrix/FastPathOutcome.h"
#include "matrix/Matrix.h"
#include "number/Bruch.h"

// Fractions compute the determinant, the inverse, the adjugate and a uniquely solvable system by
// the exact engine, which gives the very values of the literal algorithm in a fraction of its
// time; the smallest matrices stay with the literal algorithm, which is quicker there, and so
// does a singular system, whose steps decide how it is classified.
template <>
struct ElementTraits<Bruch> {
    static Bruch one() { return Bruch(1, 1); }

    // Below these orders the literal algorithm in 64-bit fractions is at least as fast.
    static bool takesFastPath(FastOperation operation, std::size_t n) {
        switch (operation) {
        case FastOperation::Determinant:
            return n >= 4;
        case FastOperation::Inverse:
            return n >= 3;
        case FastOperation::Adjugate:
            return n >= 4;
        case FastOperation::Solve:
            return n >= 5;
        }
        return false;
    }

    // The exact engine, called only where the templates are built (BruchElement.cpp).
    static bool fastDeterminant(const Bruch* const* rows, std::size_t n, Bruch& result);
    static FastPathOutcome fastInverse(const Bruch* const* rows, std::size_t n, Bruch* const* result);
    static FastPathOutcome fastAdjugate(const Bruch* const* rows, std::size_t n, Bruch* const* result);
    static FastPathOutcome fastSolve(const Bruch* const* rows, std::size_t n, const Bruch* constants, Bruch* solution);
};

template <>
inline const char* inputErrorText<Bruch>() {
    return fractionInputErrorText;
}

// The matrix templates for exact fractions are built once, in BruchElement.cpp, and nowhere else.
extern template class MatrixVector<Bruch>;
extern template class MatrixArithmetic<Bruch>;
extern template class MatrixMath<Bruch>;
extern template class Matrix<Bruch>;
