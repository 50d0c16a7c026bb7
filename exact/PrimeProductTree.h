// PrimeProductTree: the products of a list of word primes, taken a block of a few primes at a
// time and then pairwise up to the product of them all, as fast Chinese remaindering and
// multi-modular reduction use them. Down the tree, one division per node gives an integer's
// residues modulo every prime (a remainder tree); up the tree, one product per node joins values
// kept for each block. Either costs about a multiplication of numbers as long as the whole
// product, once per level, where going prime by prime costs that length times the number of
// primes. The tree itself holds about one such number per level.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "number/BigNumber.h"

class PrimeProductTree {
public:
    // Checks its storage first (StorageRefused); calls `poll` after each level, the chance to
    // cancel while thousands of primes are multiplied.
    PrimeProductTree(const std::vector<std::uint64_t>& primes, const std::function<void()>& poll);

    const std::vector<std::uint64_t>& primes() const { return primeList; }
    std::size_t blocks() const { return levels.front().size(); }
    // Block b holds the primes from index begin(b) up to, not including, end(b).
    static std::size_t begin(std::size_t block) { return block * blockSize; }
    std::size_t end(std::size_t block) const { return std::min(begin(block + 1), primeList.size()); }
    const bignumber::BigInteger& blockProduct(std::size_t block) const { return levels.front()[block]; }
    const bignumber::BigInteger& product() const { return levels.back().front(); }

    // target[t * stride] = value modulo primes()[t], the least non-negative residue, for every t.
    void residues(const bignumber::BigInteger& value, std::uint64_t* target, std::size_t stride) const;

    // The sum over the blocks of values[b] times the product of every other block; takes the
    // values apart on the way.
    bignumber::BigInteger joinBlocks(std::vector<bignumber::BigInteger>& values) const;

    // For each block, the product of every other block modulo its own product.
    std::vector<bignumber::BigInteger> blockCofactors() const;

    // Bytes that a number of the size of the whole product takes, a little more.
    std::size_t productBytes() const { return bignumber::bytesOf(product()) + sizeof(std::uint64_t); }

private:
    static constexpr std::size_t blockSize = 16;

    std::vector<std::uint64_t> primeList;
    // levels[0] holds the blocks' products, each further level the products of pairs of the
    // level below (an odd last one is taken up as it is); the last level is the product itself.
    std::vector<std::vector<bignumber::BigInteger>> levels;
};
