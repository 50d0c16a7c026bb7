#include "exact/ExactMatrixEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "exact/DivisorDeterminant.h"
#include "exact/IntegerRows.h"
#include "exact/LiftingSolver.h"
#include "exact/ModularElimination.h"
#include "exact/PrimeSequence.h"
#include "exact/PrimeWorkers.h"
#include "exact/ResidueCombiner.h"
#include "exact/SingularAdjugate.h"
#include "exact/WordPrime.h"
#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"
#include "number/BigNumberMemory.h"
#include "number/Bruch.h"

using bignumber::BigInteger;

namespace exact_matrix {

namespace {

using Images = std::vector<std::vector<std::uint64_t>>;
using Poll = std::function<void()>;

// The share of the work before the results are put together, for the progress shown, where
// nothing better is known.
constexpr double usualResidueShare = 0.9;

void reserveOrRefuse(std::size_t bytes) {
    if (!StorageLimit::reserve(bytes)) {
        throw StorageRefused();
    }
}

// Primes gathered until their product exceeds 2^bits.
class PrimeRun {
public:
    explicit PrimeRun(double bits) : needed(bits) {}
    bool complete() const { return covered > needed; }
    void add(std::uint64_t prime) {
        primes.push_back(prime);
        covered += std::log2(static_cast<double>(prime)) - 1e-9;
    }
    const std::vector<std::uint64_t>& list() const { return primes; }
    // How many primes a bound of this many bits takes, for the progress.
    static double expectedCount(double bits) { return std::ceil(bits / 61.9); }

private:
    double needed;
    double covered = 0.0;
    std::vector<std::uint64_t> primes;
};

// `count` blocks of `words` words, within the storage check: the working memory of each thread,
// or the results of a round of primes.
Images newImages(std::size_t count, std::size_t words) {
    reserveOrRefuse(count * words * sizeof(std::uint64_t));
    return Images(count, std::vector<std::uint64_t>(words));
}

// How many primes of the sequence a run of `bits` takes.
std::size_t primesFor(double bits) {
    PrimeRun run(bits);
    while (!run.complete()) {
        run.add(prime_sequence::at(run.list().size()));
    }
    return run.list().size();
}

// Keeps the determinant's residue modulo one more prime while its run still needs primes, and
// puts the determinant together once the run is complete; true when it then turns out zero.
bool addDeterminantResidue(PrimeRun& run, Images& residues, const WordPrime& prime, std::uint64_t residue,
                           const PrimeWorkers& workers, BigInteger& determinantValue) {
    if (run.complete()) {
        return false;
    }
    run.add(prime.value());
    residues.push_back({residue});
    if (!run.complete()) {
        return false;
    }
    determinantValue = ResidueCombiner(run.list(), workers.pollOnly()).combine(residues, 0);
    return determinantValue == 0;
}

// A determinant within one prime's range, of rows whose multipliers fit a word together: the
// common case of small matrices, where the general path would spend more time on its big
// numbers than on the elimination.
Bruch smallDeterminant(const IntegerRows& matrix, std::int64_t scaleProduct, PrimeWorkers& workers) {
    const std::size_t n = matrix.order();
    const WordPrime prime(prime_sequence::at(0));
    std::vector<std::uint64_t> work = newImages(1, n * n)[0];
    std::uint64_t residue = 0;
    workers.run(0, 1, [&](std::size_t, unsigned, const modular_elimination::Poll& steps, const Poll& poll) {
        matrix.residues(prime, work.data(), poll);
        residue = modular_elimination::determinant(work.data(), n, prime, steps);
    });
    // |determinant| < p / 2, so the residue above p / 2 stands for a negative one.
    const std::int64_t value = residue > prime.value() / 2 ? -static_cast<std::int64_t>(prime.value() - residue)
                                                           : static_cast<std::int64_t>(residue);
    return {value, scaleProduct};
}

// Work in modular products: a prime takes an elimination (n^3 / 3) and the residues of the
// entries; p-adic lifting takes one such factoring and, per digit, a solve with the factors and
// n^2 products of an entry with a word, a long entry's at about 1.5 per word. With the rebuilding
// of the fractions, a digit comes to about 4.5 products per entry besides, measured.
bool liftingPays(const IntegerRows& matrix, double primes, double digits) {
    const auto n = static_cast<double>(matrix.order());
    const double factoring = n * n * n / 3.0;
    const double words = matrix.wordEntries() != nullptr ? 0.0 : std::max(1.0, matrix.averageEntryWords());
    const double step = n * n * (4.5 + 1.5 * words);
    return primes >= 2.0 && factoring + digits * step < primes * (factoring + n * n * matrix.residueWork());
}

}  // namespace

Bruch determinant(const Bruch* const* rows, std::size_t n, const Progress& progress) {
    const IntegerRows matrix(rows, n);
    if (matrix.hasZeroRow()) {
        return {};
    }
    const double bits = matrix.hadamardBits() + 2.0;
    const std::size_t primes = primesFor(bits);
    PrimeWorkers workers(progress, static_cast<double>(primes), n, usualResidueShare, matrix.residuesOnAnyThread());
    std::int64_t scaleProduct = 0;
    if (primes == 1 && matrix.scaleProductInWord(scaleProduct)) {
        return smallDeterminant(matrix, scaleProduct, workers);
    }
    if (liftingPays(matrix, static_cast<double>(primes), 2.0 * static_cast<double>(primes) + 1.0)) {
        return Bruch::fromExactParts(divisor_determinant::determinant(matrix, progress), matrix.scaleProduct());
    }
    Images work = newImages(workers.threads(), n * n);
    Images residues = newImages(primes, 1);
    workers.run(0, primes,
                [&](std::size_t t, unsigned thread, const modular_elimination::Poll& steps, const Poll& poll) {
                    const WordPrime prime(prime_sequence::at(t));
                    matrix.residues(prime, work[thread].data(), poll);
                    residues[t][0] = modular_elimination::determinant(work[thread].data(), n, prime, steps);
                });
    std::vector<std::uint64_t> list(primes);
    for (std::size_t t = 0; t < primes; ++t) {
        list[t] = prime_sequence::at(t);
    }
    return Bruch::fromExactParts(ResidueCombiner(list, workers.pollOnly()).combine(residues, 0), matrix.scaleProduct());
}

namespace {

// The inverse and the adjugate are both the integer matrix's adjugate with its columns scaled:
// A^-1 = adj(A) S / det(A), and adj(S^-1 A) = det(S^-1 A) (S^-1 A)^-1 = adj(A) S / det(S).
enum class AdjugateUse { Inverse, Adjugate };

// The share of the primes in the work of an inverse or adjugate, so that its progress rises
// evenly: per prime an elimination (n^3 words) and the residues of n^2 entries of `entryWords`
// words, against, per entry of the result, a combination and a reduced fraction of numbers of
// about `primes` words, which GMP's greatest common divisor dominates at some k log^2 k. The
// weights are nanoseconds measured on one machine; only their ratios matter.
double adjugateResidueShare(std::size_t n, std::size_t primes, std::size_t entryWords) {
    const auto order = static_cast<double>(n);
    const auto k = static_cast<double>(std::max<std::size_t>(primes, 2));
    const double perPrime =
        2.5 * order * order * order + order * order * (60.0 + 0.3 * static_cast<double>(entryWords));
    const double perEntry = 25.0 * k * std::log2(k) * std::log2(k);
    const double residues = k * perPrime;
    return residues / (residues + (order * order + 2.0) * perEntry);
}

// The adjugate's residues modulo one prime into `image`, and the determinant's, which is returned;
// only the determinant where an inverse has no use for the prime. `residues` and `work` are the
// thread's own.
std::uint64_t adjugateModulo(const IntegerRows& matrix, const WordPrime& prime, AdjugateUse use,
                             std::vector<std::uint64_t>& residues, std::vector<std::uint64_t>& work,
                             std::vector<std::uint64_t>& image, const modular_elimination::Poll& steps,
                             const Poll& poll) {
    const std::size_t n = matrix.order();
    matrix.residues(prime, residues.data(), poll);
    std::copy(residues.begin(), residues.end(), work.begin());
    const std::uint64_t determinant = modular_elimination::invert(work.data(), n, prime, steps);
    if (determinant == 0) {
        if (use == AdjugateUse::Adjugate) {
            singularAdjugate(residues.data(), n, prime, image.data(), steps);
        }
        return 0;
    }
    const WordPrime::Factor factor = prime.prepare(determinant);
    for (std::size_t k = 0; k < n * n; ++k) {
        image[k] = prime.multiply(work[k], factor);
    }
    return determinant;
}

// The residues of the integer matrix's adjugate, and of its determinant, modulo primes whose
// product passes the bound of every minor. Any prime serves the adjugate: where it divides the
// determinant, the adjugate's residues come from the kernels (SingularAdjugate). The inverse
// skips such a prime, which is cheaper than that, and is proven singular when the primes skipped
// pass the bound themselves, since their product divides the determinant.
Outcome adjugateResidues(const IntegerRows& matrix, AdjugateUse use, double bits, PrimeWorkers& workers, PrimeRun& run,
                         Images& determinants, Images& adjugates) {
    const std::size_t n = matrix.order();
    const std::size_t needed = primesFor(bits);
    PrimeRun skipped(bits);
    if (use == AdjugateUse::Adjugate) {
        reserveOrRefuse(workers.threads() * singularAdjugateBytes(n));
    }
    Images residues = newImages(workers.threads(), n * n);
    Images work = newImages(workers.threads(), n * n);
    for (std::size_t first = 0; !run.complete();) {
        const std::size_t count = std::max<std::size_t>(needed - std::min(needed, run.list().size()), 1);
        std::vector<std::uint64_t> roundDeterminants(count);
        Images images = newImages(count, n * n);
        workers.run(first, count,
                    [&](std::size_t t, unsigned thread, const modular_elimination::Poll& steps, const Poll& poll) {
                        roundDeterminants[t - first] =
                            adjugateModulo(matrix, WordPrime(prime_sequence::at(t)), use, residues[thread],
                                           work[thread], images[t - first], steps, poll);
                    });
        for (std::size_t k = 0; k < count; ++k) {
            const std::uint64_t prime = prime_sequence::at(first + k);
            if (roundDeterminants[k] == 0 && use == AdjugateUse::Inverse) {
                skipped.add(prime);
                if (skipped.complete()) {
                    return Outcome::Singular;
                }
                workers.expectOneMorePrime();
                continue;
            }
            run.add(prime);
            determinants.push_back({roundDeterminants[k]});
            adjugates.push_back(std::move(images[k]));
        }
        first += count;
    }
    return Outcome::Done;
}

// The divisors of the result's columns, and the factors of their entries: the inverse's column j
// is adj(A) column j times s_j over det(A); the adjugate's is adj(A) column j over the product of
// the other multipliers, s_j cancelled beforehand, which spares the numbers a row's length.
void columnScaling(const IntegerRows& matrix, AdjugateUse use, const BigInteger& determinantValue,
                   std::vector<BigInteger>& factors, std::vector<BigInteger>& divisors) {
    const std::size_t n = matrix.order();
    factors = matrix.scales();
    divisors.assign(n, determinantValue);
    if (use == AdjugateUse::Inverse) {
        return;
    }
    // Products of the multipliers before and after each column, so that each divisor takes two.
    std::vector<BigInteger> after(n + 1, BigInteger(1));
    for (std::size_t j = n; j-- > 0;) {
        bignumber::requireBytes(
            bignumber::bytesForArithmetic(bignumber::bytesOf(after[j + 1]) + bignumber::bytesOf(factors[j])));
        after[j] = after[j + 1] * factors[j];
    }
    BigInteger before = 1;
    for (std::size_t j = 0; j < n; ++j) {
        bignumber::requireBytes(
            bignumber::bytesForArithmetic(bignumber::bytesOf(before) + bignumber::bytesOf(after[j + 1])));
        divisors[j] = before * after[j + 1];
        before *= factors[j];
        factors[j] = 1;
    }
}

// Each entry is combined, scaled and reduced in one go, so that only the fractions of the result
// are kept, besides the residues.
Outcome scaledAdjugate(const Bruch* const* rows, std::size_t n, Bruch* const* result, const Progress& progress,
                       AdjugateUse use) {
    const IntegerRows matrix(rows, n);
    if (use == AdjugateUse::Inverse && matrix.hasZeroRow()) {
        return Outcome::Singular;
    }
    const double bits = matrix.hadamardBits() + 2.0;
    const std::size_t primes = primesFor(bits);
    PrimeWorkers workers(progress, static_cast<double>(primes), n,
                         adjugateResidueShare(n, primes, matrix.longestEntryWords()), matrix.residuesOnAnyThread());
    PrimeRun run(bits);
    Images determinants;
    Images adjugates;
    if (adjugateResidues(matrix, use, bits, workers, run, determinants, adjugates) == Outcome::Singular) {
        return Outcome::Singular;
    }
    const ResidueCombiner combiner(run.list(), workers.pollOnly());
    std::vector<BigInteger> factors;
    std::vector<BigInteger> divisors;
    const BigInteger determinantValue = use == AdjugateUse::Inverse ? combiner.combine(determinants, 0) : BigInteger(1);
    columnScaling(matrix, use, determinantValue, factors, divisors);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            BigInteger value = combiner.combine(adjugates, i * n + j);
            bignumber::requireBytes(
                bignumber::bytesForArithmetic(bignumber::bytesOf(value) + bignumber::bytesOf(factors[j])));
            value *= factors[j];
            result[i][j] = Bruch::fromExactParts(value, divisors[j]);
            workers.resultEntry(0, 1, static_cast<double>(i * n + j + 1), static_cast<double>(n * n));
        }
    }
    return Outcome::Done;
}

}  // namespace

