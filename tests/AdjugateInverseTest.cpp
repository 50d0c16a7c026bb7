// Adjugate and inverse: the refusals in their order and the signs of zero. Their bits against
// the literal minors are checked with the other eliminations (DeterminantTest).
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

// The cofactors with an odd index sum are negated zeros; the reciprocal -1 times +0 is -0.
TEST(FloatingAdjugateTest, NegativeZerosOfTheCofactorsAndProducts) {
    const Matrix<double> identity = matrixOf<double>(2, 2, std::vector{1., 0., 0., 1.});
    EXPECT_TRUE(sameMatrixBits<double>(matrixOf<double>(2, 2, std::vector{1., -0., -0., 1.}), identity.inverse()));
    const Matrix<float> a = matrixOf<float>(3, 3, std::vector{2., 1., 1., 1., 3., 2., 1., 0., 0.});
    EXPECT_TRUE(sameBits(-0.0f, a.inverse().element(1, 1)));
}

}  // namespace
