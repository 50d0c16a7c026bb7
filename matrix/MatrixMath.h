// MatrixMath: determinant, adjugate and inverse of square matrices.
//
// The determinant brings a working copy into upper triangular form by Gaussian elimination,
// exchanging columns where a pivot is exactly zero, and multiplies the diagonal. The adjugate
// takes the signed determinants of all minors, and the inverse multiplies the adjugate by the
// reciprocal of the determinant. The definitions are in MatrixMath-inl.h.
#pragma once

#include <cstdint>
#include <vector>

#include "matrix/FastPathOutcome.h"
#include "matrix/MatrixVector.h"

namespace elimination {
template <typename T>
class Elimination;
template <typename T>
class MinorDeterminants;
}  // namespace elimination

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

    T determinant() const;

    // A matrix whose diagonal product is the determinant; triangular input comes back as it is.
    MatrixMath triangularForm() const;

    // The transposed matrix of the cofactors, each the signed determinant of a minor. The
    // minors share the elimination steps they have in common (MinorDeterminants).
    MatrixMath adjugate() const;

    // The reciprocal of the determinant is the left factor of every product; the elements are
    // not divided by the determinant.
    MatrixMath inverse() const;

private:
    std::vector<const T*> sourceRows() const;

    // Each cofactor goes straight to its place in the transposed matrix.
    MatrixMath cofactorsTransposed(elimination::MinorDeterminants<T>& minors) const;

    // Eliminates a copy of this matrix, unless this one is triangular already, and hands its rows
    // to `use`. Decimal and complex numbers work on one contiguous copy in working memory, which
    // goes back when `use` has read it; the copy is taken, and its storage checked, before the
    // triangular tests, as for a copy of the matrix. Fractions work on a copy of the matrix.
    template <typename Use>
    auto withReducedCopy(Use use) const;

    // A member template, so that explicitly instantiating the class for a type with silent
    // arithmetic leaves it out.
    template <typename Element = T>
    MatrixMath reducedLiteralCopy() const;

    void reduceUnlessTriangular(elimination::Elimination<T>& elimination) const;

    // Runs a type's own inverse or adjugate of this matrix into `result`.
    template <typename FastPath>
    FastPathOutcome takeFastPath(MatrixMath& result, FastPath fastPath) const;

    void requireSquare() const;
};