Outcome inverse(const Bruch* const* rows, std::size_t n, Bruch* const* result, const Progress& progress) {
    return scaledAdjugate(rows, n, result, progress, AdjugateUse::Inverse);
}

void adjugate(const Bruch* const* rows, std::size_t n, Bruch* const* result, const Progress& progress) {
    scaledAdjugate(rows, n, result, progress, AdjugateUse::Adjugate);
}

namespace {

// x = A^-1 B / c, by p-adic lifting.
Outcome liftedSolve(const IntegerRows& matrix, const std::vector<BigInteger>& numerators, const BigInteger& common,
                    const std::vector<double>& extraColumn, Bruch* solution, const Progress& progress) {
    const double numeratorBits = matrix.hadamardBits(&extraColumn);
    const LiftingSolver solver(matrix, numeratorBits, progress);
    if (solver.singular()) {
        return Outcome::Singular;
    }
    const LiftingSolver::Solution lifted = solver.solve(numerators, numeratorBits);
    for (std::size_t i = 0; i < matrix.order(); ++i) {
        solution[i] = Bruch::fromExactParts(lifted.numerators[i], lifted.denominators[i] * common);
    }
    return Outcome::Done;
}

// The residues of A x = B modulo one prime: the determinant's, returned, and, where it is not
// zero, those of det(A) x = adj(A) B in `values`; `work` is the thread's own.
std::uint64_t solveModulo(const IntegerRows& matrix, const std::vector<BigInteger>& numerators, const WordPrime& prime,
                          std::vector<std::uint64_t>& work, std::vector<std::uint64_t>& values,
                          const modular_elimination::Poll& steps, const Poll& poll) {
    const std::size_t n = matrix.order();
    matrix.residues(prime, work.data(), poll);
    for (std::size_t i = 0; i < n; ++i) {
        values[i] = bignumber::residueOf(numerators[i], prime.value());
    }
    const std::uint64_t residue = modular_elimination::solve(work.data(), values.data(), n, prime, steps);
    if (residue != 0) {
        const WordPrime::Factor factor = prime.prepare(residue);
        for (std::size_t i = 0; i < n; ++i) {
            values[i] = prime.multiply(values[i], factor);
        }
    }
    return residue;
}

// x = adj(A) B / (c det A), both by their residues modulo primes whose product passes `bits`.
Outcome modularSolve(const IntegerRows& matrix, const std::vector<BigInteger>& numerators, const BigInteger& common,
                     double bits, Bruch* solution, const Progress& progress) {
    const std::size_t n = matrix.order();
    const std::size_t needed = primesFor(bits);
    PrimeWorkers workers(progress, static_cast<double>(needed), n, usualResidueShare, matrix.residuesOnAnyThread());
    PrimeRun determinantRun(bits);
    PrimeRun numeratorRun(bits);
    Images determinants;
    Images images;
    BigInteger determinantValue;
    Images work = newImages(workers.threads(), n * n);
    for (std::size_t first = 0; !determinantRun.complete() || !numeratorRun.complete();) {
        const std::size_t count = std::max<std::size_t>(needed - std::min(needed, numeratorRun.list().size()), 1);
        std::vector<std::uint64_t> residues(count);
        Images values = newImages(count, n);
        workers.run(first, count,
                    [&](std::size_t t, unsigned thread, const modular_elimination::Poll& steps, const Poll& poll) {
                        residues[t - first] = solveModulo(matrix, numerators, WordPrime(prime_sequence::at(t)),
                                                          work[thread], values[t - first], steps, poll);
                    });
        for (std::size_t k = 0; k < count; ++k) {
            const WordPrime prime(prime_sequence::at(first + k));
            if (addDeterminantResidue(determinantRun, determinants, prime, residues[k], workers, determinantValue)) {
                return Outcome::Singular;
            }
            if (residues[k] != 0 && !numeratorRun.complete()) {
                numeratorRun.add(prime.value());
                images.push_back(std::move(values[k]));
            }
        }
        first += count;
    }
    const ResidueCombiner combiner(numeratorRun.list(), workers.pollOnly());
    const BigInteger denominator = common * determinantValue;
    for (std::size_t i = 0; i < n; ++i) {
        solution[i] = Bruch::fromExactParts(combiner.combine(images, i), denominator);
        workers.resultEntry(0, 1, static_cast<double>(i + 1), static_cast<double>(n));
    }
    return Outcome::Done;
}

}  // namespace

