// Equation solver: the three outcomes, the refusals and their order, the exact solutions of
// fraction systems, and agreement with the literal elimination and back substitution.
#include <gtest/gtest.h>

#include <complex>
#include <limits>
#include <map>

#include "ReferenceAlgorithms.h"
#include "TestMatrices.h"

namespace {

using namespace testmatrices;

template <typename T>
class SolverTest : public ::testing::Test {};
using AllTypes = ::testing::Types<float, double, std::complex<double>, Bruch>;
TYPED_TEST_SUITE(SolverTest, AllTypes);

TYPED_TEST(SolverTest, RowExchangeAtTheFirstPivot) {
    const auto a = integers<TypeParam>(2, 2, {0, 1, 1, 1});
    Matrix<TypeParam> x(2, 1);
    EXPECT_EQ(a.solve(integers<TypeParam>(2, 1, {2, 3}), x), SolveResult::UniqueSolution);
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 1, {1, 2}), x));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 2, {0, 1, 1, 1}), a));
}

TYPED_TEST(SolverTest, SingularSystemsLeaveTheSolutionUntouched) {
    const auto a = integers<TypeParam>(2, 2, {1, 1, 1, 1});
    Matrix<TypeParam> x = integers<TypeParam>(2, 1, {7, 8});
    EXPECT_EQ(a.solve(integers<TypeParam>(2, 1, {1, 2}), x), SolveResult::NoSolution);
    EXPECT_EQ(a.solve(integers<TypeParam>(2, 1, {1, 1}), x), SolveResult::InfinitelyManySolutions);
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(2, 1, {7, 8}), x));
}

TYPED_TEST(SolverTest, OneByOneSystems) {
    Matrix<TypeParam> x(1, 1);
    EXPECT_EQ(integers<TypeParam>(1, 1, {0}).solve(integers<TypeParam>(1, 1, {5}), x), SolveResult::NoSolution);
    EXPECT_EQ(integers<TypeParam>(1, 1, {0}).solve(integers<TypeParam>(1, 1, {0}), x),
              SolveResult::InfinitelyManySolutions);
    EXPECT_EQ(integers<TypeParam>(1, 1, {4}).solve(integers<TypeParam>(1, 1, {-12}), x), SolveResult::UniqueSolution);
    EXPECT_EQ(x.element(1, 1), fromInteger<TypeParam>(-3));
}

// Column 1 has no pivot, so the diagonal product is zero although no row becomes zero.
TYPED_TEST(SolverTest, ColumnWithoutPivotMeansInfinitelyMany) {
    const auto a = integers<TypeParam>(3, 3, {0, 1, 2, 0, 3, 4, 0, 5, 6});
    Matrix<TypeParam> x(3, 1);
    EXPECT_EQ(a.solve(integers<TypeParam>(3, 1, {1, 2, 3}), x), SolveResult::InfinitelyManySolutions);
}

TYPED_TEST(SolverTest, RefusalsComeInTheirOrderAndChangeNothing) {
    const Matrix<TypeParam> a2(2, 2);
    Matrix<TypeParam> x = integers<TypeParam>(2, 1, {4, 5});
    const auto untouched = [&] { return sameMatrixBits<TypeParam>(integers<TypeParam>(2, 1, {4, 5}), x); };
    Matrix<TypeParam> wideX(2, 2);
    EXPECT_TRUE(throwsMatrixError([&] { a2.solve(Matrix<TypeParam>(2, 2), wideX); }, MatrixError::ConstantsNotColumn));
    EXPECT_TRUE(throwsMatrixError([&] { a2.solve(Matrix<TypeParam>(2, 1), wideX); }, MatrixError::SolutionNotColumn));
    Matrix<TypeParam> shortX(2, 1);
    EXPECT_TRUE(
        throwsMatrixError([&] { a2.solve(Matrix<TypeParam>(3, 1), shortX); }, MatrixError::ConstantsSolutionRows));
    Matrix<TypeParam> longX(3, 1);
    EXPECT_TRUE(
        throwsMatrixError([&] { a2.solve(Matrix<TypeParam>(3, 1), longX); }, MatrixError::ConstantsEquationRows));
    // A coefficient matrix that is not square is refused only after the shape checks.
    const Matrix<TypeParam> a23(2, 3);
    EXPECT_TRUE(
        throwsMatrixError([&] { a23.solve(Matrix<TypeParam>(3, 1), longX); }, MatrixError::ConstantsEquationRows));
    EXPECT_TRUE(throwsMatrixError([&] { a23.solve(Matrix<TypeParam>(2, 1), x); }, MatrixError::NotSquare));
    EXPECT_TRUE(untouched());
}

