// Determinant, adjugate and inverse, and every elimination of the library against the literal
// algorithms, bit for bit, at every lane width the processor has and with 1, 2 and 4 threads: triangular form,
// determinant, the adjugate's minors with their shared steps, the inverse and the solver.
#include <map>
#include <optional>

#include "ReferenceAlgorithms.h"

namespace {

using namespace testmatrices;
template <typename T>
class EliminationTest : public ::testing::Test {};
TYPED_TEST_SUITE(EliminationTest, AllTypes);

// Exchanges, a step without pivot, a zero row, a triangular matrix taken as it stands (+0, not
// the -0 that eliminating it would give). Complex and fraction zeros carry no sign to compare.
TYPED_TEST(EliminationTest, WorkedDeterminants) {
    const std::vector<std::pair<double, std::vector<double>>> cases = {{-7, {-7}},
                                                                       {-1, {0, 1, 1, 0}},
                                                                       {-2, {0, 1, 1, 1, 1, 0, 1, 0, 1}},
                                                                       {0, {2, 4, 1, 2}},
                                                                       {-0.0, {1, 2, 3, 0, 0, 0, 4, 5, 6}},
                                                                       {0, {0, 1, 0, 2}},
                                                                       {-24, {2, 0, 0, 5, 3, 0, 7, 1, -4}}};
    for (const auto& [det, values] : cases) {
        const auto n = static_cast<std::uint32_t>(std::sqrt(values.size()));
        const TypeParam expected = matrixOf<TypeParam>(1, 1, std::vector{det}).element(1, 1);
        const TypeParam actual = matrixOf<TypeParam>(n, n, values).determinant();
        EXPECT_TRUE(std::is_floating_point_v<TypeParam> ? sameBits(expected, actual) : expected == actual) << det;
    }
    EXPECT_TRUE(throwsMatrixError([] { Matrix<TypeParam>(2, 3).determinant(); }, MatrixError::NotSquare));
}

// Zero pivots, exchanges (also inside the minors' shared steps), triangular minors among
// eliminated ones, negative zeros, infinities and NaNs; fractions exactly, also typed unreduced
// and past 64 bits, at the orders where the exact engine takes over too. Rows copied from
// others make singular systems, whose outcome reads the entries left of the pivots. The literal
// results are computed once; the library's at every lane width, and with 2 and 4 threads at the
// orders past 64, whose panels' updates the threads share.
TYPED_TEST(EliminationTest, MatchesTheLiteralAlgorithmsBitForBit) {
    const bool exact = std::is_same_v<TypeParam, Bruch>;
    struct Case {
        Matrix<TypeParam> a, b, triangular, solution;
        TypeParam determinant;
        SolveResult outcome;
        std::optional<Matrix<TypeParam>> adjugate, inverse;
    };
    std::vector<Case> cases;
    cases.reserve(80);
    std::map<SolveResult, int> outcomes;
    for (const std::uint32_t n : {1u, 2u, 3u, 5u, 8u, 12u, 35u, 67u, 130u, 263u}) {
        for (const auto& [kind, zeros, copies] : {std::tuple{Values::Integers, 0.8, 0u},
                                                  {Values::Integers, 0.3, 2u},
                                                  {Values::Dense, 0.0, 1u},
                                                  {Values::Special, 0.3, 0u},
                                                  {Values::Special, 0.6, 1u},
                                                  {Values::Special, 0.85, 2u},
                                                  {Values::Fractions, 0.2, 0u},
                                                  {Values::Fractions, 0.1, 1u},
                                                  {Values::Fractions, 0.4, 2u}}) {
            if (exact ? n > 8 || kind == Values::Dense || kind == Values::Special : kind == Values::Fractions) {
                continue;
            }
            Matrix<TypeParam> a = randomMatrix<TypeParam>(n, n, n + copies, kind, zeros), solution(n, 1);
            Matrix<TypeParam> b = randomMatrix<TypeParam>(n, 1, n, kind, zeros / 2);
            for (std::uint32_t c = 1; c <= copies && n > 2; ++c) {
                for (std::uint32_t j = 1; j <= n; ++j) {
                    a.element(n + 1 - c, j) = a.element(c, j);
                }
                b.element(n + 1 - c, 1) = c == 2 ? b.element(c, 1) : b.element(n + 1 - c, 1);
            }
            const TypeParam det = reference::determinant(a);
            const SolveResult outcome = reference::solve(a, b, solution);
            ++outcomes[outcome];
            const bool minors = n > 1 && n < 40;
            cases.push_back({a, b, reference::triangularForm(a), solution, det, outcome,
                             minors ? std::optional(reference::adjugate(a)) : std::nullopt,
                             minors && !isZeroElement(det) ? std::optional(reference::inverse(a)) : std::nullopt});
        }
    }
    EXPECT_EQ(3u, outcomes.size());
    atEveryLaneWidthAndThreadCount([&](unsigned threads) {
        for (const Case& c : cases) {
            const std::uint32_t n = c.a.getRowCount();
            if (threads > 1 && n <= 64) {
                continue;
            }
            EXPECT_TRUE(sameMatrixBits<TypeParam>(c.triangular, c.a.triangularForm())) << n;
            EXPECT_TRUE(sameBits(c.determinant, c.a.determinant())) << n;
            if (c.adjugate) {
                EXPECT_TRUE(sameMatrixBits<TypeParam>(*c.adjugate, c.a.adjugate())) << n;
            }
            if (c.inverse) {
                EXPECT_TRUE(sameMatrixBits<TypeParam>(*c.inverse, c.a.inverse())) << n;
            } else if (c.adjugate && isZeroElement(c.determinant)) {
                EXPECT_TRUE(throwsMatrixError([&] { c.a.inverse(); }, MatrixError::Singular)) << n;
            }
            Matrix<TypeParam> x(n, 1);
            EXPECT_EQ(c.outcome, c.a.solve(c.b, x)) << n;
            EXPECT_TRUE(sameMatrixBits<TypeParam>(c.solution, x)) << n;
        }
    });
}

// A 1 x 1 matrix has no minors; the zero test of the inverse comes before that.
TYPED_TEST(EliminationTest, AdjugateAndInverseRefuseInTheirOrder) {
    const Matrix<TypeParam> wide(2, 3), five = matrixOf<TypeParam>(1, 1, std::vector{5.}), zero(1, 1);
    const Matrix<TypeParam> singular = matrixOf<TypeParam>(2, 2, std::vector{1., 2., 2., 4.});
    EXPECT_TRUE(throwsMatrixError([&] { singular.inverse(); }, MatrixError::Singular));
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

TEST(ElementDeterminantTest, EachTypeKeepsItsOwnArithmetic) {
    // 1e-30 * 1e-30 underflows in float, and the 1e30 after it cannot bring it back.
    const std::vector<double> tiny = {1e-30, 0, 0, 0, 1e-30, 0, 1, 0, 1e30};
    EXPECT_TRUE(sameBits(0.0f, matrixOf<float>(3, 3, tiny).determinant()));
    EXPECT_NE(0.0, matrixOf<double>(3, 3, tiny).determinant());
    // 2^40 * 2^40 - 1 leaves 64 bits and stays exact.
    const Bruch wide = matrixOf<Bruch>(2, 2, std::vector{1099511627776., 1., 1., 1099511627776.}).determinant();
    EXPECT_TRUE(wide.exactZaehler() + 1 == (bignumber::BigInteger(1) << 80) && wide.exactNenner() == 1);
    // (inf, -inf) times (1e308, 0) has NaN parts; the standard product would make (inf, -inf).
    const std::vector<Complex> big = {{1e308, 0}, {1e308, 1e308}, {0, 1e308}, {1e308, -1e308}};
    const Complex d = matrixOf<Complex>(2, 2, big).determinant();
    EXPECT_TRUE(std::isnan(d.real()) && std::isnan(d.imag()));
}

}  // namespace
