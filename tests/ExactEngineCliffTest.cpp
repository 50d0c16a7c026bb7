// The exact engine's inverse and adjugate where matrices used to fall to the literal algorithm
// (a determinant that its first primes divide, those primes in the denominators, entries at the
// 64-bit limits, singular matrices, fractions typed unreduced), each computed by the engine itself
// and the same value as FLINT's; and what a long inverse costs in memory and shows as progress.
#include <gmp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FlintReference.h"
#include "exact/ExactMatrixEngine.h"
#include "exact/PrimeSequence.h"
#include "parallel/WorkerPool.h"

namespace {

Bruch typed(const std::string& text) {
    Bruch value;
    std::istringstream(text) >> value;
    return value;
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

// The engine's adjugate, or inverse, of m, with the reports of its progress.
struct EngineRun {
    Matrix<Bruch> result;
    bool singular = false;
    std::vector<double> reports;
};

struct Cancelled {};

// cancelAt: the report at which the progress throws, as a cancel does; 0 for none.
EngineRun runEngine(const Matrix<Bruch>& m, bool inverse, std::size_t cancelAt = 0) {
    const std::uint32_t n = m.getRowCount();
    std::vector<std::vector<Bruch>> entries(n, std::vector<Bruch>(n)), values(n, std::vector<Bruch>(n));
    std::vector<const Bruch*> rows(n);
    std::vector<Bruch*> result(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            entries[i][j] = m.element(i + 1, j + 1);
        }
        rows[i] = entries[i].data();
        result[i] = values[i].data();
    }
    EngineRun run{Matrix<Bruch>(n, n), false, {}};
    const exact_matrix::Progress progress = [&run, cancelAt](double fraction) {
        run.reports.push_back(fraction);
        if (run.reports.size() == cancelAt) {
            throw Cancelled();
        }
    };
    if (inverse) {
        run.singular =
            exact_matrix::inverse(rows.data(), n, result.data(), progress) == exact_matrix::Outcome::Singular;
    } else {
        exact_matrix::adjugate(rows.data(), n, result.data(), progress);
    }
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            run.result.element(i + 1, j + 1) = values[i][j];
        }
    }
    return run;
}

// FLINT has no adjugate: the determinant times the inverse, or, of a singular matrix, each
// cofactor as the determinant of its minor.
void flintAdjugate(const FlintMatrix& a, std::uint32_t n, FlintMatrix& adjugate) {
    FlintMatrix det(1, 1);
    fmpq* const value = fmpq_mat_entry(det.value, 0, 0);
    fmpq_mat_det(value, a.value);
    if (!fmpq_is_zero(value)) {
        fmpq_mat_inv(adjugate.value, a.value);
        fmpq_mat_scalar_mul_fmpz(adjugate.value, adjugate.value, fmpq_numref(value));
        fmpq_mat_scalar_div_fmpz(adjugate.value, adjugate.value, fmpq_denref(value));
        return;
    }
    FlintMatrix minor(n - 1, n - 1);
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            for (std::uint32_t r = 0; r + 1 < n; ++r) {
                for (std::uint32_t c = 0; c + 1 < n; ++c) {
                    fmpq_set(fmpq_mat_entry(minor.value, r, c),
                             fmpq_mat_entry(a.value, r < j ? r : r + 1, c < i ? c : c + 1));
                }
            }
            fmpq* const cofactor = fmpq_mat_entry(adjugate.value, i, j);
            fmpq_mat_det(cofactor, minor.value);
            if ((i + j) % 2 == 1) {
                fmpq_neg(cofactor, cofactor);
            }
        }
    }
}