TYPED_TEST(SolverTest, OperandsStayAsTheyWere) {
    const auto a = integers<TypeParam>(3, 3, {0, 2, 1, 1, 1, 0, 3, 0, 1});
    const auto b = integers<TypeParam>(3, 1, {1, 2, 3});
    Matrix<TypeParam> x(3, 1);
    EXPECT_EQ(a.solve(b, x), SolveResult::UniqueSolution);
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(3, 3, {0, 2, 1, 1, 1, 0, 3, 0, 1}), a));
    EXPECT_TRUE(sameMatrixBits<TypeParam>(integers<TypeParam>(3, 1, {1, 2, 3}), b));
}

TEST(ExactSolverTest, FractionSolutionsAreExact) {
    Matrix<Bruch> x(2, 1);
    EXPECT_EQ(integers<Bruch>(2, 2, {2, 1, 1, 3}).solve(integers<Bruch>(2, 1, {3, 5}), x), SolveResult::UniqueSolution);
    EXPECT_TRUE(sameBitsAs(Bruch(4, 5), x.element(1, 1)));
    EXPECT_TRUE(sameBitsAs(Bruch(7, 5), x.element(2, 1)));
}

TEST(FloatingSolverTest, DecimalSolutionsToThePrecisionOfTheType) {
    Matrix<double> x(2, 1);
    EXPECT_EQ(integers<double>(2, 2, {2, 1, 1, 3}).solve(integers<double>(2, 1, {3, 5}), x),
              SolveResult::UniqueSolution);
    EXPECT_DOUBLE_EQ(0.8, x.element(1, 1));
    EXPECT_DOUBLE_EQ(1.4, x.element(2, 1));
    Matrix<float> y(1, 1);
    EXPECT_EQ(integers<float>(1, 1, {4}).solve(integers<float>(1, 1, {2}), y), SolveResult::UniqueSolution);
    EXPECT_EQ(0.5f, y.element(1, 1));
}

TEST(ComplexSolverTest, DivisionByTheImaginaryUnit) {
    using C = std::complex<double>;
    Matrix<C> x(1, 1);
    EXPECT_EQ(ofValues<C>(1, 1, {C(0, 1)}).solve(ofValues<C>(1, 1, {C(1, 0)}), x), SolveResult::UniqueSolution);
    EXPECT_TRUE(sameBitsAs(C(0, -1), x.element(1, 1)));
}

// Each diagonal element is a valid pivot, but their float product underflows to zero.
TEST(FloatingSolverTest, UnderflowingDiagonalProductCountsAsSingular) {
    const auto a = ofValues<float>(2, 2, {1e-30f, 0.0f, 0.0f, 1e-30f});
    Matrix<float> x(2, 1);
    EXPECT_EQ(a.solve(ofValues<float>(2, 1, {1.0f, 1.0f}), x), SolveResult::InfinitelyManySolutions);
    const auto d = ofValues<double>(2, 2, {1e-30, 0.0, 0.0, 1e-30});
    Matrix<double> y(2, 1);
    EXPECT_EQ(d.solve(ofValues<double>(2, 1, {1.0, 1.0}), y), SolveResult::UniqueSolution);
}

// The product stops at the zero of W(1, 1); going on would turn it into 0 * inf = NaN, which
// counts as non-zero.
TEST(FloatingSolverTest, DiagonalProductStopsAtTheFirstZero) {
    const double inf = std::numeric_limits<double>::infinity();
    const auto a = ofValues<double>(2, 2, {0.0, 1.0, 0.0, inf});
    Matrix<double> x = ofValues<double>(2, 1, {9.0, 9.0});
    EXPECT_EQ(a.solve(ofValues<double>(2, 1, {1.0, 1.0}), x), SolveResult::InfinitelyManySolutions);
    EXPECT_EQ(x.element(1, 1), 9.0);
}

