// Equation solver: the three outcomes, the refusals in their order, and the blocked elimination
// against the literal elimination and back substitution, bit for bit.
#include <map>

#include "ReferenceAlgorithms.h"

namespace {

using namespace testmatrices;
template <typename T>
class SolverTest : public ::testing::Test {};
TYPED_TEST_SUITE(SolverTest, AllTypes);

// An exchange at the first pivot, contradictions, a column without pivot. The solution keeps
// its old values (7) unless there is exactly one.
TYPED_TEST(SolverTest, OutcomesAndTheirSolutions) {
    using V = std::vector<double>;
    const struct {
        V a, b, x;
        SolveResult result;
    } cases[] = {{{0, 1, 1, 1}, {2, 3}, {1, 2}, SolveResult::UniqueSolution},
                 {{1, 1, 1, 1}, {1, 2}, {7, 7}, SolveResult::NoSolution},
                 {{1, 1, 1, 1}, {1, 1}, {7, 7}, SolveResult::InfinitelyManySolutions},
                 {{4}, {-12}, {-3}, SolveResult::UniqueSolution},
                 {{0}, {5}, {7}, SolveResult::NoSolution},
                 {{0, 1, 2, 0, 3, 4, 0, 5, 6}, {1, 2, 3}, {7, 7, 7}, SolveResult::InfinitelyManySolutions}};
    for (const auto& c : cases) {
        const auto n = static_cast<std::uint32_t>(c.b.size());
        Matrix<TypeParam> x = matrixOf<TypeParam>(n, 1, V(n, 7));
        EXPECT_EQ(c.result, matrixOf<TypeParam>(n, n, c.a).solve(matrixOf<TypeParam>(n, 1, c.b), x));
        EXPECT_TRUE(sameMatrixBits<TypeParam>(matrixOf<TypeParam>(n, 1, c.x), x)) << n;
    }
}

// Each case: the columns of A (which has 2 rows), the sizes of b and of x, the refusal.
TYPED_TEST(SolverTest, RefusalsComeInTheirOrderAndChangeNothing) {
    const struct {
        std::uint32_t aColumns, bRows, bColumns, xRows, xColumns;
        MatrixError error;
    } cases[] = {
        {2, 2, 2, 2, 2, MatrixError::ConstantsNotColumn},    {2, 2, 1, 2, 2, MatrixError::SolutionNotColumn},
        {2, 3, 1, 2, 1, MatrixError::ConstantsSolutionRows}, {2, 3, 1, 3, 1, MatrixError::ConstantsEquationRows},
        {3, 3, 1, 3, 1, MatrixError::ConstantsEquationRows}, {3, 2, 1, 2, 1, MatrixError::NotSquare}};
    for (const auto& c : cases) {
        Matrix<TypeParam> x = matrixOf<TypeParam>(c.xRows, c.xColumns, std::vector<double>(6, 4));
        const Matrix<TypeParam> before = x, a(2, c.aColumns), b(c.bRows, c.bColumns);
        EXPECT_TRUE(throwsMatrixError([&] { a.solve(b, x); }, c.error));
        EXPECT_TRUE(sameMatrixBits<TypeParam>(before, x));
    }
}

// Rows copied from others make singular systems; a right-hand side copied the same way decides
// between none and infinitely many, and that decision reads the entries left of the pivots.
TYPED_TEST(SolverTest, MatchesTheLiteralEliminationBitForBit) {
    const bool exact = std::is_same_v<TypeParam, Bruch>;
    std::map<SolveResult, int> outcomes;
    atEveryLaneWidth([&] {
        for (const std::uint32_t n : {1u, 2u, 5u, 9u, 33u, 67u, 130u, 263u}) {
            for (const auto& [kind, zeros] :
                 {std::pair{Values::Integers, 0.8}, {Values::Dense, 0.0}, {Values::Special, 0.5}}) {
                for (std::uint32_t copies = 0; copies < 3 && (!exact || (n < 10 && kind == Values::Integers));
                     ++copies) {
                    Matrix<TypeParam> a = randomMatrix<TypeParam>(n, n, n + copies, kind, zeros), x(n, 1),
                                      expected(n, 1);
                    Matrix<TypeParam> b = randomMatrix<TypeParam>(n, 1, n, kind, zeros / 2);
                    for (std::uint32_t c = 1; c <= copies && n > 2; ++c) {
                        for (std::uint32_t j = 1; j <= n; ++j) {
                            a.element(n + 1 - c, j) = a.element(c, j);
                        }
                        b.element(n + 1 - c, 1) = c == 2 ? b.element(c, 1) : b.element(n + 1 - c, 1);
                    }
                    ++outcomes[reference::solve(a, b, expected)];
                    EXPECT_EQ(reference::solve(a, b, expected), a.solve(b, x)) << n;
                    EXPECT_TRUE(sameMatrixBits<TypeParam>(expected, x)) << n;
                }
            }
        }
    });
    EXPECT_EQ(3u, outcomes.size());
}

}  // namespace
