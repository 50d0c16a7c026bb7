// The exact fraction matrices against FLINT's rational matrices: through the matrix operations at
// every order up to 30 (the literal algorithm below the orders where the engine takes over); the
// engine itself where matrices used to fall to the literal algorithm (a determinant that its
// first primes divide, those primes in the denominators, entries at the 64-bit limits, singular
// matrices, fractions typed unreduced); the p-adic lifting solver and the determinant from its
// divisor, called directly at every order; every thread count; the reports of progress and what
// a long inverse holds in memory. (Singular systems, whose outcome follows the literal
// algorithms' steps, are checked against those in DeterminantTest.)
#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FlintReference.h"
#include "exact/DivisorDeterminant.h"
#include "exact/ExactMatrixEngine.h"
#include "exact/IntegerRows.h"
#include "exact/LiftingSolver.h"
#include "exact/PrimeSequence.h"
#include "exact/PrimeWorkers.h"
#include "parallel/WorkerPool.h"

namespace {

Bruch typed(const std::string& text) {
    Bruch value;
    std::istringstream(text) >> value;
    return value;
}

enum class Kind { OneDigit, Zeros, Words, Large, PastWords, Typed };

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
    case Kind::Words:
        return Bruch(between(INT64_MIN + 1, INT64_MAX), between(1, 3));
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
        return typed(text.str());
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

std::int64_t enginePrime(std::size_t index) {
    return static_cast<std::int64_t>(prime_sequence::at(index));
}

// Row `target` becomes a combination of the first `sources` rows, which lowers the rank by one.
void dependentRow(Matrix<Bruch>& m, std::uint32_t target, std::uint32_t sources, std::mt19937_64& random) {
    for (std::uint32_t j = 1; j <= m.getColumnCount(); ++j) {
        Bruch sum;
        for (std::uint32_t i = 1; i <= sources; ++i) {
            sum = sum + m.element(i, j) * Bruch(static_cast<std::int64_t>(random() % 7) - 3, 2);
        }
        m.element(target, j) = sum;
    }
}

// The determinant, inverse, adjugate and solution through the matrix operations.
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

// A matrix's rows as the engine takes them.
struct Rows {
    std::vector<std::vector<Bruch>> values;
    std::vector<Bruch*> pointers;
    explicit Rows(const MatrixVector<Bruch>& m) {
        for (std::uint32_t i = 1; i <= m.getRowCount(); ++i) {
            std::vector<Bruch>& row = values.emplace_back(m.getColumnCount());
            for (std::uint32_t j = 1; j <= m.getColumnCount(); ++j) {
                row[j - 1] = m.element(i, j);
            }
            pointers.push_back(row.data());
        }
    }
};

// The constants of the systems that the engine solves.
Matrix<Bruch> systemConstants(std::uint32_t n) {
    Matrix<Bruch> b(n, 1);
    for (std::uint32_t i = 1; i <= n; ++i) {
        b.element(i, 1) = Bruch(static_cast<std::int64_t>(i % 5) - 2, 3);
    }
    return b;
}

enum class Operation { Determinant, Inverse, Adjugate, Solve };

// The engine's result (the determinant as a 1 x 1 matrix, the solution of systemConstants as a
// column), whether it was done or the matrix proven singular, and the reports of its progress.
struct EngineRun {
    Matrix<Bruch> result;
    bool done = true;
    std::vector<double> reports;
};

struct Cancelled {};

// cancelAt: the report at which the progress throws, as a cancel does; 0 for none.
EngineRun runEngine(const Matrix<Bruch>& a, Operation operation, std::size_t cancelAt = 0) {
    const std::uint32_t n = a.getRowCount();
    const bool square = operation == Operation::Inverse || operation == Operation::Adjugate;
    EngineRun run{Matrix<Bruch>(operation == Operation::Determinant ? 1 : n, square ? n : 1), true, {}};
    const exact_matrix::Progress progress = [&run, cancelAt](double fraction) {
        run.reports.push_back(fraction);
        if (run.reports.size() == cancelAt) {
            throw Cancelled();
        }
    };
    const Rows rows(a), constants(systemConstants(n));
    Rows result(run.result);
    std::vector<Bruch> constantValues, solution(n);
    for (const std::vector<Bruch>& row : constants.values) {
        constantValues.push_back(row[0]);
    }
    const Bruch* const* in = rows.pointers.data();
    exact_matrix::Outcome outcome = exact_matrix::Outcome::Done;
    switch (operation) {
    case Operation::Determinant:
        run.result.element(1, 1) = exact_matrix::determinant(in, n, progress);
        return run;
    case Operation::Inverse:
        outcome = exact_matrix::inverse(in, n, result.pointers.data(), progress);
        break;
    case Operation::Adjugate:
        exact_matrix::adjugate(in, n, result.pointers.data(), progress);
        break;
    case Operation::Solve:
        outcome = exact_matrix::solve(in, n, constantValues.data(), solution.data(), progress);
        break;
    }
    run.done = outcome == exact_matrix::Outcome::Done;
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= run.result.getColumnCount(); ++j) {
            run.result.element(i, j) = square ? result.values[i - 1][j - 1] : solution[i - 1];
        }
    }
    return run;
}

