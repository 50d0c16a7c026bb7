// MatrixMath: determinant, adjugate and inverse of square matrices.
//
// The determinant brings a working copy into upper triangular form by Gaussian elimination,
// exchanging columns where a pivot is exactly zero, and multiplies the diagonal. The adjugate
// takes the signed determinants of all minors, and the inverse multiplies the adjugate by the
// reciprocal of the determinant.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "matrix/ComputationMonitor.h"
#include "matrix/ElementTraits.h"
#include "matrix/FastPaths.h"
#include "matrix/MatrixVector.h"
#include "matrix/SilentArithmetic.h"
#include "matrix/elimination/Elimination.h"
#include "matrix/elimination/EliminationDriver.h"
#include "matrix/elimination/MinorDeterminants.h"
#include "matrix/elimination/WorkingMatrix.h"
#include "matrix/elimination/WorkingMemory.h"

template <typename T>
class MatrixMath : public virtual MatrixVector<T> {
public:
    MatrixMath() = default;
    MatrixMath(std::uint32_t rows, std::uint32_t cols) : MatrixVector<T>(rows, cols) {}
    MatrixMath(const MatrixMath&) = default;
    ~MatrixMath() override = default;

    MatrixMath& operator=(const MatrixMath& source) {
        MatrixVector<T>::operator=(source);
        return *this;
    }

    T determinant() const {
        requireSquare();
        if constexpr (HasFastDeterminant<T>) {
            T result;
            if (ElementTraits<T>::takesFastPath(FastOperation::Determinant, this->getRowCount()) &&
                ElementTraits<T>::fastDeterminant(sourceRows().data(), this->getRowCount(), result)) {
                return result;
            }
        }
        return withReducedCopy(
            [](T* const* rows, std::size_t n) { return elimination::EliminationDriver<T>::diagonalProduct(rows, n); });
    }

    // A matrix whose diagonal product is the determinant; triangular input comes back as it is.
    MatrixMath triangularForm() const {
        requireSquare();
        if constexpr (hasSilentArithmetic<T>) {
            MatrixMath result(this->getRowCount(), this->getColumnCount());
            withReducedCopy([&result](T* const* rows, std::size_t n) {
                for (std::uint32_t i = 1; i <= n; ++i) {
                    std::copy(rows[i - 1], rows[i - 1] + n, result.row(i).begin());
                }
                return 0;
            });
            return result;
        } else {
            // The literal copy is the result itself.
            return reducedLiteralCopy();
        }
    }

    // The transposed matrix of the cofactors, each the signed determinant of a minor. The
    // minors share the elimination steps they have in common (MinorDeterminants).
    MatrixMath adjugate() const {
        requireSquare();
        const std::uint32_t n = this->getRowCount();
        // A 1 x 1 matrix has no minors; the literal algorithm refuses it.
        if constexpr (HasFastAdjugate<T>) {
            if (n > 1 && ElementTraits<T>::takesFastPath(FastOperation::Adjugate, n)) {
                MatrixMath result(n, n);
                if (takeFastPath(result, ElementTraits<T>::fastAdjugate) == FastPathOutcome::Done) {
                    return result;
                }
            }
        }
        if constexpr (hasSilentArithmetic<T>) {
            if (n < 2) {
                throw MatrixException(MatrixError::SizeBelowOne);
            }
            // The column-less matrix and the minor in one block of working memory.
            elimination::WorkingMemory memory(elimination::WorkingMatrix<T>::bytesFor(n, n - 1) +
                                              elimination::WorkingMatrix<T>::bytesFor(n - 1, n - 1) +
                                              elimination::Elimination<T>::scratchBytes(n - 1));
            elimination::WorkingMatrix<T> columnless(memory, n, n - 1);
            elimination::WorkingMatrix<T> minor(memory, n - 1, n - 1);
            elimination::MinorDeterminants<T> minors(sourceRows(),
                                                     std::vector<T*>(columnless.rows(), columnless.rows() + n),
                                                     std::vector<T*>(minor.rows(), minor.rows() + n - 1));
            minors.provideScratch(memory);
            return cofactorsTransposed(minors);
        } else {
            // The literal algorithm refuses a 1 x 1 matrix here, as the minor cannot be made.
            MatrixMath minorBuffer(n - 1, n - 1);
            MatrixMath columnless(n, n - 1);
            std::vector<T*> columnlessRows;
            std::vector<T*> minorRows;
            columnless.collectRowPointers(columnlessRows);
            minorBuffer.collectRowPointers(minorRows);
            elimination::MinorDeterminants<T> minors(sourceRows(), std::move(columnlessRows), std::move(minorRows));
            return cofactorsTransposed(minors);
        }
    }

