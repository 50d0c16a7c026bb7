// Sum, difference, product and vector product: the size checks in their order, the results, and
// the textbook complex product in every operation.
#include "ReferenceAlgorithms.h"
#include "TestMatrices.h"

namespace {

using namespace testmatrices;

template <typename T>
class ArithmeticTest : public ::testing::Test {};
using AllTypes = ::testing::Types<float, double, Complex, Bruch>;
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

// The cross product taken cyclically: pairs (2, 3), (3, 4), (4, 1), (1, 2) for four components;
// two components wrap at once. The left operand is always the first factor.
TYPED_TEST(ArithmeticTest, ResultsOfEachOperation) {
    const auto a = integers<TypeParam>(2, 3, {1, 2, 3, 4, 5, 6}), b = integers<TypeParam>(2, 3, {9, 8, 7, 6, 5, 5});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 3, {10, 10, 10, 10, 10, 11}), a.add(b)));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 3, {-8, -6, -4, -2, 0, 1}), a.subtract(b)));
    const auto c = integers<TypeParam>(3, 2, {1, 0, 2, -1, 0, 3});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 2, {5, 7, 14, 13}), a.multiply(c)));
    const auto u = integers<TypeParam>(4, 1, {1, 2, 3, 4}), v = integers<TypeParam>(4, 1, {5, 7, 11, 13});
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(4, 1, {1, -5, 7, -3}), u.multiply(v)));
    EXPECT_TRUE(
        sameMatrixBits<TypeParam>(integers<TypeParam>(3, 1, {-3, 6, -3}),
                                  integers<TypeParam>(3, 1, {1, 2, 3}).multiply(integers<TypeParam>(3, 1, {4, 5, 6}))));
    EXPECT_TRUE(
        sameMatrixBits<TypeParam>(integers<TypeParam>(2, 1, {1, -1}),
                                  integers<TypeParam>(2, 1, {2, 3}).multiply(integers<TypeParam>(2, 1, {5, 7}))));
}

// Each sum starts at +0 and takes its products from k = 1 on, as the plain triple loop does.
TYPED_TEST(ArithmeticTest, ProductMatchesThePlainTripleLoopBitForBit) {
    for (const auto& [kind, zeros] : {std::pair{Values::Integers, 0.5}, {Values::Dense, 0.0}, {Values::Special, 0.3}}) {
        if (std::is_same_v<TypeParam, Bruch> && kind != Values::Integers) {
            continue;
        }
        const auto a = randomMatrix<TypeParam>(9, 33, 1, kind, zeros),
                   b = randomMatrix<TypeParam>(33, 7, 2, kind, zeros);
        Matrix<TypeParam> expected(9, 7);
        for (std::uint32_t k = 0; k < 9 * 7 * 33; ++k) {
            TypeParam& sum = expected.element(k / 231 + 1, k / 33 % 7 + 1);
            sum = sum + elementProduct(a.element(k / 231 + 1, k % 33 + 1), b.element(k % 33 + 1, k / 33 % 7 + 1));
        }
        EXPECT_TRUE(sameMatrixBits<TypeParam>(expected, a.multiply(b)));
    }
}

// (ac - bd, ad + bc) with each part rounded: the same bits as the standard product wherever that
// is finite, NaN parts where the standard product would recover infinities.
TEST(ComplexProductTest, TextbookProductWithInfiniteParts) {
    const Complex cases[][3] = {{{inf, -inf}, {1e308, 0}, {NAN, NAN}}, {{inf, 0}, {0, 1}, {NAN, inf}},
                                {{inf, 1}, {2, 0}, {inf, NAN}},        {{1e308, 1e308}, {1e308, 0}, {inf, inf}},
                                {{-0.0, 0}, {1, 0}, {-0.0, 0}},        {{3, -2}, {0.5, 4}, {9.5, 11}}};
    for (const auto& [left, right, expected] : cases) {
        EXPECT_TRUE(sameBits(expected, elementProduct(left, right))) << left << right;
    }
    for (const auto& [kind, zeros] : {std::pair{Values::Dense, 0.0}, {Values::Special, 0.2}}) {
        const Matrix<Complex> m = randomMatrix<Complex>(40, 2, 3, kind, zeros);
        for (std::uint32_t r = 1; r <= 40; ++r) {
            const Complex standard = m.element(r, 1) * m.element(r, 2);
            if (std::isfinite(standard.real()) && std::isfinite(standard.imag())) {
                EXPECT_TRUE(sameBits(standard, elementProduct(m.element(r, 1), m.element(r, 2))));
            }
        }
    }
}

// The products, the vector product and the inverse's reciprocal times a cofactor multiply with
// it; the elimination's products are pinned by the determinant and the literal algorithms.
TEST(ComplexProductTest, EveryOperationUsesTheTextbookProduct) {
    const auto isNaN = [](const Complex& z) { return std::isnan(z.real()) && std::isnan(z.imag()); };
    const auto infinite = ofValues<Complex>(1, 1, {{inf, -inf}}), big = ofValues<Complex>(1, 1, {{1e308, 0}});
    EXPECT_TRUE(isNaN(infinite.multiply(big).element(1, 1)));
    const auto u = ofValues<Complex>(3, 1, {0, {inf, -inf}, 0}), v = ofValues<Complex>(3, 1, {0, 0, {1e308, 0}});
    EXPECT_TRUE(isNaN(u.multiply(v).element(1, 1)));
    // The reciprocal of (1e-320, 1e-320) is (inf, -inf); times the cofactor (1, 0).
    EXPECT_TRUE(isNaN(ofValues<Complex>(2, 2, {{1e-320, 1e-320}, 0, 0, 1}).inverse().element(1, 1)));
}

}  // namespace
