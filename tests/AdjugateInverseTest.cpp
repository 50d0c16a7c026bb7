// Adjugate and inverse: the worked examples with their negative zeros, the error order, the
// exact identities on fraction matrices, and agreement with the literal algorithms.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <type_traits>

#include "ReferenceAlgorithms.h"
#include "TestMatrices.h"

namespace {

using namespace testmatrices;

template <typename T>
Matrix<T> asMatrix(const MatrixVector<T>& source) {
    Matrix<T> m(source.getRowCount(), source.getColumnCount());
    for (std::uint32_t r = 1; r <= m.getRowCount(); ++r) {
        for (std::uint32_t c = 1; c <= m.getColumnCount(); ++c) {
            m.element(r, c) = source.element(r, c);
        }
    }
    return m;
}

// Equal values (a negative zero equals zero); decimals within a few units of their precision,
// since the cofactors come out of divisions.
template <typename T>
::testing::AssertionResult sameValues(const MatrixVector<T>& expected, const MatrixVector<T>& actual) {
    for (std::uint32_t r = 1; r <= expected.getRowCount(); ++r) {
        for (std::uint32_t c = 1; c <= expected.getColumnCount(); ++c) {
            const T& e = expected.element(r, c);
            const T& a = actual.element(r, c);
            bool close = e == a;
            if constexpr (!std::is_same_v<T, Bruch>) {
                close = std::abs(e - a) <= 1e-5;
            }
            if (!close) {
                return ::testing::AssertionFailure()
                       << "at (" << r << ", " << c << ") expected " << describe(e) << ", got " << describe(a);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

template <typename T>
class AdjugateTest : public ::testing::Test {};
using AllTypes = ::testing::Types<float, double, std::complex<double>, Bruch>;
TYPED_TEST_SUITE(AdjugateTest, AllTypes);

TYPED_TEST(AdjugateTest, TwoByTwoSwapsTheDiagonalAndNegatesTheRest) {
    const auto a = integers<TypeParam>(2, 2, {3, 5, 7, 11});
    EXPECT_TRUE(sameValues<TypeParam>(integers<TypeParam>(2, 2, {11, -5, -7, 3}), a.adjugate()));
}

TYPED_TEST(AdjugateTest, UnitDeterminantMakesInverseAndAdjugateEqual) {
    const auto a = integers<TypeParam>(3, 3, {1, 2, 3, 0, 1, 4, 5, 6, 0});
    const auto expected = integers<TypeParam>(3, 3, {-24, 18, 5, 20, -15, -4, -5, 4, 1});
    EXPECT_TRUE(sameValues<TypeParam>(expected, a.adjugate()));
    EXPECT_TRUE(sameValues<TypeParam>(expected, a.inverse()));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(3, 3, {1, 2, 3, 0, 1, 4, 5, 6, 0}), a));
}

TYPED_TEST(AdjugateTest, InverseWithDeterminantMinusOne) {
    const auto a = integers<TypeParam>(3, 3, {2, 1, 1, 1, 3, 2, 1, 0, 0});
    EXPECT_TRUE(sameValues<TypeParam>(integers<TypeParam>(3, 3, {0, 0, 1, -2, 1, 3, 3, -1, -5}), a.inverse()));
}

TYPED_TEST(AdjugateTest, ErrorsComeInTheirOrder) {
    const auto singular = integers<TypeParam>(2, 2, {1, 2, 2, 4});
    EXPECT_TRUE(throwsMatrixError([&] { singular.inverse(); }, MatrixError::Singular));
    const Matrix<TypeParam> wide(2, 3);
    EXPECT_TRUE(throwsMatrixError([&] { wide.adjugate(); }, MatrixError::NotSquare));
    EXPECT_TRUE(throwsMatrixError([&] { wide.inverse(); }, MatrixError::NotSquare));
    // A 1 x 1 matrix has no minors; the zero test of the inverse comes before that.
    EXPECT_TRUE(throwsMatrixError([&] { integers<TypeParam>(1, 1, {5}).adjugate(); }, MatrixError::SizeBelowOne));
    EXPECT_TRUE(throwsMatrixError([&] { integers<TypeParam>(1, 1, {5}).inverse(); }, MatrixError::SizeBelowOne));
    EXPECT_TRUE(throwsMatrixError([&] { integers<TypeParam>(1, 1, {0}).inverse(); }, MatrixError::Singular));
}

TYPED_TEST(AdjugateTest, MinorAndTransposeKeepTheRemainingOrder) {
    const auto a = integers<TypeParam>(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 2, {1, 3, 7, 9}), a.minor(2, 2)));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 2, {4, 5, 7, 8}), a.minor(1, 3)));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(3, 2, {1, 4, 2, 5, 3, 6}),
                                          integers<TypeParam>(2, 3, {1, 2, 3, 4, 5, 6}).transpose()));
}

