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

// Entries of this many words or more are reduced through their fractions when those are short.
constexpr std::size_t shortestFractionEntry = 4;

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

// The magnitude in two words; false when it needs more. Taken in parts of 32 bits, which every
// signed word holds.
bool twoWordMagnitude(const BigInteger& value, UInt128& result) {
    const BigInteger size = magnitude(value);
    if (bignumber::bitLength(size) > 128) {
        return false;
    }
    const BigInteger part = bignumber::integerOf(std::int64_t{1} << 32);
    result = 0;
    for (int shift = 96; shift >= 0; shift -= 32) {
        const BigInteger piece = (size >> shift) % part;
        result = (result << 32) | static_cast<std::uint64_t>(bignumber::toInt64(piece));
    }
    return true;
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
    averageWords = 0.0;
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
            const std::size_t entryWords = bignumber::bytesOf(bigs[i * n + j]) / sizeof(std::uint64_t);
            longestWords = std::max(longestWords, entryWords);
            averageWords += static_cast<double>(entryWords) / static_cast<double>(n * n);
        }
        bigScales[i] = multiple;
    }
    if (longestWords >= shortestFractionEntry) {
        keepFractions(rows);
        if (!fractions.empty()) {
            return;
        }
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

void IntegerRows::keepFractions(const Bruch* const* rows) {
    reserveOrRefuse(n * n * sizeof(ShortFraction));
    fractions.resize(n * n);
    for (std::size_t k = 0; k < n * n; ++k) {
        const Bruch value(rows[k / n][k % n]);  // a copy is reduced
        const BigInteger numerator = value.exactZaehler();
        ShortFraction& fraction = fractions[k];
        fraction.negative = numerator < 0;
        if (!twoWordMagnitude(numerator, fraction.numerator) ||
            !twoWordMagnitude(value.exactNenner(), fraction.denominator)) {
            fractions.clear();
            return;
        }
    }
}

// Per row one inversion, of the product of its denominators (Montgomery's trick); a row whose
// multiplier the prime divides takes its long entries, as one of its denominators may be a
// multiple of the prime.
void IntegerRows::residuesOfFractions(const WordPrime& prime, std::uint64_t* target) const {
    const WordPrime::TwoWords twoWords = prime.twoWords();
    for (std::size_t i = 0; i < n; ++i) {
        std::uint64_t* row = target + i * n;
        const ShortFraction* fraction = &fractions[i * n];
        const std::uint64_t scale = bignumber::residueOf(bigScales[i], prime.value());
        if (scale == 0) {
            for (std::size_t j = 0; j < n; ++j) {
                row[j] = bignumber::residueOf(bigs[i * n + j], prime.value());
            }
            continue;
        }
        std::uint64_t product = 1;
        for (std::size_t j = 0; j < n; ++j) {
            product = prime.multiply(product, prime.reduce(fraction[j].denominator, twoWords));
            row[j] = product;
        }
        // scale / (d_0 ... d_j), from the last j down
        std::uint64_t share = prime.multiply(prime.inverse(product), scale);
        for (std::size_t j = n; j-- > 0;) {
            const std::uint64_t overDenominator = j > 0 ? prime.multiply(share, row[j - 1]) : share;
            share = prime.multiply(share, prime.reduce(fraction[j].denominator, twoWords));
            const std::uint64_t value = prime.multiply(prime.reduce(fraction[j].numerator, twoWords), overDenominator);
            row[j] = fraction[j].negative ? prime.negate(value) : value;
        }
    }
}

// Measured: a few products and two short reductions through the fractions; a division's pass
// over the words otherwise, which the remainder tree does not much undercut at these lengths.
double IntegerRows::residueWork() const {
    if (inWords) {
        return 1.0;
    }
    return fractions.empty() ? 2.0 + averageWords : 18.0;
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
    if (!fractions.empty()) {
        residuesOfFractions(prime, target);
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

namespace {

// log2 of a sum from the log2 of its terms, scaled by the largest so that no double overflows
// however long the numbers are; minus infinity for no terms but zeros.
double sumBits(const std::vector<double>& logs) {
    const double largest = *std::max_element(logs.begin(), logs.end());
    if (std::isinf(largest)) {
        return largest;
    }
    double sum = 0.0;
    for (const double log : logs) {
        sum += std::exp2(log - largest);
    }
    return largest + std::log2(sum) + roundingAllowance;
}

}  // namespace

// Each bound from the squared norms of the rows and of the columns, which for entries in words
// are sums of squares in doubles: the conversions, products and sums round each by a relative
// 2^-53 at most, which the factor on the sum covers.
std::vector<double> IntegerRows::squareNormBits(bool ofRows) const {
    std::vector<double> bits(n);
    std::vector<double> logs(n);
    for (std::size_t a = 0; a < n; ++a) {
        if (!inWords) {
            for (std::size_t b = 0; b < n; ++b) {
                logs[b] = ofRows ? squareLog2(a, b) : squareLog2(b, a);
            }
            bits[a] = sumBits(logs);
            continue;
        }
        double sum = 0.0;
        for (std::size_t b = 0; b < n; ++b) {
            const auto value = static_cast<double>(ofRows ? words[a * n + b] : words[b * n + a]);
            sum += value * value;
        }
        bits[a] = sum > 0.0 ? std::log2(sum * (1.0 + 1e-15 * static_cast<double>(n + 2))) + roundingAllowance
                            : -std::numeric_limits<double>::infinity();
    }
    return bits;
}

double IntegerRows::hadamardBits(const std::vector<double>* extraColumn) const {
    return std::min(rowHadamardBits(extraColumn), columnHadamardBits(extraColumn));
}

// A zero row adds nothing: the determinant is zero, and its bound does not matter.
double IntegerRows::rowHadamardBits(const std::vector<double>* extraColumn) const {
    const std::vector<double> rows = squareNormBits(true);
    double bits = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double row = extraColumn != nullptr ? sumBits({rows[i], (*extraColumn)[i]}) : rows[i];
        bits += std::max(0.0, 0.5 * row);
    }
    return bits;
}

// By columns, a determinant with column j replaced by the extra one is at most the product of
// the other columns' norms times the extra's. Every column norm of an integer matrix is at least
// 1 but that of a zero column, which leaves the bound to the rows.
double IntegerRows::columnHadamardBits(const std::vector<double>* extraColumn) const {
    const std::vector<double> columns = squareNormBits(false);
    const double smallest = *std::min_element(columns.begin(), columns.end());
    if (std::isinf(smallest)) {
        return std::numeric_limits<double>::infinity();
    }
    double bits = 0.0;
    for (const double column : columns) {
        bits += 0.5 * column;
    }
    const double extra = extraColumn != nullptr ? sumBits(*extraColumn) : -std::numeric_limits<double>::infinity();
    return std::isinf(extra) ? bits : bits + 0.5 * (extra - smallest) + roundingAllowance;
}
