// Determinant and triangular form: the worked examples with their exact bits, the checks, and
// agreement with the literal step-by-step elimination on random and sparse matrices.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <utility>
#include <vector>

#include "ReferenceAlgorithms.h"
#include "TestMatrices.h"

namespace {

using namespace testmatrices;

template <typename T>
class DeterminantTest : public ::testing::Test {};
using AllTypes = ::testing::Types<float, double, std::complex<double>, Bruch>;
TYPED_TEST_SUITE(DeterminantTest, AllTypes);

TYPED_TEST(DeterminantTest, OneByOneIsItsElement) {
    EXPECT_EQ(integers<TypeParam>(1, 1, {-7}).determinant(), fromInteger<TypeParam>(-7));
}

TYPED_TEST(DeterminantTest, NonSquareIsRefusedAndLeftUnchanged) {
    const Matrix<TypeParam> a = integers<TypeParam>(2, 3, {1, 2, 3, 4, 5, 6});
    EXPECT_TRUE(throwsMatrixError([&] { a.determinant(); }, MatrixError::NotSquare));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 3, {1, 2, 3, 4, 5, 6}), a));
}

TYPED_TEST(DeterminantTest, ColumnExchangeNegatesThePivotRow) {
    EXPECT_EQ(integers<TypeParam>(2, 2, {0, 1, 1, 0}).determinant(), fromInteger<TypeParam>(-1));
    const Matrix<TypeParam> a = integers<TypeParam>(3, 3, {0, 1, 1, 1, 1, 0, 1, 0, 1});
    EXPECT_EQ(a.determinant(), fromInteger<TypeParam>(-2));
    const MatrixMath<TypeParam> w = a.triangularForm();
    EXPECT_EQ(w.element(1, 1), fromInteger<TypeParam>(-1));
    EXPECT_EQ(w.element(2, 2), fromInteger<TypeParam>(1));
    EXPECT_EQ(w.element(3, 3), fromInteger<TypeParam>(2));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(3, 3, {0, 1, 1, 1, 1, 0, 1, 0, 1}), a));
}

TYPED_TEST(DeterminantTest, SingularMatricesGiveZero) {
    EXPECT_EQ(integers<TypeParam>(2, 2, {2, 4, 1, 2}).determinant(), TypeParam{});
    EXPECT_EQ(integers<TypeParam>(3, 3, {1, 2, 3, 0, 0, 0, 4, 5, 6}).determinant(), TypeParam{});
}

TYPED_TEST(DeterminantTest, TriangularMatricesMultiplyTheirDiagonal) {
    EXPECT_EQ(integers<TypeParam>(3, 3, {2, 0, 0, 5, 3, 0, 7, 1, -4}).determinant(), fromInteger<TypeParam>(-24));
    EXPECT_EQ(integers<TypeParam>(3, 3, {2, 5, 7, 0, 3, 1, 0, 0, -4}).determinant(), fromInteger<TypeParam>(-24));
    EXPECT_EQ(integers<TypeParam>(3, 3, {1, 0, 0, 0, 1, 0, 0, 0, 1}).determinant(), fromInteger<TypeParam>(1));
}

template <typename T>
class FloatingDeterminantTest : public ::testing::Test {};
using FloatingTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(FloatingDeterminantTest, FloatingTypes);

// The zero row ends the elimination at step 2; the diagonal 1, 0, -6 multiplies to -0.
TYPED_TEST(FloatingDeterminantTest, ZeroRowGivesNegativeZero) {
    const TypeParam d = integers<TypeParam>(3, 3, {1, 2, 3, 0, 0, 0, 4, 5, 6}).determinant();
    EXPECT_TRUE(sameBitsAs(TypeParam(-0.0), d));
}

// Eliminating [[0, 1], [0, 2]] would exchange its columns and end with -0; a triangular matrix
// must be taken as it is, whose diagonal product is +0.
TYPED_TEST(FloatingDeterminantTest, TriangularMatrixIsNotEliminated) {
    const Matrix<TypeParam> a = integers<TypeParam>(2, 2, {0, 1, 0, 2});
    EXPECT_TRUE(sameBitsAs(TypeParam(0.0), a.determinant()));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(a, a.triangularForm()));
}

// 1e-30 * 1e-30 underflows in float, so the 1e30 that follows cannot bring it back.
TEST(FloatDeterminantTest, DiagonalProductIsRoundedToFloatAtEachStep) {
    Matrix<float> a(3, 3);
    a.element(1, 1) = 1e-30f;
    a.element(2, 2) = 1e-30f;
    a.element(3, 3) = 1e30f;
    a.element(3, 1) = 1.0f;
    EXPECT_TRUE(sameBitsAs(0.0f, a.determinant()));
}