TEST(ExactInverseTest, FractionInverseIsExact) {
    const auto inverse = integers<Bruch>(2, 2, {4, 7, 2, 6}).inverse();
    EXPECT_TRUE(
        sameMatrixBits<Bruch>(ofValues<Bruch>(2, 2, {Bruch(3, 5), Bruch(-7, 10), Bruch(-1, 5), Bruch(2, 5)}), inverse));
}

TEST(FloatingInverseTest, DecimalInverseToThePrecisionOfTheType) {
    const auto inverse = integers<double>(2, 2, {4, 7, 2, 6}).inverse();
    EXPECT_DOUBLE_EQ(0.6, inverse.element(1, 1));
    EXPECT_DOUBLE_EQ(-0.7, inverse.element(1, 2));
    EXPECT_DOUBLE_EQ(-0.2, inverse.element(2, 1));
    EXPECT_DOUBLE_EQ(0.4, inverse.element(2, 2));
}

template <typename T>
class FloatingAdjugateTest : public ::testing::Test {};
using FloatingTypes = ::testing::Types<float, double>;
TYPED_TEST_SUITE(FloatingAdjugateTest, FloatingTypes);

// The reciprocal -1 is the left factor, times the cofactor +0.
TYPED_TEST(FloatingAdjugateTest, InverseHoldsTheNegativeZeroOfItsProducts) {
    const auto inverse = integers<TypeParam>(3, 3, {2, 1, 1, 1, 3, 2, 1, 0, 0}).inverse();
    EXPECT_TRUE(sameBitsAs(TypeParam(-0.0), inverse.element(1, 1)));
    EXPECT_TRUE(sameBitsAs(TypeParam(0.0), inverse.element(1, 2)));
}

// The cofactors with an odd index sum are negated zeros.
TYPED_TEST(FloatingAdjugateTest, IdentityHasNegativeZerosOffTheDiagonal) {
    const auto identity = integers<TypeParam>(2, 2, {1, 0, 0, 1});
    const auto expected = ofValues<TypeParam>(2, 2, {1, -0.0, -0.0, 1});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(expected, identity.adjugate()));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(expected, identity.inverse()));
}

// A adj(A) = det(A) I and A inv(A) = I hold exactly for fractions.
TEST(ExactAdjugateTest, IdentitiesHoldOnRandomFractionMatrices) {
    int invertible = 0;
    for (std::uint32_t n = 2; n <= 6; ++n) {
        for (std::uint64_t seed = 0; seed < 6; ++seed) {
            SCOPED_TRACE(testing::Message() << n << " " << seed);
            const Matrix<Bruch> a = randomIntegers<Bruch>(n, n, -7, 7, seed % 2 == 0 ? 0.4 : 0.0, 700 + seed);
            const Bruch det = a.determinant();
            Matrix<Bruch> scaledIdentity(n, n);
            Matrix<Bruch> identity(n, n);
            for (std::uint32_t i = 1; i <= n; ++i) {
                scaledIdentity.element(i, i) = det;
                identity.element(i, i) = Bruch(1, 1);
            }
            EXPECT_TRUE(sameMatrixBits<Bruch>(scaledIdentity, a.multiply(asMatrix<Bruch>(a.adjugate()))));
            if (!isZeroElement(det)) {
                ++invertible;
                EXPECT_TRUE(sameMatrixBits<Bruch>(identity, a.multiply(asMatrix<Bruch>(a.inverse()))));
            }
        }
    }
    EXPECT_GT(invertible, 15);
}

template <typename T>
void expectSameAsReference(const Matrix<T>& a) {
    EXPECT_TRUE(sameMatrixBits<T>(reference::adjugate(a), a.adjugate()));
    if (isZeroElement(a.determinant())) {
        EXPECT_TRUE(throwsMatrixError([&] { a.inverse(); }, MatrixError::Singular));
    } else {
        EXPECT_TRUE(sameMatrixBits<T>(reference::inverse(a), a.inverse()));
    }
}

template <typename T>
class AdjugateReferenceTest : public ::testing::Test {};
using InexactTypes = ::testing::Types<float, double, std::complex<double>>;
TYPED_TEST_SUITE(AdjugateReferenceTest, InexactTypes);

// Minors of 33 and 34 rows cross the first panel boundary.
TYPED_TEST(AdjugateReferenceTest, RandomAndSparseMatricesMatchBitForBit) {
    for (const std::uint32_t n : {2u, 3u, 6u, 34u, 35u}) {
        SCOPED_TRACE(n);
        expectSameAsReference(randomDense<TypeParam>(n, n, 4000 + n));
        expectSameAsReference(randomIntegers<TypeParam>(n, n, -1, 1, 0.7, 5000 + n));
    }
}

TEST(ExactAdjugateReferenceTest, SmallFractionMatricesMatchExactly) {
    for (std::uint32_t n = 2; n <= 6; ++n) {
        for (std::uint64_t seed = 0; seed < 4; ++seed) {
            SCOPED_TRACE(testing::Message() << n << " " << seed);
            expectSameAsReference(randomIntegers<Bruch>(n, n, -9, 9, seed % 2 == 0 ? 0.5 : 0.0, 60 + seed));
        }
    }
}

}  // namespace
