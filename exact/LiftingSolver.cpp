#include "exact/LiftingSolver.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <utility>

#include "exact/IntegerRows.h"
#include "exact/LiftingResidual.h"
#include "exact/PrimeSequence.h"
#include "exact/RationalReconstruction.h"
#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"
#include "parallel/WorkerPool.h"

using bignumber::BigInteger;

namespace {

// The share of the progress left for rebuilding the fractions at the end.
constexpr double reconstructionShare = 0.05;

void reserveOrRefuse(std::size_t bytes) {
    if (!StorageLimit::reserve(bytes)) {
        throw StorageRefused();
    }
}

BigInteger powerOfTwo(double bits) {
    BigInteger value = 1;
    value <<= static_cast<unsigned long>(std::max(0.0, std::ceil(bits)));
    return value;
}

BigInteger power(std::uint64_t base, std::size_t exponent) {
    BigInteger result = 1;
    BigInteger square = bignumber::integerOf(base);
    for (std::size_t rest = exponent; rest != 0; rest >>= 1) {
        if ((rest & 1) != 0) {
            result *= square;
        }
        if (rest > 1) {
            square *= square;
        }
    }
    return result;
}

// The integer with the given p-adic digits, entry `entry` of each step's n digits: halves
// joined by a power of p, so that the long products are few and balanced.
class DigitJoiner {
public:
    DigitJoiner(const std::vector<std::uint64_t>& digits, std::size_t n, std::uint64_t prime)
        : digits(digits), n(n), prime(prime) {}

    BigInteger join(std::size_t entry, std::size_t from, std::size_t to) {
        if (to - from <= 8) {
            BigInteger value = 0;
            for (std::size_t k = to; k-- > from;) {
                value *= bignumber::integerOf(prime);
                value += bignumber::integerOf(digits[k * n + entry]);
            }
            return value;
        }
        const std::size_t middle = from + (to - from) / 2;
        BigInteger high = join(entry, middle, to);
        high *= powerOfPrime(middle - from);
        high += join(entry, from, middle);
        return high;
    }

private:
    const BigInteger& powerOfPrime(std::size_t exponent) {
        auto found = powers.find(exponent);
        if (found == powers.end()) {
            found = powers.emplace(exponent, power(prime, exponent)).first;
        }
        return found->second;
    }

    const std::vector<std::uint64_t>& digits;
    std::size_t n;
    std::uint64_t prime;
    std::map<std::size_t, BigInteger> powers;
};

}  // namespace

LiftingSolver::LiftingSolver(const IntegerRows& matrix, double numeratorBits, Progress progress)
    : matrix(matrix), progress(std::move(progress)), n(matrix.order()), denominatorBits(matrix.hadamardBits()) {
    const auto order = static_cast<double>(n);
    factorWork = order * order * order / 3.0;
    // A step solves with the factors (n^2) and multiplies A by the digits (n^2 products of an
    // entry's words); a big entry's product is cheaper per word than a modular one.
    double entryWords = 1.0;
    if (matrix.wordEntries() == nullptr) {
        double squareBits = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                squareBits += std::max(0.0, matrix.squareLog2(i, j));
            }
        }
        entryWords = std::max(1.0, squareBits / (2.0 * 64.0 * order * order));
    }
    stepWork = order * order * (1.0 + 0.5 * entryWords);
    totalWork = (factorWork + stepWork * static_cast<double>(digitsFor(numeratorBits))) / (1.0 - reconstructionShare);
    double provenZeroBits = 0.0;
    std::vector<std::uint64_t> residues;
    for (std::size_t t = 0;; ++t) {
        const WordPrime prime(prime_sequence::at(t));
        reserveOrRefuse(3 * n * n * sizeof(std::uint64_t));
        residues.assign(n * n, 0);
        matrix.residues(prime, residues.data(), [this] { report(0.0); });
        const double before = factorWork * static_cast<double>(std::min<std::size_t>(t, 1));
        auto candidate = std::make_unique<ModularLU>(std::move(residues), n, prime, [&](std::size_t steps) {
            const double done = static_cast<double>(steps) / order;
            report(before + factorWork * (1.0 - (1.0 - done) * (1.0 - done) * (1.0 - done)));
        });
        if (candidate->determinant() != 0) {
            factors = std::move(candidate);
            index = t;
            return;
        }
        // Every prime that divides a non-zero determinant divides it in full: once their product
        // passes its bound, the determinant is zero.
        provenZeroBits += std::log2(static_cast<double>(prime.value())) - 1e-9;
        if (provenZeroBits > denominatorBits) {
            return;
        }
    }
}

