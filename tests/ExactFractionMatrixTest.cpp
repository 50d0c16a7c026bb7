// The exact determinant, inverse, adjugate and solution of fraction matrices against FLINT's
// rational matrices: random matrices of every size up to 30, with zeros, large and negative
// entries, entries past 64 bits, typed unreduced ones, and determinants that the engine's own
// primes divide. (Singular systems, whose outcome follows the literal algorithms' steps, are
// checked against those in ExactEngineLiteralTest and DeterminantTest; singular adjugates and the
// other cliffs of the engine in ExactEngineCliffTest.)
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FlintReference.h"
#include "exact/PrimeSequence.h"
#include "parallel/WorkerPool.h"

namespace {

enum class Kind { OneDigit, Zeros, Large, PastWords, Typed };

// One entry of the kind, as a user would type it (so a typed entry may stay unreduced).
Bruch entry(std::mt19937_64& random, Kind kind) {
    const auto between = [&](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    };
    switch (kind) {
    case Kind::OneDigit:
        return Bruch(between(-9, 9), between(1, 9));
    case Kind::Zeros:
        return between(0, 2) == 0 ? Bruch(between(-9, 9), between(1, 9)) : Bruch();
    case Kind::Large:
        return Bruch(between(INT64_MIN, INT64_MAX), between(1, INT64_MAX));
    case Kind::PastWords:
    case Kind::Typed: {
        std::ostringstream text;
        if (kind == Kind::PastWords) {
            text << between(-999999999, 999999999) << between(100000000000, 999999999999) << "/" << between(1, 99999999)
                 << between(1000000000000, 9999999999999);
        } else {
            text << between(-30, 30) * 6 << "/" << between(1, 20) * (between(0, 1) == 0 ? -4 : 4);
        }
        Bruch typed;
        std::istringstream(text.str()) >> typed;
        return typed;
    }
    }
    return {};
}

Matrix<Bruch> randomMatrix(std::mt19937_64& random, std::uint32_t rows, std::uint32_t cols, Kind kind) {
    Matrix<Bruch> m(rows, cols);
    for (std::uint32_t i = 1; i <= rows; ++i) {
        for (std::uint32_t j = 1; j <= cols; ++j) {
            // Mostly one kind in small matrices, a sprinkling in larger ones, where rows full of
            // long denominators would only make the test slow.
            const bool ofKind =
                random() % (rows > 10 && kind != Kind::Zeros ? 6 : 5) != 0 && (rows <= 10 || random() % 2 == 0);
            m.element(i, j) = entry(random, ofKind ? kind : Kind::OneDigit);
        }
    }
    return m;
}

void expectLikeFlint(const Matrix<Bruch>& a, const Matrix<Bruch>& b, const std::string& where) {
    const std::uint32_t n = a.getRowCount();
    FlintMatrix flintA(n, n), flintB(n, 1), flintInverse(n, n), flintSolution(n, 1), flintDet(1, 1);
    toFlint(a, flintA);
    toFlint(b, flintB);
    fmpq* const det = fmpq_mat_entry(flintDet.value, 0, 0);
    fmpq_mat_det(det, flintA.value);
    EXPECT_TRUE(isExactly(a.determinant(), exact(det))) << where;
    if (fmpq_is_zero(det) || n == 1) {
        return;
    }
    ASSERT_TRUE(fmpq_mat_inv(flintInverse.value, flintA.value));
    EXPECT_TRUE(equalsFlint(a.inverse(), flintInverse.value)) << where;
    // The adjugate of an invertible matrix is its determinant times its inverse.
    fmpq_mat_scalar_mul_fmpz(flintInverse.value, flintInverse.value, fmpq_numref(det));
    fmpq_mat_scalar_div_fmpz(flintInverse.value, flintInverse.value, fmpq_denref(det));
    EXPECT_TRUE(equalsFlint(a.adjugate(), flintInverse.value)) << where;
    ASSERT_TRUE(fmpq_mat_solve_fraction_free(flintSolution.value, flintA.value, flintB.value));
    Matrix<Bruch> x(n, 1);
    EXPECT_EQ(SolveResult::UniqueSolution, a.solve(b, x)) << where;
    EXPECT_TRUE(equalsFlint(x, flintSolution.value)) << where;
}

TEST(ExactFractionMatrices, EverySizeAndKindEqualsFlint) {
    std::mt19937_64 random(24);
    for (std::uint32_t n = 1; n <= 30; ++n) {
        for (const Kind kind : {Kind::OneDigit, Kind::Zeros, Kind::Large, Kind::PastWords, Kind::Typed}) {
            // Long entries make long determinants, which FLINT and the engine take seconds over
            // at order 30 (a sixth of that at 20): past 12, only 20 is taken.
            const bool longEntries = kind == Kind::Large || kind == Kind::PastWords;
            if (longEntries && n > 12 && n != 20) {
                continue;
            }
            const Matrix<Bruch> a = randomMatrix(random, n, n, kind);
            const Matrix<Bruch> b = randomMatrix(random, n, 1, kind);
            expectLikeFlint(a, b, "n = " + std::to_string(n) + ", kind " + std::to_string(static_cast<int>(kind)));
        }
    }
}

// Determinants that the first primes of the engine divide: those primes tell nothing of the
// inverse, and the engine must notice and take others.
TEST(ExactFractionMatrices, DeterminantsThatTheEnginesPrimesDivide) {
    std::mt19937_64 random(26);
    const auto prime = [](std::size_t index) { return static_cast<std::int64_t>(prime_sequence::at(index)); };
    for (const std::vector<std::int64_t>& factors :
         {std::vector{prime(0)}, {prime(0), prime(1)}, {prime(1), prime(2), -prime(0)}, {prime(0), 3, prime(3)}}) {
        for (const std::uint32_t n : {3u, 6u, 15u}) {
            const Matrix<Bruch> a = withDeterminant(random, n, factors);
            const Matrix<Bruch> b = randomMatrix(random, n, 1, Kind::OneDigit);
            expectLikeFlint(a, b, "n = " + std::to_string(n) + ", factors " + std::to_string(factors.size()));
        }
    }
}

// The engine shares its primes among the pool's threads: 1, 2 and 4 give the same values.
TEST(ExactFractionMatrices, EveryThreadCountGivesTheSameValues) {
    parallel::WorkerPool& pool = parallel::WorkerPool::shared();
    const unsigned before = pool.threads();
    std::mt19937_64 random(27);
    for (const unsigned threads : {1u, 2u, 4u}) {
        pool.setThreads(threads);
        for (const Kind kind : {Kind::OneDigit, Kind::Large, Kind::PastWords}) {
            expectLikeFlint(randomMatrix(random, 16, 16, kind), randomMatrix(random, 16, 1, kind),
                            std::to_string(threads) + " threads, kind " + std::to_string(static_cast<int>(kind)));
        }
    }
    pool.setThreads(before);
}

// Every prime from the 40th up to the first is listed, from the largest down.
TEST(ExactFractionMatrices, PrimesAreThoseBelowTwoToTheSixtyTwo) {
    EXPECT_EQ((std::uint64_t{1} << 62) - 57, prime_sequence::at(0));
    std::size_t t = 39;
    for (std::uint64_t candidate = prime_sequence::at(39); candidate <= prime_sequence::at(0); ++candidate) {
        const bool listed = candidate == prime_sequence::at(t);
        ASSERT_EQ(listed, prime_sequence::isPrime(candidate)) << candidate;
        t -= listed && t > 0 ? 1 : 0;
    }
}

// The engine's threads ask for the primes they take, so the list grows while others read it:
// threads that ask for primes not found yet, all at once, get the same list.
TEST(ExactFractionMatrices, PrimesAskedForByThreadsAtOnceAreTheSameList) {
    constexpr std::size_t count = 12000;
    std::vector<std::vector<std::uint64_t>> seen(4, std::vector<std::uint64_t>(count));
    std::vector<std::thread> askers;
    askers.reserve(seen.size());
    for (std::vector<std::uint64_t>& list : seen) {
        askers.emplace_back([&list] {
            for (std::size_t i = 0; i < count; ++i) {
                list[i] = prime_sequence::at(i);
            }
        });
    }
    for (std::thread& asker : askers) {
        asker.join();
    }
    for (std::size_t t = 1; t < seen.size(); ++t) {
        EXPECT_EQ(seen[0], seen[t]);
    }
    for (std::size_t i = 1; i < count; ++i) {
        ASSERT_LT(seen[0][i], seen[0][i - 1]);
    }
    EXPECT_EQ(count - 1, prime_sequence::indexOf(seen[0][count - 1]));
}

}  // namespace
