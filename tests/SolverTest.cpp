// Equation solver: the three outcomes and the refusals in their order. Its bits against the
// literal elimination are checked with the other eliminations (DeterminantTest).
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

}  // namespace
