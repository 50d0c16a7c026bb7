// The p-adic lifting solver and the determinant from its divisor, called directly at every size
// (the engine takes them only where they pay), against FLINT on the same integer matrices:
// random ones up to 30 x 30 of one digit, of full words and past words; matrices that the first
// lifting primes find singular; singular ones; zero right-hand sides; determinants with many
// prime factors.
#include <gtest/gtest.h>

#include <flint/fmpq_mat.h>
#include <flint/fmpz_mat.h>
#include <gmpxx.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "exact/DivisorDeterminant.h"
#include "exact/ExactMatrixEngine.h"
#include "exact/IntegerRows.h"
#include "exact/LiftingSolver.h"
#include "exact/PrimeSequence.h"
#include "number/Bruch.h"
#include "parallel/WorkerPool.h"

namespace {

using Rows = std::vector<std::vector<Bruch>>;

struct Pointers {
    std::vector<const Bruch*> rows;
    explicit Pointers(const Rows& matrix) {
        for (const std::vector<Bruch>& row : matrix) {
            rows.push_back(row.data());
        }
    }
};

enum class Kind { OneDigit, Words, PastWords };

Bruch entry(std::mt19937_64& random, Kind kind) {
    const auto between = [&](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    };
    switch (kind) {
    case Kind::OneDigit:
        return {between(-9, 9), between(1, 9)};
    case Kind::Words:
        return {between(INT64_MIN + 1, INT64_MAX), between(1, 3)};
    case Kind::PastWords:
        break;
    }
    // A numerator of 30 digits or so, a denominator of 25.
    const mpz_class numerator =
        mpz_class(between(-999999999999999, 999999999999999)) * 1000000000000000 + between(0, 999999);
    const mpz_class denominator = mpz_class(between(1, 9999999999999)) * 1000000000000 + 1;
    return Bruch::fromExactParts(numerator, denominator);
}

Rows randomRows(std::mt19937_64& random, std::size_t n, Kind kind) {
    Rows rows(n, std::vector<Bruch>(n));
    for (std::vector<Bruch>& row : rows) {
        for (Bruch& value : row) {
            // Long entries everywhere make every size slow; a sprinkling tests them as well.
            value = entry(random, n <= 8 || random() % 4 == 0 ? kind : Kind::OneDigit);
        }
    }
    return rows;
}

std::vector<mpz_class> randomConstants(std::mt19937_64& random, std::size_t n, Kind kind) {
    std::vector<mpz_class> constants(n);
    for (mpz_class& value : constants) {
        const Bruch typed = entry(random, kind);
        value = typed.exactZaehler();
    }
    return constants;
}

// FLINT's solution and determinant of the integer matrix the engine works on.
struct FlintReference {
    std::vector<mpq_class> solution;
    mpz_class determinant;
};

FlintReference flintReference(const IntegerRows& matrix, const std::vector<mpz_class>& constants) {
    const auto n = static_cast<slong>(matrix.order());
    fmpz_mat_t integers;
    fmpq_mat_t a;
    fmpq_mat_t b;
    fmpq_mat_t x;
    fmpz_mat_init(integers, n, n);
    fmpq_mat_init(a, n, n);
    fmpq_mat_init(b, n, 1);
    fmpq_mat_init(x, n, 1);
    for (slong i = 0; i < n; ++i) {
        for (slong j = 0; j < n; ++j) {
            const mpz_class value = matrix.entry(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
            fmpz_set_mpz(fmpz_mat_entry(integers, i, j), value.get_mpz_t());
            fmpq_set_mpq(fmpq_mat_entry(a, i, j), mpq_class(value).get_mpq_t());
        }
        fmpq_set_mpq(fmpq_mat_entry(b, i, 0), mpq_class(constants[static_cast<std::size_t>(i)]).get_mpq_t());
    }
    FlintReference reference;
    fmpz_t det;
    fmpz_init(det);
    fmpz_mat_det(det, integers);
    fmpz_get_mpz(reference.determinant.get_mpz_t(), det);
    if (reference.determinant != 0) {
        fmpq_mat_solve_fraction_free(x, a, b);
        for (slong i = 0; i < n; ++i) {
            mpq_class value;
            fmpq_get_mpq(value.get_mpq_t(), fmpq_mat_entry(x, i, 0));
            reference.solution.push_back(value);
        }
    }
    fmpz_clear(det);
    fmpq_mat_clear(x);
    fmpq_mat_clear(b);
    fmpq_mat_clear(a);
    fmpz_mat_clear(integers);
    return reference;
}

double numeratorBits(const IntegerRows& matrix, const std::vector<mpz_class>& constants) {
    std::vector<double> extraColumn(constants.size());
    for (std::size_t i = 0; i < constants.size(); ++i) {
        extraColumn[i] = squareLog2Of(constants[i]);
    }
    return matrix.hadamardBits(&extraColumn);
}

// Both methods against FLINT; the lifting prime's place in the sequence, or -1 when singular.
int expectLikeFlint(const Rows& rows, const std::vector<mpz_class>& constants, const std::string& where) {
    const Pointers pointers(rows);
    const IntegerRows matrix(pointers.rows.data(), rows.size());
    const FlintReference reference = flintReference(matrix, constants);
    EXPECT_EQ(reference.determinant, divisor_determinant::determinant(matrix, [](double) {})) << where;
    const double bits = numeratorBits(matrix, constants);
    const LiftingSolver solver(matrix, bits, [](double) {});
    EXPECT_EQ(reference.determinant == 0, solver.singular()) << where;
    if (solver.singular() || reference.determinant == 0) {
        return -1;
    }
    const LiftingSolver::Solution solution = solver.solve(constants, bits);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        mpq_class value(solution.numerators[i], solution.denominators[i]);
        value.canonicalize();
        EXPECT_EQ(reference.solution[i], value) << where << ", entry " << i;
        EXPECT_TRUE(mpz_divisible_p(solution.commonDenominator.get_mpz_t(), solution.denominators[i].get_mpz_t()))
            << where;
    }
    EXPECT_TRUE(mpz_divisible_p(reference.determinant.get_mpz_t(), solution.commonDenominator.get_mpz_t())) << where;
    return static_cast<int>(solver.primeIndex());
}

TEST(LiftingSolver, RandomMatricesOfEverySizeEqualFlint) {
    std::mt19937_64 random(31);
    for (std::size_t n = 1; n <= 30; ++n) {
        for (const Kind kind : {Kind::OneDigit, Kind::Words, Kind::PastWords}) {
            if (kind != Kind::OneDigit && n > 10 && n % 10 != 0) {
                continue;
            }
            const Rows rows = randomRows(random, n, kind);
            expectLikeFlint(rows, randomConstants(random, n, kind),
                            "n = " + std::to_string(n) + ", kind " + std::to_string(static_cast<int>(kind)));
        }
    }
}

// The rows of each lifting step shared among 1, 2 and 4 threads give the same solution.
TEST(LiftingSolver, EveryThreadCountGivesTheSameSolution) {
    parallel::WorkerPool& pool = parallel::WorkerPool::shared();
    const unsigned threadsBefore = pool.threads();
    const std::size_t stepBefore = LiftingSolver::smallestSharedStep();
    LiftingSolver::smallestSharedStep() = 0;
    std::mt19937_64 random(37);
    for (const unsigned threads : {1u, 2u, 4u}) {
        pool.setThreads(threads);
        expectLikeFlint(randomRows(random, 24, Kind::OneDigit), randomConstants(random, 24, Kind::OneDigit),
                        std::to_string(threads) + " threads");
    }
    pool.setThreads(threadsBefore);
    LiftingSolver::smallestSharedStep() = stepBefore;
}

// A unimodular mix of diag(factors..., 1, ..., 1): the determinant is the factors' product.
Rows withDeterminant(std::mt19937_64& random, std::size_t n, const std::vector<mpz_class>& factors) {
    Rows rows(n, std::vector<Bruch>(n));
    for (std::size_t i = 0; i < n; ++i) {
        rows[i][i] = i < factors.size() ? Bruch::fromExactParts(factors[i], 1) : Bruch(1, 1);
    }
    for (std::size_t step = 0; step < 3 * n; ++step) {
        const std::size_t from = random() % n;
        const std::size_t to = random() % n;
        if (from != to) {
            const Bruch factor(static_cast<std::int64_t>(random() % 7) - 3, 1);
            for (std::size_t j = 0; j < n; ++j) {
                rows[to][j] = rows[to][j] + rows[from][j] * factor;
            }
        }
    }
    return rows;
}

mpz_class enginePrime(std::size_t index) {
    return mpz_class(static_cast<unsigned long>(prime_sequence::at(index)));
}

// The first primes divide the determinant: the solver must take the next one that does not.
TEST(LiftingSolver, PrimesThatDivideTheDeterminantArePassedOver) {
    std::mt19937_64 random(32);
    for (const std::size_t n : {3u, 7u, 20u}) {
        const std::vector<mpz_class> constants = randomConstants(random, n, Kind::OneDigit);
        EXPECT_EQ(1, expectLikeFlint(withDeterminant(random, n, {enginePrime(0)}), constants, "p0"));
        EXPECT_EQ(3, expectLikeFlint(withDeterminant(random, n, {enginePrime(1), -enginePrime(0), enginePrime(2)}),
                                     constants, "p0 p1 p2"));
    }
}

// 2 * 3 * 5 * ... * 113, and a power of two past a prime's range: the divisor must take them
// all, or the quotient's primes must make up for it.
TEST(LiftingSolver, DeterminantsWithManyPrimeFactors) {
    std::mt19937_64 random(33);
    std::vector<mpz_class> smallPrimes;
    for (unsigned long candidate = 2; smallPrimes.size() < 30; ++candidate) {
        if (prime_sequence::isPrime(candidate)) {
            smallPrimes.emplace_back(candidate);
        }
    }
    const std::vector<mpz_class> twos(25, mpz_class(1) << 40);
    for (const std::vector<mpz_class>& factors : {smallPrimes, twos}) {
        const std::size_t n = 30;
        expectLikeFlint(withDeterminant(random, n, factors), randomConstants(random, n, Kind::OneDigit), "factors");
        expectLikeFlint(withDeterminant(random, n, factors), std::vector<mpz_class>(n, 0), "zero constants");
    }
}

TEST(LiftingSolver, ZeroConstantsGiveZero) {
    std::mt19937_64 random(34);
    const Rows rows = randomRows(random, 12, Kind::Words);
    const Pointers pointers(rows);
    const IntegerRows matrix(pointers.rows.data(), rows.size());
    const std::vector<mpz_class> zeros(12, 0);
    const LiftingSolver solver(matrix, numeratorBits(matrix, zeros), [](double) {});
    const LiftingSolver::Solution solution = solver.solve(zeros, numeratorBits(matrix, zeros));
    for (std::size_t i = 0; i < zeros.size(); ++i) {
        EXPECT_EQ(0, solution.numerators[i]);
    }
    EXPECT_EQ(1, solution.commonDenominator);
}

// Rank n - 1 and n - 2, with rows repeated or combined: the determinant is zero, the solver
// finds the matrix singular, and so does the engine's solve, which hands it back to the
// elimination that tells the two kinds of singular systems apart.
TEST(LiftingSolver, SingularMatricesAreProvenSingular) {
    std::mt19937_64 random(35);
    for (const std::size_t n : {3u, 12u, 40u}) {
        for (const std::size_t rank : {n - 1, n - 2}) {
            Rows rows = randomRows(random, n, Kind::OneDigit);
            for (std::size_t i = rank; i < n; ++i) {
                for (std::size_t j = 0; j < n; ++j) {
                    rows[i][j] = rows[i - rank][j] * Bruch(-2, 3) + rows[i - 1][j];
                }
            }
            const std::string where = "n = " + std::to_string(n) + ", rank " + std::to_string(rank);
            EXPECT_EQ(-1, expectLikeFlint(rows, randomConstants(random, n, Kind::OneDigit), where));
            const Pointers pointers(rows);
            std::vector<Bruch> constants(n, Bruch(1, 1));
            std::vector<Bruch> solution(n);
            EXPECT_NE(exact_matrix::Outcome::Done,
                      exact_matrix::solve(pointers.rows.data(), n, constants.data(), solution.data(), [](double) {}))
                << where;
            EXPECT_EQ(0, exact_matrix::determinant(pointers.rows.data(), n, [](double) {}).exactZaehler()) << where;
        }
    }
}

// The progress of a long determinant and solve rises in small steps only, and reaches the end.
TEST(LiftingSolver, ProgressRisesToTheEnd) {
    std::mt19937_64 random(36);
    const Rows rows = randomRows(random, 60, Kind::OneDigit);
    const Pointers pointers(rows);
    std::vector<Bruch> constants(rows.size(), Bruch(1, 2));
    std::vector<Bruch> solution(rows.size());
    for (int operation = 0; operation < 2; ++operation) {
        std::vector<double> reports;
        const exact_matrix::Progress record = [&](double done) { reports.push_back(done); };
        if (operation == 0) {
            exact_matrix::determinant(pointers.rows.data(), rows.size(), record);
        } else {
            exact_matrix::solve(pointers.rows.data(), rows.size(), constants.data(), solution.data(), record);
        }
        ASSERT_LT(100u, reports.size()) << operation;
        for (std::size_t k = 1; k < reports.size(); ++k) {
            ASSERT_LE(reports[k - 1], reports[k]) << operation << ", report " << k;
            ASSERT_GT(0.1, reports[k] - reports[k - 1]) << operation << ", report " << k;
        }
        EXPECT_LT(0.99, reports.back()) << operation;
    }
}

}  // namespace