void expectEngineLikeFlint(const Matrix<Bruch>& a, const std::string& where) {
    const std::uint32_t n = a.getRowCount();
    FlintMatrix flintA(n, n), adjugate(n, n), inverse(n, n);
    toFlint(a, flintA);
    flintAdjugate(flintA, n, adjugate);
    EXPECT_TRUE(equalsFlint(runEngine(a, false).result, adjugate.value)) << where << ": adjugate";
    const EngineRun engineInverse = runEngine(a, true);
    EXPECT_EQ(!fmpq_mat_inv(inverse.value, flintA.value), engineInverse.singular) << where;
    if (!engineInverse.singular) {
        EXPECT_TRUE(equalsFlint(engineInverse.result, inverse.value)) << where << ": inverse";
    }
    // A system with it: the engine solves it whatever primes divide the determinant, and proves
    // a singular one so.
    std::vector<std::vector<Bruch>> entries(n, std::vector<Bruch>(n));
    std::vector<const Bruch*> rows(n);
    std::vector<Bruch> constants(n), solution(n);
    Matrix<Bruch> x(n, 1), b(n, 1);
    FlintMatrix flintB(n, 1), flintX(n, 1);
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            entries[i][j] = a.element(i + 1, j + 1);
        }
        rows[i] = entries[i].data();
        constants[i] = Bruch(static_cast<std::int64_t>(i % 5) - 2, 3);
        b.element(i + 1, 1) = constants[i];
    }
    toFlint(b, flintB);
    const bool solved = fmpq_mat_solve_fraction_free(flintX.value, flintA.value, flintB.value) != 0;
    const exact_matrix::Outcome outcome =
        exact_matrix::solve(rows.data(), n, constants.data(), solution.data(), [](double) {});
    ASSERT_EQ(solved ? exact_matrix::Outcome::Done : exact_matrix::Outcome::Singular, outcome) << where << ": solve";
    for (std::uint32_t i = 0; solved && i < n; ++i) {
        x.element(i + 1, 1) = solution[i];
    }
    EXPECT_TRUE(!solved || equalsFlint(x, flintX.value)) << where << ": solve";
}

std::int64_t enginePrime(std::size_t index) {
    return static_cast<std::int64_t>(prime_sequence::at(index));
}

Matrix<Bruch> digits(std::mt19937_64& random, std::uint32_t n) {
    Matrix<Bruch> m(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            m.element(i, j) =
                Bruch(static_cast<std::int64_t>(random() % 19) - 9, static_cast<std::int64_t>(random() % 9) + 1);
        }
    }
    return m;
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

TEST(ExactEngineCliffs, DeterminantsThatItsFirstPrimesDivide) {
    std::mt19937_64 random(31);
    for (const std::vector<std::int64_t>& factors :
         {std::vector{enginePrime(0)}, {enginePrime(0), enginePrime(1), -enginePrime(2)}, {5, enginePrime(0), 7}}) {
        for (const std::uint32_t n : {4u, 9u}) {
            expectEngineLikeFlint(withDeterminant(random, n, factors), "factors " + std::to_string(factors.size()));
        }
    }
}

TEST(ExactEngineCliffs, ItsPrimesInTheDenominators) {
    std::mt19937_64 random(32);
    Matrix<Bruch> a = digits(random, 8);
    for (std::uint32_t i = 1; i <= 8; ++i) {
        a.element(i, 1 + i % 3) = Bruch(static_cast<std::int64_t>(random() % 9) + 1, enginePrime(i % 2));
        a.element(i, 5) = Bruch(1, enginePrime(0));
        // long multipliers, whose residues come from the fractions but where the prime divides them
        for (const std::uint32_t j : {6 + i % 3, 6 + (i + 1) % 3}) {
            a.element(i, j) = Bruch(1, static_cast<std::int64_t>(random() >> 1) | 1);
        }
    }
    expectEngineLikeFlint(a, "primes in denominators");
}

TEST(ExactEngineCliffs, EntriesAtTheLimitsOf64Bits) {
    const std::int64_t limits[] = {INT64_MAX, INT64_MIN, INT64_MIN + 1, INT64_MAX - 1, 1, -1, 0};
    std::mt19937_64 random(33);
    Matrix<Bruch> a(7, 7);
    for (std::uint32_t i = 1; i <= 7; ++i) {
        for (std::uint32_t j = 1; j <= 7; ++j) {
            a.element(i, j) =
                Bruch(limits[random() % 7], random() % 3 == 0 ? INT64_MAX - 1 : (random() % 2 == 0 ? INT64_MAX : 1));
        }
    }
    expectEngineLikeFlint(a, "64-bit limits");
}

