// Sum, difference, product and vector product: results, size checks and their order, and the
// exact accumulation of the product.
#include <gtest/gtest.h>

#include <complex>

#include "TestMatrices.h"

namespace {

using namespace testmatrices;

template <typename T>
class ArithmeticTest : public ::testing::Test {};
using AllTypes = ::testing::Types<float, double, std::complex<double>, Bruch>;
TYPED_TEST_SUITE(ArithmeticTest, AllTypes);

TYPED_TEST(ArithmeticTest, SumAndDifferenceWorkElementWise) {
    const Matrix<TypeParam> a = integers<TypeParam>(2, 3, {1, 2, 3, 4, 5, 6});
    const Matrix<TypeParam> b = integers<TypeParam>(2, 3, {10, 20, 30, 40, 50, 61});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 3, {11, 22, 33, 44, 55, 67}), a.add(b)));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 3, {-9, -18, -27, -36, -45, -55}), a.subtract(b)));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 3, {1, 2, 3, 4, 5, 6}), a));
}

TYPED_TEST(ArithmeticTest, SumAndDifferenceNeedEqualSizes) {
    const Matrix<TypeParam> a(2, 3);
    const Matrix<TypeParam> b(3, 2);
    EXPECT_TRUE(throwsMatrixError([&] { a.add(b); }, MatrixError::SumSizes));
    EXPECT_TRUE(throwsMatrixError([&] { a.subtract(b); }, MatrixError::DifferenceSizes));
    EXPECT_TRUE(throwsMatrixError([&] { a.add(Matrix<TypeParam>(2, 4)); }, MatrixError::SumSizes));
}

TYPED_TEST(ArithmeticTest, ProductOfCompatibleMatrices) {
    const Matrix<TypeParam> a = integers<TypeParam>(2, 3, {1, 2, 3, 4, 5, 6});
    const Matrix<TypeParam> b = integers<TypeParam>(3, 4, {1, 0, 2, -1, 0, 1, 3, 2, 4, -2, 0, 1});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 4, {13, -4, 8, 6, 28, -7, 23, 12}), a.multiply(b)));
    EXPECT_TRUE(throwsMatrixError([&] { a.multiply(a); }, MatrixError::ProductSizes));
}

TYPED_TEST(ArithmeticTest, RowTimesColumnIsScalarAndColumnTimesRowIsOuterProduct) {
    const Matrix<TypeParam> row = integers<TypeParam>(1, 3, {1, 2, 3});
    const Matrix<TypeParam> column = integers<TypeParam>(3, 1, {4, 5, 6});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(1, 1, {32}), row.multiply(column)));
    EXPECT_TRUE(
        sameMatrixBits<TypeParam>(integers<TypeParam>(3, 3, {4, 8, 12, 5, 10, 15, 6, 12, 18}), column.multiply(row)));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(1, 1, {6}),
                                          integers<TypeParam>(1, 1, {2}).multiply(integers<TypeParam>(1, 1, {3}))));
}

TYPED_TEST(ArithmeticTest, TwoColumnVectorsGiveTheVectorProduct) {
    const auto e1 = integers<TypeParam>(3, 1, {1, 0, 0});
    const auto e2 = integers<TypeParam>(3, 1, {0, 1, 0});
    EXPECT_EQ(e1.multiply(e2).element(3, 1), fromInteger<TypeParam>(1));
    EXPECT_EQ(e2.multiply(e1).element(3, 1), fromInteger<TypeParam>(-1));
    const auto a = integers<TypeParam>(3, 1, {1, 2, 3});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(3, 1, {-3, 6, -3}),
                                          a.multiply(integers<TypeParam>(3, 1, {4, 5, 6}))));
    const auto self = a.multiply(a);
    for (std::uint32_t r = 1; r <= 3; ++r) {
        EXPECT_EQ(self.element(r, 1), TypeParam{});
    }
}

