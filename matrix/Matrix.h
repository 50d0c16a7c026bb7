// Matrix: the complete matrix, with the arithmetic and the determinant family on one shared
// storage, and the linear equation solver. Including this header gives the whole library.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
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
        const std::uint32_t n = this->getRowCount();
        if constexpr (HasFastSolve<T>) {
            if (ElementTraits<T>::takesFastPath(FastOperation::Solve, n) && solveFast(constants, solution)) {
                return SolveResult::UniqueSolution;
            }
        }
        if constexpr (hasSilentArithmetic<T>) {
            return solveOnWorkingCopy(constants, solution);
        }
        Matrix working(n, n);
        working = *this;
        std::vector<T> values = constants.getColumn(1);
        working.eliminateForward(values);
        if (isZeroElement(working.diagonalProduct())) {
            return working.isInconsistent(values) ? SolveResult::NoSolution : SolveResult::InfinitelyManySolutions;
        }
        working.substituteBackward(values);
        for (std::uint32_t i = 1; i <= n; ++i) {
            solution.row(i)[0] = values[i - 1];
        }
        return SolveResult::UniqueSolution;
    }

private:
    // Decimal and complex numbers: the same elimination on one contiguous copy in working
    // memory, where a row exchange exchanges two row pointers. The entries left of the pivots
    // are computed only when the contradiction test needs them.
    SolveResult solveOnWorkingCopy(const Matrix& constants, Matrix& solution) const {
        const std::uint32_t n = this->getRowCount();
        // Buffers for a second elimination too, in case the contradiction test needs one.
        elimination::WorkingMemory memory(elimination::WorkingMatrix<T>::bytesFor(n, n) +
                                          2 * elimination::Elimination<T>::scratchBytes(n));
        elimination::WorkingMatrix<T> working(memory, n, n);
        elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::FromPivot);
        elimination.provideScratch(memory, n);
        std::vector<T> values = constants.getColumn(1);
        const ComputationMonitor::Scope progress(1);
        eliminateWorkingCopy(working, elimination, values);
        T* const* rows = elimination.rows().data();
        T product = rows[0][0];
        for (std::uint32_t i = 1; i < n && !isZeroElement(product); ++i) {
            product = elementProduct(product, rows[i][i]);
        }
        if (isZeroElement(product)) {
            // As in the literal path: the second elimination is not foreseen, so its progress
            // stays at the end.
            progress.step(1, 1);
            elimination::Elimination<T> full(elimination::Elimination<T>::Columns::All);
            full.provideScratch(memory, n);
            values = constants.getColumn(1);
            eliminateWorkingCopy(working, full, values);
            return hasContradiction(full.rows().data(), n, values) ? SolveResult::NoSolution
                                                                   : SolveResult::InfinitelyManySolutions;
        }
        for (std::uint32_t i = n; i-- > 0;) {
            const T* coefficients = rows[i];
            T value = values[i];
            for (std::uint32_t r = n; r-- > i + 1;) {
                value = value - elementProduct(coefficients[r], values[r]);
            }
            values[i] = value / coefficients[i];
        }
        for (std::uint32_t i = 1; i <= n; ++i) {
            solution.row(i)[0] = values[i - 1];
        }
        return SolveResult::UniqueSolution;
    }

    // Copies this matrix into the working copy and eliminates it with row exchanges at zero
    // pivots; the elimination's row pointers give the rows in their final order.
    void eliminateWorkingCopy(elimination::WorkingMatrix<T>& working, elimination::Elimination<T>& elimination,
                              std::vector<T>& values) const {
        const std::uint32_t n = this->getRowCount();
        for (std::uint32_t i = 0; i < n; ++i) {
            working.setRow(i, this->row(i + 1).data());
        }
        std::vector<T*>& rows = elimination.rows();
        rows.assign(working.rows(), working.rows() + n);
        const ComputationMonitor::Scope progress(n);
        for (std::size_t k = 0; k < n;) {
            if (isZeroElement(rows[k][k])) {
                for (std::size_t r = k + 1; r < n; ++r) {
                    if (!isZeroElement(rows[r][k])) {
                        std::swap(rows[k], rows[r]);
                        T held;
                        held = values[k];
                        values[k] = values[r];
                        values[r] = held;
                        break;
                    }
                }
                if (isZeroElement(rows[k][k])) {
                    ++k;
                    continue;
                }
            }
            k = elimination.runPanel(k, values.data());
            progress.step(k);
        }
    }

    static bool hasContradiction(T* const* rows, std::uint32_t n, const std::vector<T>& values) {
        for (std::uint32_t i = 0; i < n; ++i) {
            if (!isZeroElement(values[i]) && std::all_of(rows[i], rows[i] + n, isZeroElement<T>)) {
                return true;
            }
        }
        return false;
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

    // Forward elimination of this working copy and the right-hand sides. A zero pivot is
    // replaced by the first row below with a non-zero entry in its column; without one, the
    // step changes nothing.
    void eliminateForward(std::vector<T>& values) {
        const std::uint32_t n = this->getRowCount();
        elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::All);
        std::vector<T*>& rows = elimination.rows();
        this->collectRowPointers(rows);
        const ComputationMonitor::Scope progress(n);
        for (std::uint32_t k = 1; k <= n;) {
            if (isZeroElement(this->row(k)[k - 1])) {
                exchangeForPivot(k, values, rows);
                if (isZeroElement(this->row(k)[k - 1])) {
                    ++k;
                    continue;
                }
            }
            k = static_cast<std::uint32_t>(elimination.runPanel(k - 1, values.data())) + 1;
            progress.step(k - 1);
        }
    }

    void exchangeForPivot(std::uint32_t k, std::vector<T>& values, std::vector<T*>& rows) {
        for (std::uint32_t r = k + 1; r <= this->getRowCount(); ++r) {
            if (!isZeroElement(this->row(r)[k - 1])) {
                this->swapRows(k, r);
                T held;
                held = values[k - 1];
                values[k - 1] = values[r - 1];
                values[r - 1] = held;
                rows[k - 1] = this->row(k).data();
                rows[r - 1] = this->row(r).data();
                return;
            }
        }
    }

    // The product of the diagonal, the running product the left factor, given up as soon as it
    // is zero.
    T diagonalProduct() const {
        T product = this->row(1)[0];
        for (std::uint32_t i = 2; i <= this->getRowCount() && !isZeroElement(product); ++i) {
            product = elementProduct(product, this->row(i)[i - 1]);
        }
        return product;
    }

    bool isInconsistent(const std::vector<T>& values) const {
        for (std::uint32_t i = 1; i <= this->getRowCount(); ++i) {
            if (!isZeroElement(values[i - 1]) && isZeroRow(this->row(i))) {
                return true;
            }
        }
        return false;
    }

    static bool isZeroRow(const std::vector<T>& coefficients) {
        for (const T& value : coefficients) {
            if (!isZeroElement(value)) {
                return false;
            }
        }
        return true;
    }

    // Gauss-Jordan from the last row upwards. With silent arithmetic only the values are
    // computed: each value takes the products of its row with the finished values below it in
    // the order in which the column-by-column sweep would subtract them. Otherwise every
    // operation on the working matrix is carried out as well, since any of them may throw.
    void substituteBackward(std::vector<T>& values) {
        const std::uint32_t n = this->getRowCount();
        if constexpr (hasSilentArithmetic<T>) {
            for (std::uint32_t i = n; i >= 1; --i) {
                const std::vector<T>& coefficients = this->row(i);
                T value = values[i - 1];
                for (std::uint32_t r = n; r > i; --r) {
                    value = value - elementProduct(coefficients[r - 1], values[r - 1]);
                }
                values[i - 1] = value / coefficients[i - 1];
            }
        } else {
            for (std::uint32_t r = n; r >= 1; --r) {
                T& pivot = this->row(r)[r - 1];
                values[r - 1] = values[r - 1] / pivot;
                pivot = pivot / pivot;
                for (std::uint32_t i = r - 1; i >= 1; --i) {
                    T& entry = this->row(i)[r - 1];
                    entry = elementProduct(entry, values[r - 1]);
                    values[i - 1] = values[i - 1] - entry;
                    entry = entry - entry;
                }
            }
        }
    }
};
