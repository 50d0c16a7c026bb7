// The exact engine against the literal algorithms on every platform (the Windows build has no
// FLINT and no GMP): fraction matrices of the orders where the engine takes over, with typed
// unreduced entries and entries past 64 bits, give the very fields the literal algorithms give.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>

#include "ReferenceAlgorithms.h"
#include "TestMatrices.h"

namespace {

using testmatrices::sameBits;
using testmatrices::sameMatrixBits;

Bruch typed(const std::string& text) {
    Bruch value;
    std::istringstream(text) >> value;
    return value;
}

// One-digit fractions, zeros, and now and then an unreduced one or one past 64 bits.
Matrix<Bruch> randomFractions(std::mt19937_64& random, std::uint32_t rows, std::uint32_t cols) {
    Matrix<Bruch> m(rows, cols);
    for (std::uint32_t i = 1; i <= rows; ++i) {
        for (std::uint32_t j = 1; j <= cols; ++j) {
            const auto digit = static_cast<std::int64_t>(random() % 19) - 9;
            const auto kind = random() % 12;
            m.element(i, j) = kind < 2   ? Bruch()
                              : kind < 9 ? Bruch(digit, static_cast<std::int64_t>(random() % 9) + 1)
                              : kind < 10
                                  ? typed(std::to_string(digit * 4) + "/-" + std::to_string(2 + random() % 7 * 2))
                                  : typed(std::to_string(digit) + "98765432109876543210/" +
                                          std::to_string(1 + random() % 9) + "2345678901234567890");
        }
    }
    return m;
}

TEST(ExactEngine, GivesTheFieldsOfTheLiteralAlgorithms) {
    std::mt19937_64 random(8);
    for (int round = 0; round < 60; ++round) {
        const auto n = static_cast<std::uint32_t>(4 + round % 6);
        Matrix<Bruch> a = randomFractions(random, n, n);
        if (round % 5 == 4) {
            for (std::uint32_t j = 1; j <= n; ++j) {
                a.element(n, j) = a.element(1, j) * Bruch(-3, 7);  // singular
            }
        }
        const Matrix<Bruch> b = randomFractions(random, n, 1);
        const std::string where = "round " + std::to_string(round);
        const Bruch det = reference::determinant(a);
        EXPECT_TRUE(sameBits(det, a.determinant())) << where;
        EXPECT_TRUE(sameMatrixBits<Bruch>(reference::adjugate(a), a.adjugate())) << where;
        if (!isZeroElement(det)) {
            EXPECT_TRUE(sameMatrixBits<Bruch>(reference::inverse(a), a.inverse())) << where;
        } else {
            EXPECT_TRUE(testmatrices::throwsMatrixError([&] { a.inverse(); }, MatrixError::Singular)) << where;
        }
        Matrix<Bruch> x(n, 1), expected(n, 1);
        EXPECT_EQ(reference::solve(a, b, expected), a.solve(b, x)) << where;
        EXPECT_TRUE(sameMatrixBits<Bruch>(expected, x)) << where;
    }
}

}  // namespace