// S^-1 A x = b becomes A x = S b = B / c with B integer, so x = adj(A) B / (c det A), whose
// numerators are Cramer's determinants: bounded, like det A, by the rows of A with B beside.
Outcome solve(const Bruch* const* rows, std::size_t n, const Bruch* constants, Bruch* solution,
              const Progress& progress) {
    const IntegerRows matrix(rows, n);
    if (matrix.hasZeroRow()) {
        return Outcome::Singular;
    }
    const std::vector<BigInteger> scales = matrix.scales();
    std::vector<BigInteger> numerators(n);
    std::vector<BigInteger> denominators(n);
    BigInteger common = 1;
    for (std::size_t i = 0; i < n; ++i) {
        const bignumber::BigRational value =
            bignumber::rationalOf(constants[i].exactZaehler() * scales[i], constants[i].exactNenner());
        numerators[i] = bignumber::numeratorOf(value);
        denominators[i] = bignumber::denominatorOf(value);
        common = common / bignumber::gcdOf(common, denominators[i]) * denominators[i];
    }
    std::vector<double> extraColumn(n);
    for (std::size_t i = 0; i < n; ++i) {
        numerators[i] *= common / denominators[i];
        extraColumn[i] = squareLog2Of(numerators[i]);
    }
    const double bits = matrix.hadamardBits(&extraColumn) + 2.0;
    if (liftingPays(matrix, PrimeRun::expectedCount(bits),
                    PrimeRun::expectedCount(bits + matrix.hadamardBits()) + 1.0)) {
        return liftedSolve(matrix, numerators, common, extraColumn, solution, progress);
    }
    return modularSolve(matrix, numerators, common, bits, solution, progress);
}

}  // namespace exact_matrix
