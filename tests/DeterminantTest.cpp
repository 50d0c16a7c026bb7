// Determinant: worked examples with their exact bits, and the blocked elimination against the
// literal step-by-step one, bit for bit, at every lane width the processor has.
#include "ReferenceAlgorithms.h"
#include "TestMatrices.h"

namespace {

using namespace testmatrices;

template <typename T>
class DeterminantTest : public ::testing::Test {};
using AllTypes = ::testing::Types<float, double, Complex, Bruch>;
TYPED_TEST_SUITE(DeterminantTest, AllTypes);

// Exchanges, a step without pivot, zero rows, triangular matrices taken as they are.
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
        const TypeParam d = integers<TypeParam>(n, n, values).determinant();
        // Complex and fraction zeros carry no sign to compare.
        EXPECT_TRUE(std::is_floating_point_v<TypeParam> ? sameBits(fromDouble<TypeParam>(det), d)
                                                        : d == fromDouble<TypeParam>(det))
            << det;
    }
    EXPECT_TRUE(throwsMatrixError([] { Matrix<TypeParam>(2, 3).determinant(); }, MatrixError::NotSquare));
}

TYPED_TEST(DeterminantTest, MatchesTheLiteralEliminationBitForBit) {
    atEveryLaneWidth([&] {
        if constexpr (!std::is_same_v<TypeParam, Bruch>) {
            for (const std::uint32_t n : {2u, 3u, 9u, 33u, 67u, 130u, 263u}) {
                for (const auto& [kind, zeros] :
                     {std::pair{Values::Dense, 0.0}, {Values::Integers, 0.8}, {Values::Special, 0.6}}) {
                    const Matrix<TypeParam> a = randomMatrix<TypeParam>(n, n, n, kind, zeros);
                    EXPECT_TRUE(sameMatrixBits<TypeParam>(reference::triangularForm(a), a.triangularForm())) << n;
                    EXPECT_TRUE(sameBits(reference::determinant(a), a.determinant())) << n;
                }
            }
        }
        for (std::uint32_t n = 2; n <= 8; ++n) {
            const Matrix<TypeParam> a = randomMatrix<TypeParam>(n, n, n, Values::Integers, 0.5);
            EXPECT_TRUE(sameBits(reference::determinant(a), a.determinant())) << n;
        }
    });
}

TEST(ElementDeterminantTest, EachTypeKeepsItsOwnArithmetic) {
    // 1e-30 * 1e-30 underflows in float, and the 1e30 after it cannot bring it back.
    const std::vector<double> tiny = {1e-30, 0, 0, 0, 1e-30, 0, 1, 0, 1e30};
    EXPECT_TRUE(sameBits(0.0f, integers<float>(3, 3, tiny).determinant()));
    EXPECT_NE(0.0, integers<double>(3, 3, tiny).determinant());
    const auto fractions = ofValues<Bruch>(2, 2, {Bruch(1, 2), Bruch(1, 3), Bruch(1, 4), Bruch(1, 5)});
    EXPECT_TRUE(sameBits(Bruch(1, 60), fractions.determinant()));
    EXPECT_THROW(integers<Bruch>(2, 2, {1099511627776, 1, 1, 1099511627776}).determinant(), const char*);
    EXPECT_TRUE(sameBits(Complex(-1, 0), ofValues<Complex>(2, 2, {{0, 1}, 0, 0, {0, 1}}).determinant()));
    // The textbook product: (inf, -inf) times (1e308, 0) has NaN parts, where the standard
    // library's product would make (inf, -inf) of it.
    const Complex d = ofValues<Complex>(2, 2, {{1e308, 0}, {1e308, 1e308}, {0, 1e308}, {1e308, -1e308}}).determinant();
    EXPECT_TRUE(std::isnan(d.real()) && std::isnan(d.imag()));
}

}  // namespace
