#include "exact/IntegerRows.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"
#include "number/Bruch.h"
#include "exact/WordPrime.h"

using bignumber::BigInteger;

namespace {

// A little more than the rounding of the few double operations behind each bound.
constexpr double roundingAllowance = 1e-9;

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
    for (std::size_t i = 0; i < n; ++i) {
        bool overflow = false;
        std::uint64_t multiple = 1;
        for (std::size_t j = 0; j < n && !overflow; ++j) {
            const Bruch& value = rows[i][j];
            overflow |= value.isWide() || value.getNenner() == INT64_MIN;
            if (!overflow) {
                multiple = leastCommonMultiple(multiple, magnitudeOf(value.getNenner()), overflow);
            }
        }
        for (std::size_t j = 0; j < n && !overflow; ++j) {
            const Bruch& value = rows[i][j];
            const std::int64_t factor = static_cast<std::int64_t>(multiple) / value.getNenner();
            overflow |= __builtin_mul_overflow(value.getZaehler(), factor, &words[i * n + j]);
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
            const BigInteger denominator = magnitude(rows[i][j].exactNenner());
            multiple = multiple / bignumber::gcdOf(multiple, denominator) * denominator;
        }
        for (std::size_t j = 0; j < n; ++j) {
            const Bruch& value = rows[i][j];
            bigs[i * n + j] = value.exactZaehler() * (multiple / value.exactNenner());
            reserveOrRefuse(bignumber::bytesOf(bigs[i * n + j]));
        }
        bigScales[i] = multiple;
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
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = i * n; k < i * n + n; ++k) {
            target[k] = bignumber::residueOf(bigs[k], prime.value());
        }
        poll();
    }
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
