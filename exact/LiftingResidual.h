// LiftingResidual: the residual r = (b - A X) / p^k of the p-adic lifting, where X holds the k
// digits found so far; each digit y turns it into (r - A y) / p. While A's entries fit words
// and every residual provably does too, it is kept in words and each row's sum in 128 bits;
// otherwise in big numbers. Rows are independent, so a block of them is a unit of work.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "number/BigNumber.h"

class IntegerRows;
class WordPrime;

class LiftingResidual {
public:
    // Starts from r = b (n integers) for lifting modulo `prime`.
    LiftingResidual(const IntegerRows& matrix, const std::vector<bignumber::BigInteger>& constants,
                    const WordPrime& prime);

    // Residues of rows [from, to) modulo the prime, into target[from, to).
    void residues(std::size_t from, std::size_t to, std::uint64_t* target) const;
    // r = (r - A y) / p for rows [from, to); y holds n digits in [0, p).
    void advance(std::size_t from, std::size_t to, const std::uint64_t* digits);

    // Whether A and the residual are kept in words: then the rows' steps make no big numbers.
    bool inWords() const { return wordMatrix != nullptr; }
    // Words of an entry of A on average (1 while they fit words): what one product costs.
    double entryWords() const { return averageWords; }

private:
    void advanceWords(std::size_t from, std::size_t to, const std::uint64_t* digits);
    void advanceBig(std::size_t from, std::size_t to, const std::uint64_t* digits);

    std::size_t n;
    std::uint64_t p;
    std::uint64_t inverseOfPrime;  // p^-1 modulo 2^64, for dividing exact multiples of p
    const std::int64_t* wordMatrix;
    std::vector<std::int64_t> wordResidual;
    std::vector<bignumber::BigInteger> bigMatrix;
    std::vector<bignumber::BigInteger> bigResidual;
    double averageWords = 1.0;
};
