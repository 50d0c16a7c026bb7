// MatrixMath: determinant, adjugate and inverse of square matrices.
//
// The determinant brings a working copy into upper triangular form by Gaussian elimination,
// exchanging columns where a pivot is exactly zero, and multiplies the diagonal. The adjugate
// takes the signed determinants of all minors, and the inverse multiplies the adjugate by the
// reciprocal of the determinant.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "matrix/ComputationMonitor.h"
#include "matrix/ElementTraits.h"
#include "matrix/FastPaths.h"
#include "matrix/MatrixVector.h"
#include "matrix/lanes/Elimination.h"
#include "matrix/lanes/MinorDeterminants.h"

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
                ElementTraits<T>::fastDeterminant(constRowPointers().data(), this->getRowCount(), result)) {
                return result;
            }
        }
        MatrixMath working(*this);
        lanes::Elimination<T> elimination(lanes::Elimination<T>::Columns::FromPivot);
        return working.determinantInPlace(elimination);
    }

    // A matrix whose diagonal product is the determinant; triangular input comes back as it is.
    MatrixMath triangularForm() const {
        requireSquare();
        MatrixMath working(*this);
        lanes::Elimination<T> elimination(lanes::Elimination<T>::Columns::FromPivot);
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
        MatrixMath minorBuffer(n - 1, n - 1);
        MatrixMath columnless(n, n - 1);
        MatrixMath result(n, n);
        std::vector<const T*> source(n);
        for (std::uint32_t r = 1; r <= n; ++r) {
            source[r - 1] = this->row(r).data();
        }
        std::vector<T*> columnlessRows;
        std::vector<T*> minorRows;
        columnless.collectRowPointers(columnlessRows);
        minorBuffer.collectRowPointers(minorRows);
        lanes::MinorDeterminants<T> minors(std::move(source), std::move(columnlessRows), std::move(minorRows));
        const ComputationMonitor::Scope progress(std::uint64_t{n} * n);
        for (std::uint32_t j = 1; j <= n; ++j) {
            minors.forColumn(j, [&](std::uint32_t i, const T& cofactor) {
                result.row(j)[i - 1] = (i + j) % 2 == 0 ? cofactor : -cofactor;
                progress.step(std::uint64_t{j - 1} * n + i);
            });
        }
        return result;
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
        const T det = determinant();
        if (isZeroElement(det)) {
            throw MatrixException(MatrixError::Singular);
        }
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
    std::vector<const T*> constRowPointers() const {
        std::vector<const T*> pointers(this->getRowCount());
        for (std::uint32_t r = 1; r <= this->getRowCount(); ++r) {
            pointers[r - 1] = this->row(r).data();
        }
        return pointers;
    }

    // Runs a type's own inverse or adjugate of this matrix into `result`.
    template <typename FastPath>
    FastPathOutcome takeFastPath(MatrixMath& result, FastPath fastPath) const {
        std::vector<T*> target;
        result.collectRowPointers(target);
        return fastPath(constRowPointers().data(), this->getRowCount(), target.data());
    }

    void requireSquare() const {
        if (!this->isSquare()) {
            throw MatrixException(MatrixError::NotSquare);
        }
    }

    // Eliminates this working copy and multiplies its diagonal, each element the left factor.
    T determinantInPlace(lanes::Elimination<T>& elimination) {
        reduceInPlace(elimination);
        T product = ElementTraits<T>::one();
        for (std::uint32_t i = 1; i <= this->getRowCount(); ++i) {
            product = elementProduct(this->row(i)[i - 1], product);
        }
        return product;
    }

    void reduceInPlace(lanes::Elimination<T>& elimination) {
        if (this->isLowerTriangular() || this->isUpperTriangular()) {
            return;
        }
        const std::uint32_t n = this->getRowCount();
        this->collectRowPointers(elimination.rows());
        // Column exchanges move values within the rows, so the row pointers stay valid. Each
        // panel is one unit of work, after which the elimination reports progress.
        const ComputationMonitor::Scope progress(n);
        for (std::uint32_t k = 1; k <= n;) {
            if (lanes::prepareColumnPivot(elimination.rows().data(), n, n, k - 1)) {
                return;
            }
            k = static_cast<std::uint32_t>(elimination.runPanel(k - 1, nullptr)) + 1;
            progress.step(k - 1);
        }
    }
};