// Random fraction systems: whatever comes out unique must satisfy A x = b exactly.
TEST(ExactSolverTest, UniqueSolutionsSatisfyTheSystemExactly) {
    int unique = 0;
    for (std::uint32_t n = 1; n <= 6; ++n) {
        for (std::uint64_t seed = 0; seed < 8; ++seed) {
            const Matrix<Bruch> a = randomIntegers<Bruch>(n, n, -6, 6, 0.3, 300 + 10 * n + seed);
            const Matrix<Bruch> b = randomIntegers<Bruch>(n, 1, -6, 6, 0.0, 900 + 10 * n + seed);
            Matrix<Bruch> x(n, 1);
            if (a.solve(b, x) == SolveResult::UniqueSolution) {
                ++unique;
                EXPECT_TRUE(sameMatrixBits<Bruch>(b, a.multiply(x))) << n << " " << seed;
                EXPECT_FALSE(isZeroElement(a.determinant()));
            } else {
                EXPECT_TRUE(isZeroElement(a.determinant()));
            }
        }
    }
    EXPECT_GT(unique, 30);
}

template <typename T>
void expectSameAsReference(const Matrix<T>& a, const Matrix<T>& b) {
    const std::uint32_t n = a.getRowCount();
    Matrix<T> expected = randomIntegers<T>(n, 1, 1, 9, 0.0, 5);
    Matrix<T> actual = expected;
    const SolveResult expectedResult = reference::solve(a, b, expected);
    EXPECT_EQ(expectedResult, a.solve(b, actual));
    EXPECT_TRUE(sameMatrixBits<T>(expected, actual));
}

template <typename T>
class SolverReferenceTest : public ::testing::Test {};
using InexactTypes = ::testing::Types<float, double, std::complex<double>>;
TYPED_TEST_SUITE(SolverReferenceTest, InexactTypes);

const std::uint32_t referenceSizes[] = {2, 3, 5, 9, 31, 33, 40, 67, 130, 161, 200, 263};

TYPED_TEST(SolverReferenceTest, RandomDenseSystemsMatchBitForBit) {
    for (const std::uint32_t n : referenceSizes) {
        SCOPED_TRACE(n);
        expectSameAsReference(randomDense<TypeParam>(n, n, 2000 + n), randomDense<TypeParam>(n, 1, 3000 + n));
    }
}

// Mostly zeros: row exchanges, pivots missing, rows that vanish. Copying rows makes
// singular systems; a right-hand side built the same way decides between none and infinitely
// many, and that decision reads the entries left of the pivots.
TYPED_TEST(SolverReferenceTest, SparseSignSystemsMatchBitForBit) {
    std::map<SolveResult, int> outcomes;
    for (const std::uint32_t n : referenceSizes) {
        for (const double zeros : {0.5, 0.8, 0.93}) {
            for (int copies = 0; copies <= 2; ++copies) {
                SCOPED_TRACE(testing::Message() << n << " " << zeros << " " << copies);
                Matrix<TypeParam> a = randomIntegers<TypeParam>(n, n, -1, 1, zeros, 17 * n + copies);
                Matrix<TypeParam> b = randomIntegers<TypeParam>(n, 1, -1, 1, 0.3, 19 * n);
                for (int c = 0; c < copies && n > 2; ++c) {
                    const std::uint32_t from = 1 + (5 * c) % n;
                    const std::uint32_t to = n - (3 * c) % (n - 1);
                    for (std::uint32_t j = 1; j <= n; ++j) {
                        a.element(to, j) = a.element(from, j);
                    }
                    if (c == 1) {
                        b.element(to, 1) = b.element(from, 1);
                    }
                }
                Matrix<TypeParam> x(n, 1);
                outcomes[reference::solve(a, b, x)]++;
                expectSameAsReference(a, b);
            }
        }
    }
    EXPECT_GT(outcomes[SolveResult::NoSolution], 0);
    EXPECT_GT(outcomes[SolveResult::InfinitelyManySolutions], 0);
    EXPECT_GT(outcomes[SolveResult::UniqueSolution], 0);
}

TEST(ExactSolverReferenceTest, SmallFractionSystemsMatchExactly) {
    for (std::uint32_t n = 1; n <= 8; ++n) {
        for (std::uint64_t seed = 0; seed < 6; ++seed) {
            SCOPED_TRACE(testing::Message() << n << " " << seed);
            expectSameAsReference(randomIntegers<Bruch>(n, n, -9, 9, seed % 2 == 0 ? 0.6 : 0.0, 40 + seed),
                                  randomIntegers<Bruch>(n, 1, -9, 9, 0.2, 80 + seed));
        }
    }
}

}  // namespace