LiftingSolver::~LiftingSolver() = default;

// Never backwards, also when a prime that divides the determinant costs a second factoring.
void LiftingSolver::report(double workDone) const {
    reported = std::max(reported, std::min(workDone / totalWork, 1.0));
    progress(reported);
}

// Each row of the product A y is its own: the rows are shared among the pool's threads where a
// step is long enough to pay for waking them, and the residual is the same on any number. Only
// while it is kept in words: big numbers are made on the calling thread alone.
void LiftingSolver::advance(LiftingResidual& residual, const std::uint64_t* digits) const {
    parallel::WorkerPool& pool = parallel::WorkerPool::shared();
    const std::size_t parts =
        residual.inWords() && n * n >= smallestSharedStep() ? std::min<std::size_t>(pool.threads(), n) : 1;
    if (parts <= 1) {
        residual.advance(0, n, digits);
        return;
    }
    pool.run(
        parts, [&](std::size_t part, unsigned) { residual.advance(part * n / parts, (part + 1) * n / parts, digits); },
        [this] { progress(reported); });
}

// Digits until p^k > 2 N D with N, D the bounds rounded up to powers of two.
std::size_t LiftingSolver::digitsFor(double numeratorBits) const {
    const double needed = std::ceil(numeratorBits) + std::ceil(denominatorBits) + 2.0;
    return static_cast<std::size_t>(std::ceil(needed / 61.99)) + 1;
}

LiftingSolver::Solution LiftingSolver::solve(const std::vector<BigInteger>& constants, double numeratorBits) const {
    const WordPrime& prime = factors->prime();
    const BigInteger numeratorBound = powerOfTwo(numeratorBits);
    const BigInteger denominatorBound = powerOfTwo(denominatorBits);
    const BigInteger neededModulus = 2 * numeratorBound * denominatorBound;
    std::size_t steps = digitsFor(numeratorBits);
    BigInteger modulus = power(prime.value(), steps);
    while (modulus <= neededModulus) {
        modulus *= bignumber::integerOf(prime.value());
        ++steps;
    }
    reserveOrRefuse((steps + 1) * n * sizeof(std::uint64_t));
    std::vector<std::uint64_t> digits(steps * n);
    LiftingResidual residual(matrix, constants, prime);
    const double before = factorWork;
    for (std::size_t k = 0; k < steps; ++k) {
        std::uint64_t* digit = digits.data() + k * n;
        residual.residues(0, n, digit);
        factors->solve(digit);
        if (k + 1 < steps) {
            advance(residual, digit);
        }
        report(before + stepWork * static_cast<double>(k + 1));
    }
    const double lifted = before + stepWork * static_cast<double>(steps);
    reserveOrRefuse(3 * n * (bignumber::bytesOf(modulus) + sizeof(BigInteger)));
    Solution solution{std::vector<BigInteger>(n), std::vector<BigInteger>(n), 1};
    DigitJoiner joiner(digits, n, prime.value());
    BigInteger& common = solution.commonDenominator;
    for (std::size_t i = 0; i < n; ++i) {
        // x[i] times the common denominator so far is mostly an integer already: its symmetric
        // residue then fits the numerator's bound, and is the only fraction that can.
        BigInteger value = joiner.join(i, 0, steps) * common % modulus;
        BigInteger extra = 1;
        if (value > numeratorBound) {
            value -= modulus;
            if (-value > numeratorBound &&
                !rational_reconstruction::reconstruct(value + modulus, modulus, numeratorBound, denominatorBound, value,
                                                      extra)) {
                throw std::logic_error("p-adic lifting: no fraction within the bounds");
            }
        }
        solution.numerators[i] = std::move(value);
        common *= extra;
        solution.denominators[i] = common;
        report(lifted + (totalWork - lifted) * static_cast<double>(i + 1) / static_cast<double>(n));
    }
    return solution;
}
