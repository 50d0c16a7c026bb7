#include "exact/IntegerRows.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "exact/PrimeProductTree.h"
#include "exact/PrimeSequence.h"
#include "exact/WordPrime.h"
#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"
#include "number/Bruch.h"

using bignumber::BigInteger;

namespace {

// A little more than the rounding of the few double operations behind each bound.
constexpr double roundingAllowance = 1e-9;

// Entries of fewer words than this are reduced prime by prime: the tree would not pay.
constexpr std::size_t shortestTreeEntry = 32;

std::uint64_t leastCommonMultiple(std::uint64_t a, std::uint64_t b, bool& overflow) {
    const std::uint64_t divisor = magnitudeGcd(a, b);
    std::uint64_t result = 0;
    overflow |= __builtin_mul_overflow(a / divisor, b, &result) || result > static_cast<std::uint64_t>(INT64_MAX);
    return result;
}

BigInteger magnitude(const BigInteger& value) {
    return value < 0 ? BigInteger(-value) : value;
}

void reserveOrRefuse(std::size_t bytes) {
    if (!StorageLimit::reserve(bytes)) {
        throw StorageRefused();
    }
}

}  // namespace

double squareLog2Of(std::int64_t value) {
    if (value == 0) {
        return -std::numeric_limits<double>::infinity();
    }
    const double size = std::fabs(static_cast<double>(value));
    return 2.0 * std::log2(size) + roundingAllowance;
}

// From the bit length alone: |value| < 2^bits.
double squareLog2Of(const BigInteger& value) {
    const std::size_t bits = bignumber::bitLength(value);
    if (bits == 0) {
        return -std::numeric_limits<double>::infinity();
    }
    return 2.0 * static_cast<double>(bits);
}

IntegerRows::IntegerRows(const Bruch* const* rows, std::size_t n) : n(n) {
    reserveOrRefuse(n * n * sizeof(std::int64_t) + n * sizeof(BigInteger));
    if (!fillWords(rows)) {
        fillBig(rows);
    }
    for (std::size_t i = 0; i < n && !zeroRow; ++i) {
        bool allZero = true;
        for (std::size_t j = 0; j < n && allZero; ++j) {
            allZero = inWords ? words[i * n + j] == 0 : bigs[i * n + j] == 0;
        }
        zeroRow = allZero;
    }
}

// False when some entry, multiplier or product leaves 64 bits.
bool IntegerRows::fillWords(const Bruch* const* rows) {
    words.resize(n * n);
    wordScales.resize(n);
    std::vector<std::int64_t> denominators(n);
    for (std::size_t i = 0; i < n; ++i) {
        bool overflow = false;
        std::uint64_t multiple = 1;
        for (std::size_t j = 0; j < n && !overflow; ++j) {
            const Bruch value(rows[i][j]);  // a copy is reduced
            overflow |= value.isWide();
            if (!overflow) {
                words[i * n + j] = value.getZaehler();
                denominators[j] = value.getNenner();
                multiple = leastCommonMultiple(multiple, static_cast<std::uint64_t>(denominators[j]), overflow);
            }
        }
        for (std::size_t j = 0; j < n && !overflow; ++j) {
            const std::int64_t factor = static_cast<std::int64_t>(multiple) / denominators[j];
            overflow |= __builtin_mul_overflow(words[i * n + j], factor, &words[i * n + j]);
        }
        if (overflow) {
            words.clear();
            wordScales.clear();
            return false;
        }
        wordScales[i] = static_cast<std::int64_t>(multiple);
    }
    return true;
}

void IntegerRows::fillBig(const Bruch* const* rows) {
    inWords = false;
    reserveOrRefuse(n * n * sizeof(BigInteger));
    bigs.resize(n * n);
    bigScales.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        BigInteger multiple = 1;
        for (std::size_t j = 0; j < n; ++j) {
            const BigInteger denominator = magnitude(Bruch(rows[i][j]).exactNenner());  // a copy is reduced
            multiple = multiple / bignumber::gcdOf(multiple, denominator) * denominator;
        }
        for (std::size_t j = 0; j < n; ++j) {
            const Bruch value(rows[i][j]);
            bigs[i * n + j] = value.exactZaehler() * (multiple / value.exactNenner());
            reserveOrRefuse(bignumber::bytesOf(bigs[i * n + j]));
            longestWords = std::max(longestWords, bignumber::bytesOf(bigs[i * n + j]) / sizeof(std::uint64_t));
        }
        bigScales[i] = multiple;
    }
    // Runs of about twice the longest entry's words in primes, whose product is as long as it,
    // evened out over the primes that the bound of the determinant takes (62 bits each), so that
    // the last run is not mostly residues that nothing asks for.
    if (longestWords >= shortestTreeEntry) {
        const auto primes = static_cast<std::size_t>((hadamardBits() + 2.0) / 61.9) + 1;
        const std::size_t runs = (primes + 2 * longestWords - 1) / (2 * longestWords);
        runLength = (primes + runs - 1) / runs;
    }
}