// The engine's four operations against FLINT's. FLINT has no adjugate: the determinant times the
// inverse, or, of a singular matrix, each cofactor as the determinant of its minor. The engine
// must solve a system itself whatever primes divide the determinant, and prove a singular one so.
void expectEngineLikeFlint(const Matrix<Bruch>& a, const std::string& where) {
    const std::uint32_t n = a.getRowCount();
    FlintMatrix flintA(n, n), det(1, 1), inverse(n, n), adjugate(n, n), minor(n - 1, n - 1), b(n, 1), x(n, 1);
    toFlint(a, flintA);
    toFlint(systemConstants(n), b);
    fmpq* const value = fmpq_mat_entry(det.value, 0, 0);
    fmpq_mat_det(value, flintA.value);
    const bool invertible = fmpq_mat_inv(inverse.value, flintA.value) != 0;
    if (invertible) {
        fmpq_mat_scalar_mul_fmpz(adjugate.value, inverse.value, fmpq_numref(value));
        fmpq_mat_scalar_div_fmpz(adjugate.value, adjugate.value, fmpq_denref(value));
    }
    for (std::uint32_t k = 0; !invertible && k < n * n; ++k) {
        const std::uint32_t i = k / n, j = k % n;
        for (std::uint32_t e = 0; e < (n - 1) * (n - 1); ++e) {
            const std::uint32_t r = e / (n - 1), c = e % (n - 1);
            fmpq_set(fmpq_mat_entry(minor.value, r, c),
                     fmpq_mat_entry(flintA.value, r < j ? r : r + 1, c < i ? c : c + 1));
        }
        fmpq* const cofactor = fmpq_mat_entry(adjugate.value, i, j);
        fmpq_mat_det(cofactor, minor.value);
        if ((i + j) % 2 == 1) {
            fmpq_neg(cofactor, cofactor);
        }
    }
    EXPECT_TRUE(equalsFlint(runEngine(a, Operation::Determinant).result, det.value)) << where << ": determinant";
    EXPECT_TRUE(equalsFlint(runEngine(a, Operation::Adjugate).result, adjugate.value)) << where << ": adjugate";
    const EngineRun engineInverse = runEngine(a, Operation::Inverse), solution = runEngine(a, Operation::Solve);
    EXPECT_EQ(invertible, engineInverse.done) << where << ": inverse";
    EXPECT_EQ(invertible, solution.done) << where << ": solve";
    if (invertible) {
        ASSERT_TRUE(fmpq_mat_solve_fraction_free(x.value, flintA.value, b.value));
        EXPECT_TRUE(equalsFlint(engineInverse.result, inverse.value)) << where << ": inverse";
        EXPECT_TRUE(equalsFlint(solution.result, x.value)) << where << ": solve";
    }
}

