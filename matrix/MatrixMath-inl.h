// MatrixMath-inl.h: the definitions of MatrixMath, for the units that build the templates for
// an element type.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "matrix/ComputationMonitor.h"
#include "matrix/ElementTraits.h"
#include "matrix/FastPaths.h"
#include "matrix/MatrixException.h"
#include "matrix/MatrixMath.h"
#include "matrix/MatrixVector-inl.h"
#include "matrix/SilentArithmetic.h"
#include "matrix/elimination/Elimination.h"
#include "matrix/elimination/EliminationDriver.h"
#include "matrix/elimination/MinorDeterminants.h"
#include "matrix/elimination/WorkingMatrix.h"
#include "matrix/elimination/WorkingMemory.h"

template <typename T>
T MatrixMath<T>::determinant() const {
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

template <typename T>
MatrixMath<T> MatrixMath<T>::triangularForm() const {
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

template <typename T>
MatrixMath<T> MatrixMath<T>::adjugate() const {
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

template <typename T>
MatrixMath<T> MatrixMath<T>::inverse() const {
    if constexpr (HasFastInverse<T>) {
        requireSquare();
        if (this->getRowCount() > 1 && ElementTraits<T>::takesFastPath(FastOperation::Inverse, this->getRowCount())) {
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

template <typename T>
std::vector<const T*> MatrixMath<T>::sourceRows() const {
    std::vector<const T*> source(this->getRowCount());
    for (std::uint32_t r = 1; r <= this->getRowCount(); ++r) {
        source[r - 1] = this->row(r).data();
    }
    return source;
}

template <typename T>
MatrixMath<T> MatrixMath<T>::cofactorsTransposed(elimination::MinorDeterminants<T>& minors) const {
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

template <typename T>
template <typename Use>
auto MatrixMath<T>::withReducedCopy(Use use) const {
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

template <typename T>
template <typename Element>
MatrixMath<T> MatrixMath<T>::reducedLiteralCopy() const {
    MatrixMath working(*this);
    elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::FromPivot);
    working.collectRowPointers(elimination.rows());
    reduceUnlessTriangular(elimination);
    return working;
}

template <typename T>
void MatrixMath<T>::reduceUnlessTriangular(elimination::Elimination<T>& elimination) const {
    if (!this->isLowerTriangular() && !this->isUpperTriangular()) {
        elimination::EliminationDriver<T>::reduceByColumnExchanges(elimination);
    }
}

template <typename T>
template <typename FastPath>
FastPathOutcome MatrixMath<T>::takeFastPath(MatrixMath& result, FastPath fastPath) const {
    std::vector<T*> target;
    result.collectRowPointers(target);
    return fastPath(sourceRows().data(), this->getRowCount(), target.data());
}

template <typename T>
void MatrixMath<T>::requireSquare() const {
    if (!this->isSquare()) {
        throw MatrixException(MatrixError::NotSquare);
    }
}