TEST(ExactDeterminantTest, FractionsGiveTheExactValue) {
    const Matrix<Bruch> a = ofValues<Bruch>(2, 2, {Bruch(1, 2), Bruch(1, 3), Bruch(1, 4), Bruch(1, 5)});
    EXPECT_TRUE(sameBitsAs(Bruch(1, 60), a.determinant()));
}

TEST(ComplexDeterminantTest, ImaginaryUnitsMultiplyToMinusOne) {
    using C = std::complex<double>;
    const Matrix<C> a = ofValues<C>(2, 2, {C(0, 1), C(0, 0), C(0, 0), C(0, 1)});
    EXPECT_TRUE(sameBitsAs(C(-1, 0), a.determinant()));
}

// The blocked elimination must leave every element, residues left of the diagonal included,
// exactly as the step-by-step elimination does: the pivot scans read those residues.
template <typename T>
void expectSameAsReference(const Matrix<T>& a) {
    EXPECT_TRUE(sameMatrixBits<T>(reference::triangularForm(a), a.triangularForm()));
    EXPECT_TRUE(sameBitsAs(reference::determinant(a), a.determinant()));
}

template <typename T>
class DeterminantReferenceTest : public ::testing::Test {};
using InexactTypes = ::testing::Types<float, double, std::complex<double>>;
TYPED_TEST_SUITE(DeterminantReferenceTest, InexactTypes);

// Sizes on both sides of the panel widths and of the tile sizes of the block update.
const std::uint32_t referenceSizes[] = {2, 3, 5, 9, 31, 33, 40, 67, 130, 161, 200, 263};

TYPED_TEST(DeterminantReferenceTest, RandomDenseMatricesMatchBitForBit) {
    for (const std::uint32_t n : referenceSizes) {
        SCOPED_TRACE(n);
        expectSameAsReference(randomDense<TypeParam>(n, n, 1000 + n));
    }
}

// Mostly zeros: exchanges inside panels, residue columns picked as pivots, early ends.
TYPED_TEST(DeterminantReferenceTest, SparseSignMatricesMatchBitForBit) {
    for (const std::uint32_t n : referenceSizes) {
        for (const double zeros : {0.5, 0.8, 0.93}) {
            for (std::uint64_t seed = 0; seed < 3; ++seed) {
                SCOPED_TRACE(testing::Message() << n << " " << zeros << " " << seed);
                expectSameAsReference(randomIntegers<TypeParam>(n, n, -1, 1, zeros, std::uint64_t{7} * n + seed));
            }
        }
    }
}

TEST(ExactDeterminantReferenceTest, SmallIntegerFractionsMatchExactly) {
    for (std::uint32_t n = 2; n <= 9; ++n) {
        for (std::uint64_t seed = 0; seed < 6; ++seed) {
            SCOPED_TRACE(testing::Message() << n << " " << seed);
            const Matrix<Bruch> a = randomIntegers<Bruch>(n, n, -9, 9, seed % 3 == 0 ? 0.5 : 0.0, seed);
            expectSameAsReference(a);
        }
    }
}

// Fraction-free integer elimination (Bareiss) gives the determinant of an integer matrix
// independently of fractions.
std::int64_t bareissDeterminant(std::vector<std::vector<Int128>> m) {
    const std::size_t n = m.size();
    Int128 previous = 1;
    int sign = 1;
    for (std::size_t k = 0; k + 1 < n; ++k) {
        if (m[k][k] == 0) {
            std::size_t r = k + 1;
            while (r < n && m[r][k] == 0) {
                ++r;
            }
            if (r == n) {
                return 0;
            }
            std::swap(m[k], m[r]);
            sign = -sign;
        }
        for (std::size_t i = k + 1; i < n; ++i) {
            for (std::size_t j = k + 1; j < n; ++j) {
                m[i][j] = (m[i][j] * m[k][k] - m[i][k] * m[k][j]) / previous;
            }
        }
        previous = m[k][k];
    }
    return static_cast<std::int64_t>(sign * m[n - 1][n - 1]);
}

TEST(ExactDeterminantReferenceTest, AgreesWithFractionFreeIntegerElimination) {
    for (std::uint32_t n = 2; n <= 8; ++n) {
        for (std::uint64_t seed = 0; seed < 10; ++seed) {
            const Matrix<Bruch> a = randomIntegers<Bruch>(n, n, -9, 9, seed % 2 == 0 ? 0.4 : 0.0, 50 + seed);
            std::vector<std::vector<Int128>> integerRows(n, std::vector<Int128>(n));
            for (std::uint32_t r = 0; r < n; ++r) {
                for (std::uint32_t c = 0; c < n; ++c) {
                    integerRows[r][c] = a.element(r + 1, c + 1).getZaehler();
                }
            }
            SCOPED_TRACE(testing::Message() << n << " " << seed);
            EXPECT_TRUE(sameBitsAs(Bruch(bareissDeterminant(integerRows), 1), a.determinant()));
        }
    }
}

}  // namespace