// Matrices that used to fall to the literal algorithm, each computed by the engine itself:
// determinants that its first primes divide (they tell nothing of the inverse, and it must take
// others), those primes in the denominators, entries at the limits of 64 bits, rank n - 1 (a
// dependent row, a zero row, long entries whose kernel takes several primes) and rank n - 2,
// whose adjugate is zero.
TEST(ExactEngineCliffs, EachIsComputedByTheEngineAsFlintComputesIt) {
    std::mt19937_64 random(31);
    std::vector<std::pair<std::string, Matrix<Bruch>>> cliffs;
    const std::int64_t p0 = enginePrime(0), p1 = enginePrime(1), p2 = enginePrime(2), p3 = enginePrime(3);
    for (const std::vector<std::int64_t>& factors : {std::vector{p0}, {p0, p1, -p2}, {5, p0, 7}, {p0, 3, p3}}) {
        for (const std::uint32_t n : {4u, 9u, 15u}) {
            cliffs.emplace_back("factors " + std::to_string(factors.size()) + ", n = " + std::to_string(n),
                                withDeterminant(random, n, factors));
        }
    }
    Matrix<Bruch> denominators = randomMatrix(random, 8, 8, Kind::OneDigit);
    for (std::uint32_t i = 1; i <= 8; ++i) {
        denominators.element(i, 1 + i % 3) = Bruch(static_cast<std::int64_t>(random() % 9) + 1, enginePrime(i % 2));
        denominators.element(i, 5) = Bruch(1, p0);
        // long multipliers, whose residues come from the fractions but where the prime divides them
        for (const std::uint32_t j : {6 + i % 3, 6 + (i + 1) % 3}) {
            denominators.element(i, j) = Bruch(1, static_cast<std::int64_t>(random() >> 1) | 1);
        }
    }
    cliffs.emplace_back("primes in denominators", denominators);
    const std::int64_t limits[] = {INT64_MAX, INT64_MIN, INT64_MIN + 1, INT64_MAX - 1, 1, -1, 0};
    Matrix<Bruch> atLimits(7, 7);
    for (std::uint32_t k = 0; k < 49; ++k) {
        atLimits.element(k / 7 + 1, k % 7 + 1) =
            Bruch(limits[random() % 7], random() % 3 == 0 ? INT64_MAX - 1 : (random() % 2 == 0 ? INT64_MAX : 1));
    }
    cliffs.emplace_back("64-bit limits", atLimits);
    Matrix<Bruch> rankOneShort = randomMatrix(random, 7, 7, Kind::OneDigit);
    dependentRow(rankOneShort, 7, 4, random);
    cliffs.emplace_back("rank n - 1", rankOneShort);
    Matrix<Bruch> zeroRow = randomMatrix(random, 5, 5, Kind::OneDigit);
    for (std::uint32_t j = 1; j <= 5; ++j) {
        zeroRow.element(3, j) = Bruch();
    }
    cliffs.emplace_back("zero row", zeroRow);
    Matrix<Bruch> longEntries(6, 6);
    for (std::uint32_t k = 0; k < 36; ++k) {
        longEntries.element(k / 6 + 1, k % 6 + 1) =
            typed(std::to_string(random() % 1000000) + "12345678901234567890123/" +
                  std::to_string(1 + random() % 1000) + "98765432109876543210");
    }
    dependentRow(longEntries, 2, 1, random);
    cliffs.emplace_back("rank n - 1, long entries", longEntries);
    Matrix<Bruch> rankTwoShort = randomMatrix(random, 7, 7, Kind::OneDigit);
    dependentRow(rankTwoShort, 6, 3, random);
    dependentRow(rankTwoShort, 7, 3, random);
    cliffs.emplace_back("rank n - 2", rankTwoShort);
    for (const auto& [where, a] : cliffs) {
        expectEngineLikeFlint(a, where);
    }
}

