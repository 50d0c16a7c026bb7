// Adjugate and inverse: the refusals in their order, the signs of zero, exact fractions, and
// the shared elimination of the minors against each minor's literal elimination, bit for bit.
#include "ReferenceAlgorithms.h"
#include "TestMatrices.h"

namespace {

using namespace testmatrices;

template <typename T>
class AdjugateTest : public ::testing::Test {};
using AllTypes = ::testing::Types<float, double, Complex, Bruch>;
TYPED_TEST_SUITE(AdjugateTest, AllTypes);

// A 1 x 1 matrix has no minors; the zero test of the inverse comes before that.
TYPED_TEST(AdjugateTest, RefusalsComeInTheirOrder) {
    const Matrix<TypeParam> wide(2, 3), five = integers<TypeParam>(1, 1, {5}), zero(1, 1);
    EXPECT_TRUE(throwsMatrixError([&] { integers<TypeParam>(2, 2, {1, 2, 2, 4}).inverse(); }, MatrixError::Singular));
    EXPECT_TRUE(throwsMatrixError([&] { wide.adjugate(); }, MatrixError::NotSquare));
    EXPECT_TRUE(throwsMatrixError([&] { wide.inverse(); }, MatrixError::NotSquare));
    EXPECT_TRUE(throwsMatrixError([&] { five.adjugate(); }, MatrixError::SizeBelowOne));
    EXPECT_TRUE(throwsMatrixError([&] { five.inverse(); }, MatrixError::SizeBelowOne));
    EXPECT_TRUE(throwsMatrixError([&] { zero.inverse(); }, MatrixError::Singular));
}

// Zeros, negative zeros, infinities and NaNs, exchanges inside the shared steps and triangular
// minors among eliminated ones; fractions exactly.
TYPED_TEST(AdjugateTest, MatchesTheLiteralMinorsBitForBit) {
    const bool exact = std::is_same_v<TypeParam, Bruch>;
    atEveryLaneWidth([&] {
        for (const std::uint32_t n : {2u, 3u, 4u, 6u, 12u, 35u}) {
            for (const auto& [kind, zeros] : {std::pair{Values::Dense, 0.0},
                                              {Values::Integers, 0.7},
                                              {Values::Special, 0.3},
                                              {Values::Special, 0.6},
                                              {Values::Special, 0.85}}) {
                if (exact && (n > 6 || kind != Values::Integers)) {
                    continue;
                }
                const Matrix<TypeParam> a = randomMatrix<TypeParam>(n, n, 10 * n, kind, zeros);
                EXPECT_TRUE(sameMatrixBits<TypeParam>(reference::adjugate(a), a.adjugate())) << n << " " << zeros;
                if (!isZeroElement(a.determinant())) {
                    EXPECT_TRUE(sameMatrixBits<TypeParam>(reference::inverse(a), a.inverse())) << n << " " << zeros;
                }
            }
        }
    });
}

// The cofactors with an odd index sum are negated zeros; the reciprocal -1 times +0 is -0.
TEST(FloatingAdjugateTest, NegativeZerosOfTheCofactorsAndProducts) {
    const Matrix<double> identity = integers<double>(2, 2, {1, 0, 0, 1});
    EXPECT_TRUE(sameMatrixBits<double>(integers<double>(2, 2, {1, -0.0, -0.0, 1}), identity.inverse()));
    EXPECT_TRUE(sameBits(-0.0f, integers<float>(3, 3, {2, 1, 1, 1, 3, 2, 1, 0, 0}).inverse().element(1, 1)));
}

// A adj(A) = det(A) I and A inv(A) = I hold exactly for fractions.
TEST(ExactAdjugateTest, IdentitiesHoldOnRandomFractionMatrices) {
    for (std::uint32_t n = 2; n <= 6; ++n) {
        const Matrix<Bruch> a = randomMatrix<Bruch>(n, n, n, Values::Integers, 0.0);
        Matrix<Bruch> scaledIdentity(n, n), identity(n, n), adjugate(n, n), inverse(n, n);
        static_cast<MatrixVector<Bruch>&>(adjugate) = a.adjugate();
        static_cast<MatrixVector<Bruch>&>(inverse) = a.inverse();
        for (std::uint32_t i = 1; i <= n; ++i) {
            scaledIdentity.element(i, i) = a.determinant();
            identity.element(i, i) = Bruch(1, 1);
        }
        EXPECT_TRUE(sameMatrixBits<Bruch>(scaledIdentity, a.multiply(adjugate))) << n;
        EXPECT_TRUE(sameMatrixBits<Bruch>(identity, a.multiply(inverse))) << n;
    }
}

}  // namespace
