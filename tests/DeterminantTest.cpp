// Determinant: worked examples with their exact bits, and the blocked elimination against the
// literal step-by-step one, bit for bit, at every lane width the processor has.
#include "ReferenceAlgorithms.h"

namespace {

using namespace testmatrices;
template <typename T>
class DeterminantTest : public ::testing::Test {};
TYPED_TEST_SUITE(DeterminantTest, AllTypes);

// Exchanges, a step without pivot, a zero row, a triangular matrix taken as it stands (+0, not
// the -0 that eliminating it would give). Complex and fraction zeros carry no sign to compare.
TYPED_TEST(DeterminantTest, WorkedExamples) {
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

TYPED_TEST(DeterminantTest, MatchesTheLiteralEliminationBitForBit) {
    const bool exact = std::is_same_v<TypeParam, Bruch>;
    atEveryLaneWidth([&] {
        for (const std::uint32_t n : {2u, 3u, 5u, 8u, 33u, 67u, 130u, 263u}) {
            for (const auto& [kind, zeros] :
                 {std::pair{Values::Integers, 0.5}, {Values::Dense, 0.0}, {Values::Special, 0.6}}) {
                if (!exact || (n < 9 && kind == Values::Integers)) {
                    const Matrix<TypeParam> a = randomMatrix<TypeParam>(n, n, n, kind, zeros);
                    EXPECT_TRUE(sameMatrixBits<TypeParam>(reference::triangularForm(a), a.triangularForm())) << n;
                    EXPECT_TRUE(sameBits(reference::determinant(a), a.determinant())) << n;
                }
            }
        }
    });
}

TEST(ElementDeterminantTest, EachTypeKeepsItsOwnArithmetic) {
    // 1e-30 * 1e-30 underflows in float, and the 1e30 after it cannot bring it back.
    const std::vector<double> tiny = {1e-30, 0, 0, 0, 1e-30, 0, 1, 0, 1e30};
    EXPECT_TRUE(sameBits(0.0f, matrixOf<float>(3, 3, tiny).determinant()));
    EXPECT_NE(0.0, matrixOf<double>(3, 3, tiny).determinant());
    EXPECT_THROW(matrixOf<Bruch>(2, 2, std::vector<double>{1099511627776, 1, 1, 1099511627776}).determinant(),
                 const char*);
    // (inf, -inf) times (1e308, 0) has NaN parts; the standard product would make (inf, -inf).
    const std::vector<Complex> big = {{1e308, 0}, {1e308, 1e308}, {0, 1e308}, {1e308, -1e308}};
    const Complex d = matrixOf<Complex>(2, 2, big).determinant();
    EXPECT_TRUE(std::isnan(d.real()) && std::isnan(d.imag()));
}

}  // namespace