// Pairs (2,3), (3,4), (4,1), (1,2); the left operand is always the first factor.
TYPED_TEST(ArithmeticTest, VectorProductRunsCyclicallyOverAllComponents) {
    const auto a = integers<TypeParam>(4, 1, {1, 2, 3, 4});
    const auto b = integers<TypeParam>(4, 1, {5, 7, 11, 13});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(
        integers<TypeParam>(4, 1, {2 * 11 - 3 * 7, 3 * 13 - 4 * 11, 4 * 5 - 1 * 13, 1 * 7 - 2 * 5}),
        a.vectorProduct(b)));
}

TYPED_TEST(ArithmeticTest, TwoComponentVectorsWrapAtOnce) {
    const auto a = integers<TypeParam>(2, 1, {2, 3});
    const auto b = integers<TypeParam>(2, 1, {5, 7});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 1, {3 * 5 - 2 * 7, 2 * 7 - 3 * 5}), a.multiply(b)));
}

TYPED_TEST(ArithmeticTest, VectorProductChecksComeBeforeTheProductCheck) {
    const Matrix<TypeParam> three(3, 1);
    EXPECT_TRUE(throwsMatrixError([&] { three.multiply(Matrix<TypeParam>(4, 1)); }, MatrixError::VectorLengths));
    EXPECT_TRUE(throwsMatrixError([&] { three.multiply(Matrix<TypeParam>(3, 2)); }, MatrixError::ProductSizes));
    EXPECT_TRUE(
        throwsMatrixError([&] { three.vectorProduct(Matrix<TypeParam>(3, 2)); }, MatrixError::NotColumnVectors));
    EXPECT_TRUE(
        throwsMatrixError([&] { Matrix<TypeParam>(1, 1).vectorProduct(three); }, MatrixError::NotColumnVectors));
    // 204 before 201: both operands must be column vectors before their lengths matter.
    EXPECT_TRUE(
        throwsMatrixError([&] { Matrix<TypeParam>(4, 2).vectorProduct(three); }, MatrixError::NotColumnVectors));
}

TEST(ExactArithmeticTest, FractionProductsAreExact) {
    const auto third = ofValues<Bruch>(1, 1, {Bruch(1, 3)});
    EXPECT_TRUE(sameBitsAs(Bruch(1, 1), third.multiply(integers<Bruch>(1, 1, {3})).element(1, 1)));
}

// Every result element starts at +0 and adds its products from k = 1 on: 0 + (-0) is +0.
TEST(FloatingArithmeticTest, ProductSumsStartAtPositiveZero) {
    const Matrix<double> a = ofValues<double>(1, 2, {-0.0, -0.0});
    const Matrix<double> b = ofValues<double>(2, 1, {1.0, 1.0});
    EXPECT_TRUE(sameBitsAs(0.0, a.multiply(b).element(1, 1)));
}

// Sums of products in ascending k, compared with the plain triple loop on awkward sizes.
template <typename T>
class ProductReferenceTest : public ::testing::Test {};
using InexactTypes = ::testing::Types<float, double, std::complex<double>>;
TYPED_TEST_SUITE(ProductReferenceTest, InexactTypes);

TYPED_TEST(ProductReferenceTest, MatchesThePlainTripleLoopBitForBit) {
    for (const std::uint32_t n : {1u, 7u, 33u}) {
        const Matrix<TypeParam> a = randomDense<TypeParam>(n + 2, n, 11 * n);
        const Matrix<TypeParam> b = randomDense<TypeParam>(n, n + 5, 13 * n);
        Matrix<TypeParam> expected(n + 2, n + 5);
        for (std::uint32_t i = 1; i <= n + 2; ++i) {
            for (std::uint32_t j = 1; j <= n + 5; ++j) {
                for (std::uint32_t k = 1; k <= n; ++k) {
                    expected.element(i, j) = expected.element(i, j) + a.element(i, k) * b.element(k, j);
                }
            }
        }
        EXPECT_TRUE(sameMatrixBits<TypeParam>(expected, a.multiply(b)));
    }
}

}  // namespace