// On one thread, the reports of progress are the same in every run; with more, the primes that
// other threads finish between two of them depend on how the system schedules the threads.
class OneThread {
public:
    OneThread() { parallel::WorkerPool::shared().setThreads(1); }
    ~OneThread() { parallel::WorkerPool::shared().setThreads(before); }
    OneThread(const OneThread&) = delete;
    OneThread& operator=(const OneThread&) = delete;

private:
    unsigned before = parallel::WorkerPool::shared().threads();
};

// (a k) / (b k) with k of 25 digits is a / b: the same multipliers, the same primes, and so the
// very same reports of progress as the matrix typed reduced.
TEST(ExactEngineCliffs, FractionsTypedUnreducedTakeTheWorkOfTheirReducedForm) {
    const OneThread oneThread;
    std::mt19937_64 random(35);
    const Matrix<Bruch> reduced = randomMatrix(random, 9, 9, Kind::OneDigit);
    Matrix<Bruch> unreduced(9, 9);
    const mpz_class k("1234567890123456789012345");
    for (std::uint32_t i = 1; i <= 9; ++i) {
        for (std::uint32_t j = 1; j <= 9; ++j) {
            const Bruch& value = reduced.element(i, j);
            const mpz_class numerator = k * value.getZaehler();
            const mpz_class denominator = k * value.getNenner();
            unreduced.element(i, j) = typed(numerator.get_str() + "/" + denominator.get_str());
        }
    }
    expectEngineLikeFlint(unreduced, "unreduced");
    for (const Operation operation : {Operation::Inverse, Operation::Adjugate}) {
        EXPECT_EQ(runEngine(reduced, operation).reports, runEngine(unreduced, operation).reports);
    }
}

// The lifting solver and the divisor's determinant on the integer matrix the engine makes of `a`
// against FLINT; the lifting prime's place in the sequence, or -1 when singular.
int expectLiftingLikeFlint(const Matrix<Bruch>& a, const std::vector<mpz_class>& constants, const std::string& where) {
    const std::uint32_t n = a.getRowCount();
    const Rows rows(a);
    const IntegerRows matrix(rows.pointers.data(), n);
    Matrix<Bruch> integers(n, n), b(n, 1);
    std::vector<double> constantBits(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            integers.element(i + 1, j + 1) = Bruch::fromExactParts(matrix.entry(i, j), 1);
        }
        b.element(i + 1, 1) = Bruch::fromExactParts(constants[i], 1);
        constantBits[i] = squareLog2Of(constants[i]);
    }
    FlintMatrix flintA(n, n), flintB(n, 1), det(1, 1), x(n, 1);
    toFlint(integers, flintA);
    toFlint(b, flintB);
    fmpq_mat_det(fmpq_mat_entry(det.value, 0, 0), flintA.value);
    const mpz_class determinant = exact(fmpq_mat_entry(det.value, 0, 0)).get_num();
    EXPECT_EQ(determinant, divisor_determinant::determinant(matrix, [](double) {})) << where;
    const double bits = matrix.hadamardBits(&constantBits);
    const LiftingSolver solver(matrix, bits, [](double) {});
    EXPECT_EQ(determinant == 0, solver.singular()) << where;
    if (solver.singular() || determinant == 0 || !fmpq_mat_solve_fraction_free(x.value, flintA.value, flintB.value)) {
        return -1;
    }
    const LiftingSolver::Solution solution = solver.solve(constants, bits);
    for (std::uint32_t i = 0; i < n; ++i) {
        mpq_class value(solution.numerators[i], solution.denominators[i]);
        value.canonicalize();
        EXPECT_EQ(exact(fmpq_mat_entry(x.value, i, 0)), value) << where << ", entry " << i;
        EXPECT_TRUE(mpz_divisible_p(solution.commonDenominator.get_mpz_t(), solution.denominators[i].get_mpz_t()))
            << where;
    }
    EXPECT_TRUE(mpz_divisible_p(determinant.get_mpz_t(), solution.commonDenominator.get_mpz_t())) << where;
    if (std::all_of(constants.begin(), constants.end(), [](const mpz_class& c) { return c == 0; })) {
        EXPECT_EQ(1, solution.commonDenominator) << where << ": zero constants";
    }
    return static_cast<int>(solver.primeIndex());
}

