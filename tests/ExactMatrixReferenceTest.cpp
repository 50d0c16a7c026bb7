// Differential test of the fraction matrices against GMP: the determinant, inverse and solver
// on many random small Bruch matrices give exactly what the same algorithms give in unbounded
// rationals (mpq_class), or the overflow text, and never anything else.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "ReferenceAlgorithms.h"
#include "matrix/Matrix.h"

namespace {

mpq_class exact(const Bruch& value) {
    mpq_class result{mpz_class(static_cast<long>(value.getZaehler())), mpz_class(static_cast<long>(value.getNenner()))};
    result.canonicalize();
    return result;
}

bool isOverflow(const char* text) {
    return std::strcmp(text, overflowText) == 0;
}

struct Case {
    Matrix<Bruch> fractions;
    Matrix<mpq_class> rationals;
};

// Entries from a small range mostly, sometimes wide ones that push products past 64 bits, and
// many zeros, which force exchanges.
Case randomCase(std::mt19937_64& random, std::uint32_t rows, std::uint32_t cols) {
    Case c{Matrix<Bruch>(rows, cols), Matrix<mpq_class>(rows, cols)};
    std::uniform_int_distribution<int> kind(0, 9);
    for (std::uint32_t i = 1; i <= rows; ++i) {
        for (std::uint32_t j = 1; j <= cols; ++j) {
            const int k = kind(random);
            std::int64_t numerator = 0;
            std::int64_t denominator = 1;
            if (k >= 3 && k <= 7) {
                numerator = std::uniform_int_distribution<std::int64_t>(-9, 9)(random);
                denominator = std::uniform_int_distribution<std::int64_t>(1, 7)(random);
            } else if (k > 7) {
                numerator = std::uniform_int_distribution<std::int64_t>(-3000000000LL, 3000000000LL)(random);
                denominator = std::uniform_int_distribution<std::int64_t>(1, 1000000)(random);
            }
            c.fractions.element(i, j) = Bruch(numerator, denominator);
            c.rationals.element(i, j) = exact(c.fractions.element(i, j));
        }
    }
    return c;
}

template <typename Compute, typename Compare>
void expectExactOrOverflow(Compute compute, Compare compare, int& exactCount, int& overflowCount) {
    try {
        compute();
    } catch (const char* text) {
        ASSERT_TRUE(isOverflow(text)) << text;
        ++overflowCount;
        return;
    }
    compare();
    ++exactCount;
}

TEST(ExactMatrixReference, DeterminantIsExactOrOverflows) {
    std::mt19937_64 random(11);
    int exactCount = 0;
    int overflowCount = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::uint32_t n = 1 + round % 5;
        const Case c = randomCase(random, n, n);
        Bruch det;
        expectExactOrOverflow([&] { det = c.fractions.determinant(); },
                              [&] { ASSERT_EQ(exact(det), reference::determinant(c.rationals)) << "round " << round; },
                              exactCount, overflowCount);
    }
    // Both outcomes must really occur, or the test proves less than it claims.
    EXPECT_GT(exactCount, 1000);
    EXPECT_GT(overflowCount, 50);
}

TEST(ExactMatrixReference, InverseIsExactOrOverflows) {
    std::mt19937_64 random(12);
    int exactCount = 0;
    int overflowCount = 0;
    for (int round = 0; round < 1500; ++round) {
        const std::uint32_t n = 2 + round % 4;
        const Case c = randomCase(random, n, n);
        if (reference::determinant(c.rationals) == 0) {
            // Singular: refused with 301, unless the determinant overflowed on the way.
            try {
                (void)c.fractions.inverse();
                ADD_FAILURE() << "singular matrix inverted, round " << round;
            } catch (const MatrixException& e) {
                EXPECT_EQ(e.code, 301);
            } catch (const char* text) {
                EXPECT_TRUE(isOverflow(text)) << text;
            }
            continue;
        }
        MatrixMath<Bruch> inverse(n, n);
        expectExactOrOverflow([&] { inverse = c.fractions.inverse(); },
                              [&] {
                                  const Matrix<mpq_class> expected = reference::inverse(c.rationals);
                                  for (std::uint32_t i = 1; i <= n; ++i) {
                                      for (std::uint32_t j = 1; j <= n; ++j) {
                                          ASSERT_EQ(exact(inverse.element(i, j)), expected.element(i, j))
                                              << "round " << round;
                                      }
                                  }
                              },
                              exactCount, overflowCount);
    }
    EXPECT_GT(exactCount, 300);
    EXPECT_GT(overflowCount, 50);
}

TEST(ExactMatrixReference, SolverIsExactOrOverflows) {
    std::mt19937_64 random(13);
    int exactCount = 0;
    int overflowCount = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::uint32_t n = 1 + round % 5;
        const Case a = randomCase(random, n, n);
        const Case b = randomCase(random, n, 1);
        Matrix<Bruch> x(n, 1);
        Matrix<mpq_class> expectedX(n, 1);
        SolveResult outcome = SolveResult::NoSolution;
        expectExactOrOverflow([&] { outcome = a.fractions.solve(b.fractions, x); },
                              [&] {
                                  const SolveResult expected = reference::solve(a.rationals, b.rationals, expectedX);
                                  ASSERT_EQ(outcome, expected) << "round " << round;
                                  for (std::uint32_t i = 1; i <= n && expected == SolveResult::UniqueSolution; ++i) {
                                      ASSERT_EQ(exact(x.element(i, 1)), expectedX.element(i, 1)) << "round " << round;
                                  }
                              },
                              exactCount, overflowCount);
    }
    EXPECT_GT(exactCount, 1000);
    EXPECT_GT(overflowCount, 50);
}

}  // namespace
