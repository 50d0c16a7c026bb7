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
        if constexpr (hasSilentArithmetic<T>) {
            const std::uint32_t n = this->getRowCount();
            return withReducedCopy([n](elimination::WorkingMatrix<T>& working) {
                return diagonalProduct(n, [&working](std::uint32_t i) { return working.row(i)[i]; });
            });
        }
        MatrixMath working(*this);
        elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::FromPivot);
        return working.determinantInPlace(elimination);
    }

    // A matrix whose diagonal product is the determinant; triangular input comes back as it is.
    MatrixMath triangularForm() const {
        requireSquare();
        if constexpr (hasSilentArithmetic<T>) {
            MatrixMath result(this->getRowCount(), this->getColumnCount());
            withReducedCopy([&result](elimination::WorkingMatrix<T>& working) {
                for (std::uint32_t i = 1; i <= result.getRowCount(); ++i) {
                    const T* from = working.row(i - 1);
                    std::copy(from, from + working.columns(), result.row(i).begin());
                }
                return 0;
            });
            return result;
        }
        MatrixMath working(*this);
        elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::FromPivot);
        working.reduceInPlace(elimination);
        return working;
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
        }
        MatrixMath minorBuffer(n - 1, n - 1);
        MatrixMath columnless(n, n - 1);
        std::vector<T*> columnlessRows;
        std::vector<T*> minorRows;
        columnless.collectRowPointers(columnlessRows);
        minorBuffer.collectRowPointers(minorRows);
        elimination::MinorDeterminants<T> minors(sourceRows(), std::move(columnlessRows), std::move(minorRows));
        return cofactorsTransposed(minors);
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

    // The diagonal product, each element the left factor, the first one times one.
    template <typename Diagonal>
    static T diagonalProduct(std::uint32_t n, Diagonal diagonal) {
        T product = ElementTraits<T>::one();
        for (std::uint32_t i = 0; i < n; ++i) {
            product = elementProduct(diagonal(i), product);
        }
        return product;
    }

    // Decimal and complex numbers: the elimination on one contiguous copy in working memory,
    // whose rows stay where they are (column exchanges move values within the rows); `use`
    // reads the result before the memory goes back. The copy is taken, and its storage checked,
    // before the triangular tests, as for a copy of the matrix; a triangular one stays as it is.
    template <typename Use>
    auto withReducedCopy(Use use) const {
        const std::uint32_t n = this->getRowCount();
        elimination::WorkingMemory memory(elimination::WorkingMatrix<T>::bytesFor(n, n) +
                                          elimination::Elimination<T>::scratchBytes(n));
        elimination::WorkingMatrix<T> working(memory, n, n);
        for (std::uint32_t i = 0; i < n; ++i) {
            working.setRow(i, this->row(i + 1).data());
        }
        if (this->isLowerTriangular() || this->isUpperTriangular()) {
            return use(working);
        }
        elimination::Elimination<T> elimination(elimination::Elimination<T>::Columns::FromPivot);
        elimination.provideScratch(memory, n);
        elimination.rows().assign(working.rows(), working.rows() + n);
        const ComputationMonitor::Scope progress(n);
        for (std::size_t k = 0; k < n;) {
            if (elimination::prepareColumnPivot(working.rows(), n, n, k)) {
                break;
            }
            k = elimination.runPanel(k, nullptr);
            progress.step(k);
        }
        return use(working);
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

    // Eliminates this working copy and multiplies its diagonal, each element the left factor.
    T determinantInPlace(elimination::Elimination<T>& elimination) {
        reduceInPlace(elimination);
        T product = ElementTraits<T>::one();
        for (std::uint32_t i = 1; i <= this->getRowCount(); ++i) {
            product = elementProduct(this->row(i)[i - 1], product);
        }
        return product;
    }

    void reduceInPlace(elimination::Elimination<T>& elimination) {
        if (this->isLowerTriangular() || this->isUpperTriangular()) {
            return;
        }
        const std::uint32_t n = this->getRowCount();
        this->collectRowPointers(elimination.rows());
        // Column exchanges move values within the rows, so the row pointers stay valid. Each
        // panel is one unit of work, after which the elimination reports progress.
        const ComputationMonitor::Scope progress(n);
        for (std::uint32_t k = 1; k <= n;) {
            if (elimination::prepareColumnPivot(elimination.rows().data(), n, n, k - 1)) {
                return;
            }
            k = static_cast<std::uint32_t>(elimination.runPanel(k - 1, nullptr)) + 1;
            progress.step(k - 1);
        }
    }
};