std::vector<mpz_class> randomConstants(std::mt19937_64& random, std::uint32_t n, Kind kind) {
    const Matrix<Bruch> typedConstants = randomMatrix(random, n, 1, kind);
    std::vector<mpz_class> constants(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        constants[i] = typedConstants.element(i + 1, 1).exactZaehler();
    }
    return constants;
}

// Called directly at every order (the engine takes them only where they pay): one-digit
// fractions, entries of full words and past words.
TEST(LiftingSolver, RandomMatricesOfEverySizeEqualFlint) {
    std::mt19937_64 random(31);
    for (std::uint32_t n = 1; n <= 30; ++n) {
        for (const Kind kind : {Kind::OneDigit, Kind::Words, Kind::PastWords}) {
            if (kind != Kind::OneDigit && n > 10 && n % 10 != 0) {
                continue;
            }
            expectLiftingLikeFlint(randomMatrix(random, n, n, kind), randomConstants(random, n, kind),
                                   "n = " + std::to_string(n) + ", kind " + std::to_string(static_cast<int>(kind)));
        }
    }
}

// The first primes divide the determinant: the solver must take the next one that does not.
TEST(LiftingSolver, PrimesThatDivideTheDeterminantArePassedOver) {
    std::mt19937_64 random(32);
    for (const std::uint32_t n : {3u, 7u, 20u}) {
        const std::vector<mpz_class> constants = randomConstants(random, n, Kind::OneDigit);
        EXPECT_EQ(1, expectLiftingLikeFlint(withDeterminant(random, n, {enginePrime(0)}), constants, "p0"));
        EXPECT_EQ(3,
                  expectLiftingLikeFlint(withDeterminant(random, n, {enginePrime(1), -enginePrime(0), enginePrime(2)}),
                                         constants, "p0 p1 p2"));
    }
}

// 2 * 3 * 5 * ... * 113, and a power of two past a prime's range: the divisor must take them
// all, or the quotient's primes must make up for it; with constants, and with zero ones, whose
// solution is zero over one.
TEST(LiftingSolver, DeterminantsWithManyPrimeFactors) {
    std::mt19937_64 random(33);
    std::vector<std::int64_t> smallPrimes;
    for (std::int64_t candidate = 2; smallPrimes.size() < 30; ++candidate) {
        if (prime_sequence::isPrime(static_cast<std::uint64_t>(candidate))) {
            smallPrimes.push_back(candidate);
        }
    }
    const std::vector<std::int64_t> twos(25, std::int64_t{1} << 40);
    for (const std::vector<std::int64_t>& factors : {smallPrimes, twos}) {
        expectLiftingLikeFlint(withDeterminant(random, 30, factors), randomConstants(random, 30, Kind::OneDigit),
                               "factors");
        expectLiftingLikeFlint(withDeterminant(random, 30, factors), std::vector<mpz_class>(30, 0), "zero constants");
    }
}

// Rank n - 1 and n - 2, with rows repeated or combined: the determinant is zero, the solver
// finds the matrix singular, and so does the engine's solve, which hands it back to the
// elimination that tells the two kinds of singular systems apart.
TEST(LiftingSolver, SingularMatricesAreProvenSingular) {
    std::mt19937_64 random(35);
    for (const std::uint32_t n : {3u, 12u, 40u}) {
        for (const std::uint32_t rank : {n - 1, n - 2}) {
            Matrix<Bruch> a = randomMatrix(random, n, n, Kind::OneDigit);
            for (std::uint32_t i = rank + 1; i <= n; ++i) {
                for (std::uint32_t j = 1; j <= n; ++j) {
                    a.element(i, j) = a.element(i - rank, j) * Bruch(-2, 3) + a.element(i - 1, j);
                }
            }
            const std::string where = "n = " + std::to_string(n) + ", rank " + std::to_string(rank);
            EXPECT_EQ(-1, expectLiftingLikeFlint(a, randomConstants(random, n, Kind::OneDigit), where));
            EXPECT_FALSE(runEngine(a, Operation::Solve).done) << where;
            EXPECT_EQ(0, runEngine(a, Operation::Determinant).result.element(1, 1).exactZaehler()) << where;
        }
    }
}

