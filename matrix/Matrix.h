// Matrix: the complete matrix, with the arithmetic and the determinant family on one shared
// storage, and the linear equation solver. Including this header gives the whole library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "matrix/ComputationMonitor.h"
#include "matrix/ElementTraits.h"
#include "matrix/FastPaths.h"
#include "matrix/MatrixArithmetic.h"
#include "matrix/MatrixException.h"
#include "matrix/MatrixMath.h"
#include "matrix/MatrixVector.h"
#include "matrix/SilentArithmetic.h"
#include "matrix/SolveResult.h"
#include "matrix/elimination/Elimination.h"
#include "matrix/elimination/EliminationDriver.h"
#include "matrix/elimination/WorkingMatrix.h"
#include "matrix/elimination/WorkingMemory.h"

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
    SolveResult solve(const Matrix& constants, Matrix& solution) const {
        requireSolvableShapes(constants, solution);
        if constexpr (HasFastSolve<T>) {
            if (ElementTraits<T>::takesFastPath(FastOperation::Solve, this->getRowCount()) &&
                solveFast(constants, solution)) {
                return SolveResult::UniqueSolution;
            }
        }
        if constexpr (hasSilentArithmetic<T>) {
            return solveOnWorkingCopy(constants, solution);
        } else {
            return solveOnLiteralCopy(constants, solution);
        }
    }

private:
    using Driver = elimination::EliminationDriver<T>;

    // Decimal and complex numbers: the elimination on one contiguous copy in working memory,
    // where a row exchange exchanges two row pointers. The entries left of the pivots are
    // computed only when the contradiction test needs them, by a second elimination. This path
    // and the literal one are member templates, so that explicitly instantiating the class
    // builds only the one that its element type takes.
    template <typename Element = T>
    SolveResult solveOnWorkingCopy(const Matrix& constants, Matrix& solution) const {
        const std::uint32_t n = this->getRowCount();
        elimination::WorkingMemory memory(elimination::WorkingMatrix<T>::bytesFor(n, n) +
                                          2 * elimination::Elimination<T>::scratchBytes(n));
        elimination::WorkingMatrix<T> working(memory, n, n);
        elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::FromPivot);
        elimination.provideScratch(memory, n);
        std::vector<T> values = constants.getColumn(1);
        const ComputationMonitor::Scope progress(1);
        copyInto(working, elimination);
        Driver::reduceByRowExchanges(elimination, values);
        if (Driver::diagonalVanishes(elimination.rows().data(), n)) {
            // As with fractions: the second elimination is not foreseen, so its progress stays
            // at the end.
            progress.step(1, 1);
            elimination::Elimination<T> full(elimination::Elimination<T>::Columns::All);
            full.provideScratch(memory, n);
            values = constants.getColumn(1);
            copyInto(working, full);
            Driver::reduceByRowExchanges(full, values);
            return classifySingular(full.rows().data(), values);
        }
        return finishUnique(elimination.rows().data(), values, solution);
    }

    // Fractions: every operation on a copy of the matrix, since any of them may throw.
    template <typename Element = T>
    SolveResult solveOnLiteralCopy(const Matrix& constants, Matrix& solution) const {
        const std::uint32_t n = this->getRowCount();
        Matrix working(n, n);
        working = *this;
        std::vector<T> values = constants.getColumn(1);
        elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::All);
        working.collectRowPointers(elimination.rows());
        Driver::reduceByRowExchanges(elimination, values);
        if (Driver::diagonalVanishes(elimination.rows().data(), n)) {
            return classifySingular(elimination.rows().data(), values);
        }
        return finishUnique(elimination.rows().data(), values, solution);
    }

    // Copies this matrix into the working copy, whose rows the elimination then takes in their
    // original order.
    template <typename Element = T>
    void copyInto(elimination::WorkingMatrix<Element>& working, elimination::Elimination<Element>& elimination) const {
        const std::uint32_t n = this->getRowCount();
        for (std::uint32_t i = 0; i < n; ++i) {
            working.setRow(i, this->row(i + 1).data());
        }
        elimination.rows().assign(working.rows(), working.rows() + n);
    }

    SolveResult classifySingular(T* const* rows, const std::vector<T>& values) const {
        const bool contradiction = Driver::hasContradiction(rows, this->getRowCount(), values);
        return contradiction ? SolveResult::NoSolution : SolveResult::InfinitelyManySolutions;
    }

    SolveResult finishUnique(T* const* rows, std::vector<T>& values, Matrix& solution) const {
        const std::uint32_t n = this->getRowCount();
        Driver::solveBackward(rows, n, values);
        for (std::uint32_t i = 1; i <= n; ++i) {
            solution.row(i)[0] = values[i - 1];
        }
        return SolveResult::UniqueSolution;
    }

    // A type's own solver, for a system with exactly one solution; false when it declines or
    // finds the matrix singular, which the elimination below then classifies. A member
    // template, so that explicitly instantiating a type without a solver of its own leaves it
    // out (clang 14 instantiates a constrained member whose constraint fails).
    template <typename Traits = ElementTraits<T>>
    bool solveFast(const Matrix& constants, Matrix& solution) const {
        const std::uint32_t n = this->getRowCount();
        std::vector<const T*> rows(n);
        std::vector<T> values(n);
        for (std::uint32_t r = 1; r <= n; ++r) {
            rows[r - 1] = this->row(r).data();
            values[r - 1] = constants.row(r)[0];
        }
        std::vector<T> result(n);
        if (Traits::fastSolve(rows.data(), n, values.data(), result.data()) != FastPathOutcome::Done) {
            return false;
        }
        for (std::uint32_t i = 1; i <= n; ++i) {
            solution.row(i)[0] = result[i - 1];
        }
        return true;
    }

    void requireSolvableShapes(const Matrix& constants, const Matrix& solution) const {
        if (constants.getColumnCount() != 1) {
            throw MatrixException(MatrixError::ConstantsNotColumn);
        }
        if (solution.getColumnCount() != 1) {
            throw MatrixException(MatrixError::SolutionNotColumn);
        }
        if (constants.getRowCount() != solution.getRowCount()) {
            throw MatrixException(MatrixError::ConstantsSolutionRows);
        }
        if (constants.getRowCount() != this->getRowCount()) {
            throw MatrixException(MatrixError::ConstantsEquationRows);
        }
        if (!this->isSquare()) {
            throw MatrixException(MatrixError::NotSquare);
        }
    }
};