// Rank n - 1 (a dependent row, a zero row, long entries whose kernel takes several primes) and
// rank n - 2, whose adjugate is zero.
TEST(ExactEngineCliffs, SingularMatrices) {
    std::mt19937_64 random(34);
    Matrix<Bruch> rankOneShort = digits(random, 7);
    dependentRow(rankOneShort, 7, 4, random);
    expectEngineLikeFlint(rankOneShort, "rank n - 1");
    Matrix<Bruch> zeroRow = digits(random, 5);
    for (std::uint32_t j = 1; j <= 5; ++j) {
        zeroRow.element(3, j) = Bruch();
    }
    expectEngineLikeFlint(zeroRow, "zero row");
    Matrix<Bruch> longEntries(6, 6);
    for (std::uint32_t i = 1; i <= 6; ++i) {
        for (std::uint32_t j = 1; j <= 6; ++j) {
            longEntries.element(i, j) = typed(std::to_string(random() % 1000000) + "12345678901234567890123/" +
                                              std::to_string(1 + random() % 1000) + "98765432109876543210");
        }
    }
    dependentRow(longEntries, 2, 1, random);
    expectEngineLikeFlint(longEntries, "rank n - 1, long entries");
    Matrix<Bruch> rankTwoShort = digits(random, 7);
    dependentRow(rankTwoShort, 6, 3, random);
    dependentRow(rankTwoShort, 7, 3, random);
    expectEngineLikeFlint(rankTwoShort, "rank n - 2");
}

// Primes shared among threads where each serves the kernels, or is passed over: the same values
// with 1, 2 and 4 threads, also after cancelled runs.
TEST(ExactEngineCliffs, SingularAndDividedOnEveryThreadCount) {
    parallel::WorkerPool& pool = parallel::WorkerPool::shared();
    const unsigned before = pool.threads();
    std::mt19937_64 random(36);
    // A cancel at a report of the calling thread stops every thread's primes before it reaches
    // the caller, and the next computation is whole.
    pool.setThreads(2);
    for (const std::size_t at : {1u, 20u, 200u}) {
        EXPECT_THROW(runEngine(digits(random, 40), true, at), Cancelled) << at;
    }
    for (const unsigned threads : {1u, 2u, 4u}) {
        pool.setThreads(threads);
        Matrix<Bruch> singular = digits(random, 12);
        dependentRow(singular, 12, 5, random);
        expectEngineLikeFlint(singular, std::to_string(threads) + " threads, rank n - 1");
        expectEngineLikeFlint(withDeterminant(random, 10, {enginePrime(0), enginePrime(2)}),
                              std::to_string(threads) + " threads, divided");
    }
    pool.setThreads(before);
}

// (a k) / (b k) with k of 25 digits is a / b: the same multipliers, the same primes, and so the
// very same reports of progress as the matrix typed reduced.
TEST(ExactEngineCliffs, FractionsTypedUnreducedTakeTheWorkOfTheirReducedForm) {
    const OneThread oneThread;
    std::mt19937_64 random(35);
    const Matrix<Bruch> reduced = digits(random, 9);
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
    for (const bool inverse : {true, false}) {
        const EngineRun typedRun = runEngine(unreduced, inverse);
        const EngineRun reducedRun = runEngine(reduced, inverse);
        EXPECT_EQ(reducedRun.reports, typedRun.reports) << (inverse ? "inverse" : "adjugate");
    }
}

// The reports rise from 0 to 1 in small steps, with no prime counted that is not used: the
// inverse of long fractions, and the adjugate of a singular matrix.
TEST(ExactEngine, ProgressRisesEvenlyToOne) {
    const OneThread oneThread;
    std::mt19937_64 random(36);
    Matrix<Bruch> longFractions(12, 12);
    for (std::uint32_t i = 1; i <= 12; ++i) {
        for (std::uint32_t j = 1; j <= 12; ++j) {
            longFractions.element(i, j) = typed(std::to_string(random() % 100000000) + "1234567890123/" +
                                                std::to_string(1 + random() % 100000000) + "9876543210987");
        }
    }
    Matrix<Bruch> singular = digits(random, 30);
    dependentRow(singular, 30, 29, random);
    for (const auto& [m, inverse] : {std::pair{longFractions, true}, {singular, false}}) {
        const std::vector<double> reports = runEngine(m, inverse).reports;
        ASSERT_FALSE(reports.empty());
        EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
        EXPECT_EQ(1.0, reports.back());
        double largestStep = reports.front();
        for (std::size_t k = 1; k < reports.size(); ++k) {
            largestStep = std::max(largestStep, reports[k] - reports[k - 1]);
        }
        EXPECT_LT(largestStep, 0.1) << (inverse ? "inverse" : "adjugate");
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
    for (std::uint32_t i = 1; i <= 3; ++i) {
        for (std::uint32_t j = 1; j <= 3; ++j) {
            a.element(i, j) = typed(number() + "/" + number());
        }
    }
    std::int64_t peak = 0;
    const EngineRun run = [&a, &peak] {
        const GmpPeak tracking;
        EngineRun inverse = runEngine(a, true);
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

}  // namespace
