#include "exact/LiftingResidual.h"

#include <algorithm>
#include <cmath>

#include "exact/IntegerRows.h"
#include "exact/WordPrime.h"
#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"
#include "number/MagnitudeGcd.h"

using bignumber::BigInteger;

namespace {

void reserveOrRefuse(std::size_t bytes) {
    if (!StorageLimit::reserve(bytes)) {
        throw StorageRefused();
    }
}

// Newton's iteration doubles the correct low bits of an odd number's inverse each round.
std::uint64_t inverseModuloWord(std::uint64_t odd) {
    std::uint64_t inverse = odd;
    for (int round = 0; round < 6; ++round) {
        inverse *= 2 - odd * inverse;
    }
    return inverse;
}

// With R = max(|b|, n * max|A|), every residual stays within R: |(r - A y) / p| <= (R + n max|A|
// (p - 1)) / p <= R. Words hold it when R < 2^62, and then each row's sum stays below 2^125.
bool fitsWords(const std::int64_t* entries, std::size_t n, const std::vector<BigInteger>& constants) {
    if (entries == nullptr) {
        return false;
    }
    constexpr UInt128 limit = UInt128{1} << 62;
    UInt128 largest = 0;
    for (std::size_t k = 0; k < n * n; ++k) {
        largest = std::max<UInt128>(largest, magnitudeOf(entries[k]));
    }
    if (largest * n >= limit) {
        return false;
    }
    for (const BigInteger& value : constants) {
        if (!bignumber::fitsInt64(value) || magnitudeOf(bignumber::toInt64(value)) >= limit) {
            return false;
        }
    }
    return true;
}

}  // namespace

LiftingResidual::LiftingResidual(const IntegerRows& matrix, const std::vector<BigInteger>& constants,
                                 const WordPrime& prime)
    : n(matrix.order()),
      p(prime.value()),
      inverseOfPrime(inverseModuloWord(prime.value())),
      wordMatrix(matrix.wordEntries()) {
    if (fitsWords(wordMatrix, n, constants)) {
        reserveOrRefuse(n * sizeof(std::int64_t));
        wordResidual.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            wordResidual[i] = bignumber::toInt64(constants[i]);
        }
        return;
    }
    wordMatrix = nullptr;
    reserveOrRefuse(n * n * sizeof(BigInteger));
    bigMatrix.resize(n * n);
    double words = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            bigMatrix[i * n + j] = matrix.entry(i, j);
            reserveOrRefuse(bignumber::bytesOf(bigMatrix[i * n + j]));
            words += std::ceil(static_cast<double>(bignumber::bitLength(bigMatrix[i * n + j])) / 64.0);
        }
    }
    averageWords = std::max(1.0, words / static_cast<double>(n * n));
    bigResidual = constants;
}

void LiftingResidual::residues(std::size_t from, std::size_t to, std::uint64_t* target) const {
    const WordPrime prime(p);
    for (std::size_t i = from; i < to; ++i) {
        target[i] = wordMatrix != nullptr ? prime.reduce(wordResidual[i]) : bignumber::residueOf(bigResidual[i], p);
    }
}

void LiftingResidual::advance(std::size_t from, std::size_t to, const std::uint64_t* digits) {
    if (wordMatrix != nullptr) {
        advanceWords(from, to, digits);
    } else {
        advanceBig(from, to, digits);
    }
}

// r - A y is a multiple of p whose quotient fits a word, so the quotient is the low word of it
// times p^-1 modulo 2^64.
void LiftingResidual::advanceWords(std::size_t from, std::size_t to, const std::uint64_t* digits) {
    for (std::size_t i = from; i < to; ++i) {
        const std::int64_t* row = wordMatrix + i * n;
        Int128 sum = wordResidual[i];
        for (std::size_t j = 0; j < n; ++j) {
            sum -= static_cast<Int128>(row[j]) * static_cast<std::int64_t>(digits[j]);
        }
        wordResidual[i] = static_cast<std::int64_t>(static_cast<std::uint64_t>(sum) * inverseOfPrime);
    }
}

void LiftingResidual::advanceBig(std::size_t from, std::size_t to, const std::uint64_t* digits) {
    for (std::size_t i = from; i < to; ++i) {
        BigInteger& value = bigResidual[i];
        for (std::size_t j = 0; j < n; ++j) {
            bignumber::subtractProduct(value, bigMatrix[i * n + j], digits[j]);
        }
        bignumber::divideExactly(value, p);
    }
}
