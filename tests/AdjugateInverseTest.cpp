// Adjugate and inverse: the refusals in their order, the signs of zero, and the minors sharing
// their elimination steps against each minor's literal elimination, bit for bit.
#include "ReferenceAlgorithms.h"

namespace {

using namespace testmatrices;
template <typename T>
class AdjugateTest : public ::testing::Test {};
TYPED_TEST_SUITE(AdjugateTest, AllTypes);

// A 1 x 1 matrix has no minors; the zero test of the inverse comes before that.
TYPED_TEST(AdjugateTest, RefusalsComeInTheirOrder) {
    const Matrix<TypeParam> wide(2, 3), five = matrixOf<TypeParam>(1, 1, std::vector{5.0}), zero(1, 1);
    EXPECT_TRUE(throwsMatrixError(
        [&] {
            matrixOf<TypeParam>(2, 2, std::vector{1., 2., 2., 4.}).inverse();
        },
        MatrixError::Singular));
    EXPECT_TRUE(throwsMatrixError([&] { wide.adjugate(); }, MatrixError::NotSquare));
    EXPECT_TRUE(throwsMatrixError([&] { wide.inverse(); }, MatrixError::NotSquare));
    EXPECT_TRUE(throwsMatrixError([&] { five.adjugate(); }, MatrixError::SizeBelowOne));
    EXPECT_TRUE(throwsMatrixError([&] { five.inverse(); }, MatrixError::SizeBelowOne));
    EXPECT_TRUE(throwsMatrixError([&] { zero.inverse(); }, MatrixError::Singular));
}

// Zero pivots, exchanges inside the shared steps, triangular minors among eliminated ones,
// negative zeros, infinities and NaNs; fractions exactly.
TYPED_TEST(AdjugateTest, MatchesTheLiteralMinorsBitForBit) {
    const bool exact = std::is_same_v<TypeParam, Bruch>;
    atEveryLaneWidth([&] {
        for (const std::uint32_t n : {2u, 3u, 4u, 6u, 12u, 35u}) {
            for (const double zeros : {0.0, 0.3, 0.6, 0.85}) {
                for (const Values kind : {Values::Integers, Values::Dense, Values::Special}) {
                    if (!exact || (n < 7 && kind == Values::Integers)) {
                        const Matrix<TypeParam> a = randomMatrix<TypeParam>(n, n, 10 * n, kind, zeros);
                        EXPECT_TRUE(sameMatrixBits<TypeParam>(reference::adjugate(a), a.adjugate()))
                            << n << " " << zeros;
                        if (!isZeroElement(a.determinant())) {
                            EXPECT_TRUE(sameMatrixBits<TypeParam>(reference::inverse(a), a.inverse()))
                                << n << " " << zeros;
                        }
                    }
                }
            }
        }
    });
}

// The cofactors with an odd index sum are negated zeros; the reciprocal -1 times +0 is -0.
TEST(FloatingAdjugateTest, NegativeZerosOfTheCofactorsAndProducts) {
    const Matrix<double> identity = matrixOf<double>(2, 2, std::vector{1., 0., 0., 1.});
    EXPECT_TRUE(sameMatrixBits<double>(matrixOf<double>(2, 2, std::vector{1., -0., -0., 1.}), identity.inverse()));
    const Matrix<float> a = matrixOf<float>(3, 3, std::vector{2., 1., 1., 1., 3., 2., 1., 0., 0.});
    EXPECT_TRUE(sameBits(-0.0f, a.inverse().element(1, 1)));
}

}  // namespace