std::vector<BigInteger> IntegerRows::scales() const {
    if (!inWords) {
        return bigScales;
    }
    std::vector<BigInteger> result(n);
    for (std::size_t i = 0; i < n; ++i) {
        result[i] = bignumber::integerOf(wordScales[i]);
    }
    return result;
}

BigInteger IntegerRows::scaleProduct() const {
    BigInteger product = 1;
    for (const BigInteger& scale : scales()) {
        product *= scale;
    }
    return product;
}

bool IntegerRows::scaleProductInWord(std::int64_t& result) const {
    result = 1;
    bool overflow = !inWords;
    for (std::size_t i = 0; i < wordScales.size() && !overflow; ++i) {
        overflow = __builtin_mul_overflow(result, wordScales[i], &result);
    }
    return !overflow;
}

void IntegerRows::residues(const WordPrime& prime, std::uint64_t* target, const std::function<void()>& poll) const {
    if (inWords) {
        for (std::size_t k = 0; k < n * n; ++k) {
            target[k] = prime.reduce(words[k]);
        }
        return;
    }
    if (runLength > 0 && residuesOfRun(prime, target, poll)) {
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = i * n; k < i * n + n; ++k) {
            target[k] = bignumber::residueOf(bigs[k], prime.value());
        }
        poll();
    }
}

// False for a prime outside the engine's sequence, which goes prime by prime. A new run is made
// whole before it replaces the old one, so that a cancelled one leaves nothing half made.
bool IntegerRows::residuesOfRun(const WordPrime& prime, std::uint64_t* target,
                                const std::function<void()>& poll) const {
    const std::lock_guard<std::mutex> lock(runAccess);
    auto place = std::lower_bound(run.primes.begin(), run.primes.end(), prime.value(), std::greater<>());
    if (place == run.primes.end() || *place != prime.value()) {
        const std::size_t first = prime_sequence::indexOf(prime.value());
        if (first == prime_sequence::notFound) {
            return false;
        }
        reserveOrRefuse((n * n + 1) * runLength * sizeof(std::uint64_t));
        ResidueRun next;
        for (std::size_t t = first; t < first + runLength; ++t) {
            next.primes.push_back(prime_sequence::at(t));
        }
        next.residues.resize(n * n * runLength);
        const PrimeProductTree tree(next.primes, poll);
        for (std::size_t k = 0; k < n * n; ++k) {
            tree.residues(bigs[k], &next.residues[k], n * n);
            poll();
        }
        run = std::move(next);
        place = run.primes.begin();
    }
    const std::uint64_t* residues = &run.residues[static_cast<std::size_t>(place - run.primes.begin()) * n * n];
    std::copy(residues, residues + n * n, target);
    return true;
}

BigInteger IntegerRows::entry(std::size_t i, std::size_t j) const {
    return inWords ? bignumber::integerOf(words[i * n + j]) : bigs[i * n + j];
}

double IntegerRows::squareLog2(std::size_t i, std::size_t j) const {
    return inWords ? squareLog2Of(words[i * n + j]) : squareLog2Of(bigs[i * n + j]);
}

// Each row's norm from the logarithms of its squares, scaled by the largest one so that no
// double overflows however long the entries are.
double IntegerRows::hadamardBits(const std::vector<double>* extraColumn) const {
    if (inWords && extraColumn == nullptr) {
        return hadamardBitsOfWords();
    }
    double bits = 0.0;
    std::vector<double> logs(n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            logs[j] = squareLog2(i, j);
        }
        logs[n] = extraColumn != nullptr ? (*extraColumn)[i] : -std::numeric_limits<double>::infinity();
        const double largest = *std::max_element(logs.begin(), logs.end());
        if (std::isinf(largest)) {
            continue;  // a zero row: the bound does not matter, the determinant is zero
        }
        double sum = 0.0;
        for (const double log : logs) {
            sum += std::exp2(log - largest);
        }
        bits += 0.5 * (largest + std::log2(sum)) + roundingAllowance;
    }
    return bits;
}

// Squares of words stay far inside the range of a double; the conversions, products and sums
// round each by a relative 2^-53 at most, which the factor on the sum covers.
double IntegerRows::hadamardBitsOfWords() const {
    double bits = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        double sum = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            const auto value = static_cast<double>(words[i * n + j]);
            sum += value * value;
        }
        if (sum > 0.0) {
            bits += 0.5 * std::log2(sum * (1.0 + 1e-15 * static_cast<double>(n + 2))) + roundingAllowance;
        }
    }
    return bits;
}