// The engine shares its primes, and the lifting solver the rows of each step, among the pool's
// threads: 1, 2 and 4 give the same values, of singular and divided matrices too. A cancel at a
// report of the calling thread stops every thread's primes before it reaches the caller, and the
// next computation is whole.
TEST(ExactFractionMatrices, EveryThreadCountGivesTheSameValues) {
    parallel::WorkerPool& pool = parallel::WorkerPool::shared();
    const unsigned before = pool.threads();
    const std::size_t stepBefore = LiftingSolver::smallestSharedStep();
    const double workBefore = PrimeWorkers::smallestSharedWork();
    LiftingSolver::smallestSharedStep() = 0;
    PrimeWorkers::smallestSharedWork() = 0;
    std::mt19937_64 random(27);
    pool.setThreads(2);
    for (const std::size_t at : {1u, 20u, 200u}) {
        EXPECT_THROW(runEngine(randomMatrix(random, 40, 40, Kind::OneDigit), Operation::Inverse, at), Cancelled) << at;
    }
    for (const unsigned threads : {1u, 2u, 4u}) {
        pool.setThreads(threads);
        const std::string where = std::to_string(threads) + " threads";
        for (const Kind kind : {Kind::OneDigit, Kind::Large, Kind::PastWords}) {
            expectLikeFlint(randomMatrix(random, 16, 16, kind), randomMatrix(random, 16, 1, kind),
                            where + ", kind " + std::to_string(static_cast<int>(kind)));
        }
        Matrix<Bruch> singular = randomMatrix(random, 12, 12, Kind::OneDigit);
        dependentRow(singular, 12, 5, random);
        expectEngineLikeFlint(singular, where + ", rank n - 1");
        expectEngineLikeFlint(withDeterminant(random, 10, {enginePrime(0), enginePrime(2)}), where + ", divided");
        expectLiftingLikeFlint(randomMatrix(random, 24, 24, Kind::OneDigit),
                               randomConstants(random, 24, Kind::OneDigit), where + ", lifting");
    }
    pool.setThreads(before);
    LiftingSolver::smallestSharedStep() = stepBefore;
    PrimeWorkers::smallestSharedWork() = workBefore;
}

// The reports rise from 0 to 1 in small steps, with no prime counted that is not used: the
// inverse of long fractions, the adjugate of a singular matrix, and the determinant and solution
// of a 60 x 60 matrix, long enough for the divisor and the lifting to report often.
TEST(ExactEngine, ProgressRisesEvenlyToOne) {
    const OneThread oneThread;
    std::mt19937_64 random(36);
    Matrix<Bruch> longFractions(12, 12);
    for (std::uint32_t k = 0; k < 144; ++k) {
        longFractions.element(k / 12 + 1, k % 12 + 1) =
            typed(std::to_string(random() % 100000000) + "1234567890123/" + std::to_string(1 + random() % 100000000) +
                  "9876543210987");
    }
    Matrix<Bruch> singular = randomMatrix(random, 30, 30, Kind::OneDigit);
    dependentRow(singular, 30, 29, random);
    const Matrix<Bruch> large = randomMatrix(random, 60, 60, Kind::OneDigit);
    for (const auto& [m, operation] : {std::pair{longFractions, Operation::Inverse},
                                       {singular, Operation::Adjugate},
                                       {large, Operation::Determinant},
                                       {large, Operation::Solve}}) {
        const std::vector<double> reports = runEngine(m, operation).reports;
        ASSERT_LT(m.getRowCount() == 60 ? 100u : 0u, reports.size()) << static_cast<int>(operation);
        EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
        EXPECT_EQ(1.0, reports.back()) << static_cast<int>(operation);
        double largestStep = reports.front();
        for (std::size_t k = 1; k < reports.size(); ++k) {
            largestStep = std::max(largestStep, reports[k] - reports[k - 1]);
        }
        EXPECT_LT(largestStep, 0.1) << static_cast<int>(operation);
    }
}