    // The reciprocal of the determinant is the left factor of every product; the elements are
    // not divided by the determinant.
    MatrixMath inverse() const {
        if constexpr (HasFastInverse<T>) {
            requireSquare();
            if (this->getRowCount() > 1 &&
                ElementTraits<T>::takesFastPath(FastOperation::Inverse, this->getRowCount())) {
                MatrixMath result(this->getRowCount(), this->getRowCount());
                const FastPathOutcome outcome = takeFastPath(result, ElementTraits<T>::fastInverse);
                if (outcome == FastPathOutcome::Singular) {
                    throw MatrixException(MatrixError::Singular);
                }
                if (outcome == FastPathOutcome::Done) {
                    return result;
                }
            }
        }
        // One line of progress for both parts: a step per column of the determinant's
        // elimination, then one per cofactor of the adjugate.
        const std::uint64_t n = this->getRowCount();
        const ComputationMonitor::Scope progress(n + n * n);
        progress.step(0, n);
        const T det = determinant();
        if (isZeroElement(det)) {
            throw MatrixException(MatrixError::Singular);
        }
        progress.step(n, n + n * n);
        MatrixMath result = adjugate();
        const T reciprocal = ElementTraits<T>::one() / det;
        for (std::uint32_t i = 1; i <= result.getRowCount(); ++i) {
            for (T& value : result.row(i)) {
                value = elementProduct(reciprocal, value);
            }
        }
        return result;
    }

private:
    std::vector<const T*> sourceRows() const {
        std::vector<const T*> source(this->getRowCount());
        for (std::uint32_t r = 1; r <= this->getRowCount(); ++r) {
            source[r - 1] = this->row(r).data();
        }
        return source;
    }

    // Each cofactor goes straight to its place in the transposed matrix.
    MatrixMath cofactorsTransposed(elimination::MinorDeterminants<T>& minors) const {
        const std::uint32_t n = this->getRowCount();
        MatrixMath result(n, n);
        const ComputationMonitor::Scope progress(std::uint64_t{n} * n);
        for (std::uint32_t j = 1; j <= n; ++j) {
            minors.forColumn(j, [&](std::uint32_t i, const T& cofactor) {
                result.row(j)[i - 1] = (i + j) % 2 == 0 ? cofactor : -cofactor;
                progress.step(std::uint64_t{j - 1} * n + i);
            });
        }
        return result;
    }

    // Eliminates a copy of this matrix, unless this one is triangular already, and hands its rows
    // to `use`. Decimal and complex numbers work on one contiguous copy in working memory, which
    // goes back when `use` has read it; the copy is taken, and its storage checked, before the
    // triangular tests, as for a copy of the matrix. Fractions work on a copy of the matrix.
    template <typename Use>
    auto withReducedCopy(Use use) const {
        const std::uint32_t n = this->getRowCount();
        if constexpr (hasSilentArithmetic<T>) {
            elimination::WorkingMemory memory(elimination::WorkingMatrix<T>::bytesFor(n, n) +
                                              elimination::Elimination<T>::scratchBytes(n));
            elimination::WorkingMatrix<T> working(memory, n, n);
            for (std::uint32_t i = 0; i < n; ++i) {
                working.setRow(i, this->row(i + 1).data());
            }
            elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::FromPivot);
            elimination.provideScratch(memory, n);
            elimination.rows().assign(working.rows(), working.rows() + n);
            reduceUnlessTriangular(elimination);
            return use(elimination.rows().data(), std::size_t{n});
        } else {
            MatrixMath working = reducedLiteralCopy();
            std::vector<T*> rows;
            working.collectRowPointers(rows);
            return use(rows.data(), std::size_t{n});
        }
    }

    // A member template, so that explicitly instantiating the class for a type with silent
    // arithmetic leaves it out.
    template <typename Element = T>
    MatrixMath reducedLiteralCopy() const {
        MatrixMath working(*this);
        elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::FromPivot);
        working.collectRowPointers(elimination.rows());
        reduceUnlessTriangular(elimination);
        return working;
    }

    void reduceUnlessTriangular(elimination::Elimination<T>& elimination) const {
        if (!this->isLowerTriangular() && !this->isUpperTriangular()) {
            elimination::EliminationDriver<T>::reduceByColumnExchanges(elimination);
        }
    }

    // Runs a type's own inverse or adjugate of this matrix into `result`.
    template <typename FastPath>
    FastPathOutcome takeFastPath(MatrixMath& result, FastPath fastPath) const {
        std::vector<T*> target;
        result.collectRowPointers(target);
        return fastPath(sourceRows().data(), this->getRowCount(), target.data());
    }

    void requireSquare() const {
        if (!this->isSquare()) {
            throw MatrixException(MatrixError::NotSquare);
        }
    }
};
