// Sum, difference, product and vector product: the size checks in their order, the results, and
// the textbook complex product in every operation.
#include "ReferenceAlgorithms.h"

namespace {

using namespace testmatrices;
template <typename T>
class ArithmeticTest : public ::testing::Test {};
TYPED_TEST_SUITE(ArithmeticTest, AllTypes);

// Two column vectors go to the vector product before any size check of the ordinary product.
TYPED_TEST(ArithmeticTest, SizeChecksComeInTheirOrder) {
    const Matrix<TypeParam> m23(2, 3), m32(3, 2), v3(3, 1), v4(4, 1), m11(1, 1), m42(4, 2);
    EXPECT_TRUE(throwsMatrixError([&] { m23.add(m32); }, MatrixError::SumSizes));
    EXPECT_TRUE(throwsMatrixError([&] { m23.subtract(m32); }, MatrixError::DifferenceSizes));
    EXPECT_TRUE(throwsMatrixError([&] { m23.multiply(m23); }, MatrixError::ProductSizes));
    EXPECT_TRUE(throwsMatrixError([&] { v3.multiply(v4); }, MatrixError::VectorLengths));
    EXPECT_TRUE(throwsMatrixError([&] { v3.multiply(m32); }, MatrixError::ProductSizes));
    EXPECT_TRUE(throwsMatrixError([&] { m11.vectorProduct(v3); }, MatrixError::NotColumnVectors));
    EXPECT_TRUE(throwsMatrixError([&] { m42.vectorProduct(v3); }, MatrixError::NotColumnVectors));
}

// The vector product pairs (2, 3), (3, 4), (4, 1), (1, 2) for four components, and wraps at once
// for two. The left operand is always the first factor.
TYPED_TEST(ArithmeticTest, ResultsOfEachOperation) {
    const auto m = [](std::uint32_t rows, std::uint32_t cols, const std::vector<double>& values) {
        return matrixOf<TypeParam>(rows, cols, values);
    };
    const auto a = m(2, 3, {1, 2, 3, 4, 5, 6}), b = m(2, 3, {9, 8, 7, 6, 5, 5});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(m(2, 3, {10, 10, 10, 10, 10, 11}), a.add(b)));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(m(2, 3, {-8, -6, -4, -2, 0, 1}), a.subtract(b)));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(m(2, 2, {5, 7, 14, 13}), a.multiply(m(3, 2, {1, 0, 2, -1, 0, 3}))));
    EXPECT_TRUE(
        sameMatrixBits<TypeParam>(m(4, 1, {1, -5, 7, -3}), m(4, 1, {1, 2, 3, 4}).multiply(m(4, 1, {5, 7, 11, 13}))));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(m(3, 1, {-3, 6, -3}), m(3, 1, {1, 2, 3}).multiply(m(3, 1, {4, 5, 6}))));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(m(2, 1, {1, -1}), m(2, 1, {2, 3}).multiply(m(2, 1, {5, 7}))));
}

// Each sum starts at +0 and takes its products from k = 1 on, as the plain triple loop does,
// whichever thread computes its row.
TYPED_TEST(ArithmeticTest, ProductMatchesThePlainTripleLoopBitForBit) {
    const bool exact = std::is_same_v<TypeParam, Bruch>;
    for (const Values kind : exact ? std::vector{Values::Integers} : std::vector{Values::Dense, Values::Special}) {
        const auto a = randomMatrix<TypeParam>(45, 33, 1, kind, 0.3), b = randomMatrix<TypeParam>(33, 7, 2, kind, 0.3);
        Matrix<TypeParam> expected(45, 7);
        for (std::uint32_t k = 0; k < 45 * 7 * 33; ++k) {
            TypeParam& sum = expected.element(k / 231 + 1, k / 33 % 7 + 1);
            sum = sum + elementProduct(a.element(k / 231 + 1, k % 33 + 1), b.element(k % 33 + 1, k / 33 % 7 + 1));
        }
        atEveryLaneWidthAndThreadCount(
            [&](unsigned) { EXPECT_TRUE(sameMatrixBits<TypeParam>(expected, a.multiply(b))); });
    }
}

// (ac - bd, ad + bc), each part rounded: the standard product's bits wherever that is finite, NaN
// parts where it would recover infinities; in products, vector products and the inverse.
TEST(ComplexProductTest, TextbookProductWithInfiniteParts) {
    const Complex cases[][3] = {{{inf, -inf}, {1e308, 0}, {NAN, NAN}},
                                {{inf, 0}, {0, 1}, {NAN, inf}},
                                {{inf, 1}, {2, 0}, {inf, NAN}},
                                {{-0.0, 0}, {1, 0}, {-0.0, 0}}};
    for (const auto& [left, right, expected] : cases) {
        EXPECT_TRUE(sameBits(expected, elementProduct(left, right))) << left << right;
    }
    const Matrix<Complex> m = randomMatrix<Complex>(60, 2, 3, Values::Special, 0.2);
    for (std::uint32_t r = 1; r <= 60; ++r) {
        const Complex standard = m.element(r, 1) * m.element(r, 2),
                      textbook = elementProduct(m.element(r, 1), m.element(r, 2));
        EXPECT_TRUE(!std::isfinite(std::abs(standard)) || sameBits(standard, textbook)) << r;
    }
    const auto isNaN = [](const Complex& z) { return std::isnan(z.real()) && std::isnan(z.imag()); };
    const auto m1 = [](const std::vector<Complex>& values) { return matrixOf<Complex>(values.size(), 1, values); };
    EXPECT_TRUE(isNaN(m1({0, {inf, -inf}, 0}).multiply(m1({0, 0, {1e308, 0}})).element(1, 1)));
    EXPECT_TRUE(isNaN(
        matrixOf<Complex>(1, 2, std::vector<Complex>{{inf, -inf}, 0}).multiply(m1({{1e308, 0}, 0})).element(1, 1)));
    // The reciprocal of (1e-320, 1e-320) is (inf, -inf); times the cofactor (1, 0).
    EXPECT_TRUE(
        isNaN(matrixOf<Complex>(2, 2, std::vector<Complex>{{1e-320, 1e-320}, 0, 0, 1}).inverse().element(1, 1)));
}

}  // namespace
