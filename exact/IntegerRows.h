// IntegerRows: a square fraction matrix with each row multiplied by the least common multiple
// of its denominators, so that it holds integers with the same determinant up to the product of
// those multipliers. The fractions are taken reduced, whatever was typed: a common factor of a
// typed numerator and denominator would only make the multipliers longer. The entries stay in
// 64-bit words while every one of them fits, which is the common case and lets each residue be
// taken with one division.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "number/BigNumber.h"
#include "number/MagnitudeGcd.h"

class Bruch;
class WordPrime;

class IntegerRows {
public:
    // rows: n pointers to n fractions each.
    IntegerRows(const Bruch* const* rows, std::size_t n);

    std::size_t order() const { return n; }
    // The multipliers of the rows, and their product.
    std::vector<bignumber::BigInteger> scales() const;
    bignumber::BigInteger scaleProduct() const;
    // The product in a word, when it fits in one (false otherwise).
    bool scaleProductInWord(std::int64_t& result) const;
    bool hasZeroRow() const { return zeroRow; }
    // The words of the longest entry, and of an entry on average: 1 while they all fit one.
    std::size_t longestEntryWords() const { return longestWords; }
    double averageEntryWords() const { return averageWords; }
    // What the residues of one entry modulo one prime cost, in modular products.
    double residueWork() const;

    // The residues of all entries, row by row, into n * n words; calls `poll` after each row of
    // long entries. Long entries are reduced for a run of the engine's primes at once, from this
    // one on, through a remainder tree, and the others' residues are kept for their turn: prime
    // by prime, each residue would read the whole entry. Safe to call from several threads.
    void residues(const WordPrime& prime, std::uint64_t* target, const std::function<void()>& poll) const;
    // Whether `residues` may run on several threads at once: not while long entries go through
    // runs of a remainder tree, which one thread makes, within the storage check, for the others.
    bool residuesOnAnyThread() const { return runLength == 0; }
    // Entry (i, j) exactly.
    bignumber::BigInteger entry(std::size_t i, std::size_t j) const;
    // All entries row by row while each fits a word, else nullptr.
    const std::int64_t* wordEntries() const { return inWords ? words.data() : nullptr; }

    // An upper bound of log2 of the determinant and of every minor: Hadamard's bound, the product
    // of the row norms or of the column norms, whichever is smaller. extraColumn, if given, holds
    // one more entry per row (as squareLog2 of it), for the bound of every determinant of the
    // matrix with one column replaced by that one (Cramer's numerators).
    double hadamardBits(const std::vector<double>* extraColumn = nullptr) const;
    // An upper bound of log2 of the square of entry (i, j); minus infinity for zero.
    double squareLog2(std::size_t i, std::size_t j) const;

private:
    bool fillWords(const Bruch* const* rows);
    // log2 of the squared norm of every row (or column), an upper bound.
    std::vector<double> squareNormBits(bool ofRows) const;
    double rowHadamardBits(const std::vector<double>* extraColumn) const;
    double columnHadamardBits(const std::vector<double>* extraColumn) const;
    void fillBig(const Bruch* const* rows);
    bool residuesOfRun(const WordPrime& prime, std::uint64_t* target, const std::function<void()>& poll) const;
    void keepFractions(const Bruch* const* rows);
    void residuesOfFractions(const WordPrime& prime, std::uint64_t* target) const;

    std::size_t n;
    bool inWords = true;
    bool zeroRow = false;
    std::vector<std::int64_t> words;
    std::vector<bignumber::BigInteger> bigs;
    // The multipliers in words while the entries are, else as big numbers.
    std::vector<std::int64_t> wordScales;
    std::vector<bignumber::BigInteger> bigScales;

    // The reduced fractions themselves, while each part fits two words and the entries are much
    // longer: entry (i, j) is the numerator times (multiplier / denominator), so that a residue
    // takes a few products, not a pass over the long entry. Empty otherwise.
    struct ShortFraction {
        UInt128 numerator;  // the magnitude
        UInt128 denominator;
        bool negative;
    };
    std::vector<ShortFraction> fractions;

    std::size_t longestWords = 1;
    double averageWords = 1.0;
    // How many primes a run takes: enough that their product is about as long as the longest
    // entry, where a remainder tree pays; 0 while the entries are short enough to go prime by
    // prime.
    std::size_t runLength = 0;
    // The residues of the run from primes[0] on: residues[t * n * n + k] of entry k modulo
    // primes[t].
    struct ResidueRun {
        std::vector<std::uint64_t> primes;
        std::vector<std::uint64_t> residues;
    };
    mutable ResidueRun run;
    mutable std::mutex runAccess;
};

// An upper bound of log2(value^2), minus infinity for zero.
double squareLog2Of(std::int64_t value);
double squareLog2Of(const bignumber::BigInteger& value);
