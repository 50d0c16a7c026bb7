// Matrix-inl.h: the definitions of the whole matrix library, for the units that build the
// templates for an element type (elements/). Including it anywhere else builds them again.
#pragma once

#include <cstdint>
#include <vector>

#include "matrix/ComputationMonitor.h"
#include "matrix/ElementTraits.h"
#include "matrix/FastPaths.h"
#include "matrix/Matrix.h"
#include "matrix/MatrixArithmetic-inl.h"
#include "matrix/MatrixException.h"
#include "matrix/MatrixMath-inl.h"
#include "matrix/SilentArithmetic.h"
#include "matrix/elimination/Elimination.h"
#include "matrix/elimination/EliminationDriver.h"
#include "matrix/elimination/WorkingMatrix.h"
#include "matrix/elimination/WorkingMemory.h"

template <typename T>
SolveResult Matrix<T>::solve(const Matrix& constants, Matrix& solution) const {
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

template <typename T>
template <typename Element>
SolveResult Matrix<T>::solveOnWorkingCopy(const Matrix& constants, Matrix& solution) const {
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

template <typename T>
template <typename Element>
SolveResult Matrix<T>::solveOnLiteralCopy(const Matrix& constants, Matrix& solution) const {
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

template <typename T>
template <typename Element>
void Matrix<T>::copyInto(elimination::WorkingMatrix<Element>& working,
                         elimination::Elimination<Element>& elimination) const {
    const std::uint32_t n = this->getRowCount();
    for (std::uint32_t i = 0; i < n; ++i) {
        working.setRow(i, this->row(i + 1).data());
    }
    elimination.rows().assign(working.rows(), working.rows() + n);
}

template <typename T>
SolveResult Matrix<T>::classifySingular(T* const* rows, const std::vector<T>& values) const {
    const bool contradiction = Driver::hasContradiction(rows, this->getRowCount(), values);
    return contradiction ? SolveResult::NoSolution : SolveResult::InfinitelyManySolutions;
}

template <typename T>
SolveResult Matrix<T>::finishUnique(T* const* rows, std::vector<T>& values, Matrix& solution) const {
    const std::uint32_t n = this->getRowCount();
    Driver::solveBackward(rows, n, values);
    for (std::uint32_t i = 1; i <= n; ++i) {
        solution.row(i)[0] = values[i - 1];
    }
    return SolveResult::UniqueSolution;
}

template <typename T>
template <typename Traits>
bool Matrix<T>::solveFast(const Matrix& constants, Matrix& solution) const {
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

template <typename T>
void Matrix<T>::requireSolvableShapes(const Matrix& constants, const Matrix& solution) const {
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