// GMP's allocations while it is installed: the most bytes held at once beyond those held before.
class GmpPeak {
public:
    GmpPeak() {
        mp_get_memory_functions(&allocate, &reallocate, &release);
        held = 0;
        most = 0;
        mp_set_memory_functions(trackAllocate, trackReallocate, trackRelease);
    }
    ~GmpPeak() { mp_set_memory_functions(allocate, reallocate, release); }
    GmpPeak(const GmpPeak&) = delete;
    GmpPeak& operator=(const GmpPeak&) = delete;
    static std::int64_t peak() { return most; }

private:
    static void count(std::int64_t bytes) {
        held += bytes;
        most = std::max(most, held);
    }
    static void* trackAllocate(std::size_t bytes) {
        count(static_cast<std::int64_t>(bytes));
        return allocate(bytes);
    }
    static void* trackReallocate(void* block, std::size_t old, std::size_t bytes) {
        count(static_cast<std::int64_t>(bytes) - static_cast<std::int64_t>(old));
        return reallocate(block, old, bytes);
    }
    static void trackRelease(void* block, std::size_t bytes) {
        count(-static_cast<std::int64_t>(bytes));
        release(block, bytes);
    }
    static inline void* (*allocate)(std::size_t) = nullptr;
    static inline void* (*reallocate)(void*, std::size_t, std::size_t) = nullptr;
    static inline void (*release)(void*, std::size_t) = nullptr;
    static inline std::int64_t held = 0;
    static inline std::int64_t most = 0;
};

// The inverse of a 3 x 3 matrix of fractions with 600-digit numerators and denominators, whose
// modulus takes hundreds of primes: the numbers held at once stay within a few times the result,
// where one weight as long as the modulus per prime came to forty times it.
TEST(ExactEngine, MemoryOfALongInverseStaysWithinAFewTimesItsResult) {
    std::mt19937_64 random(37);
    const auto number = [&random] {
        std::string text = std::to_string(1 + random() % 9);
        while (text.size() < 600) {
            text += std::to_string(random() % 10);
        }
        return text;
    };
    Matrix<Bruch> a(3, 3);
    for (std::uint32_t k = 0; k < 9; ++k) {
        a.element(k / 3 + 1, k % 3 + 1) = typed(number() + "/" + number());
    }
    std::int64_t peak = 0;
    const EngineRun run = [&a, &peak] {
        const GmpPeak tracking;
        EngineRun inverse = runEngine(a, Operation::Inverse);
        peak = GmpPeak::peak();
        return inverse;
    }();
    std::int64_t resultBytes = 0;
    for (std::uint32_t k = 0; k < 9; ++k) {
        const Bruch& value = run.result.element(k / 3 + 1, k % 3 + 1);
        resultBytes += static_cast<std::int64_t>(bignumber::bytesOf(value.exactZaehler()) +
                                                 bignumber::bytesOf(value.exactNenner()));
    }
    FlintMatrix flintA(3, 3), inverse(3, 3);
    toFlint(a, flintA);
    ASSERT_TRUE(fmpq_mat_inv(inverse.value, flintA.value));
    EXPECT_TRUE(equalsFlint(run.result, inverse.value));
    EXPECT_LT(peak, 4 * resultBytes) << "result " << resultBytes << " bytes";
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
