// Matrix: the complete matrix, with the arithmetic and the determinant family on one shared
// storage, and the linear equation solver. Including this header gives the whole library's
// declarations; the definitions are in Matrix-inl.h, which only the units that build the
// templates for an element type include (elements/).
#pragma once

#include <cstdint>
#include <vector>

#include "matrix/ComputationMonitor.h"
#include "matrix/ElementTraits.h"
#include "matrix/MatrixArithmetic.h"
#include "matrix/MatrixException.h"
#include "matrix/MatrixMath.h"
#include "matrix/MatrixVector.h"
#include "matrix/SolveResult.h"

namespace elimination {
template <typename T>
class EliminationDriver;
template <typename T>
class WorkingMatrix;
}  // namespace elimination

template <typename T>
class Matrix : public MatrixArithmetic<T>, public MatrixMath<T> {
public:
    Matrix() = default;
    Matrix(std::uint32_t rows, std::uint32_t cols) : MatrixVector<T>(rows, cols) {}
    Matrix(const Matrix&) = default;
    ~Matrix() override = default;

    // One assignment of the shared storage, not one per base class.
    Matrix& operator=(const Matrix& source) {
        MatrixVector<T>::operator=(source);
        return *this;
    }

    // Solves this * solution = constants by Gaussian elimination with row exchanges at zero
    // pivots and back substitution from the last row. The solution is written only when the
    // system has exactly one.
    //
    // Refusals, all before anything is computed and in this order: constants not a single
    // column (400), solution not a single column (401), constants and solution of different
    // length (402), constants not as long as this matrix has rows (403), and then this matrix
    // not square (300), since the elimination needs as many columns as equations.
    SolveResult solve(const Matrix& constants, Matrix& solution) const;

private:
    using Driver = elimination::EliminationDriver<T>;

    // Decimal and complex numbers: the elimination on one contiguous copy in working memory,
    // where a row exchange exchanges two row pointers. The entries left of the pivots are
    // computed only when the contradiction test needs them, by a second elimination. This path
    // and the literal one are member templates, so that explicitly instantiating the class
    // builds only the one that its element type takes.
    template <typename Element = T>
    SolveResult solveOnWorkingCopy(const Matrix& constants, Matrix& solution) const;

    // Fractions: every operation on a copy of the matrix, since any of them may throw.
    template <typename Element = T>
    SolveResult solveOnLiteralCopy(const Matrix& constants, Matrix& solution) const;

    // Copies this matrix into the working copy, whose rows the elimination then takes in their
    // original order.
    template <typename Element = T>
    void copyInto(elimination::WorkingMatrix<Element>& working, elimination::Elimination<Element>& elimination) const;

    SolveResult classifySingular(T* const* rows, const std::vector<T>& values) const;

    SolveResult finishUnique(T* const* rows, std::vector<T>& values, Matrix& solution) const;

    // A type's own solver, for a system with exactly one solution; false when it declines or
    // finds the matrix singular, which the elimination below then classifies. A member
    // template, so that explicitly instantiating a type without a solver of its own leaves it
    // out (clang 14 instantiates a constrained member whose constraint fails).
    template <typename Traits = ElementTraits<T>>
    bool solveFast(const Matrix& constants, Matrix& solution) const;

    void requireSolvableShapes(const Matrix& constants, const Matrix& solution) const;
};
