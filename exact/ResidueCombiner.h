// ResidueCombiner: the Chinese remainder theorem for a fixed set of word primes. Given the
// residues of an integer modulo each of them, it gives back the integer, provided its absolute
// value is less than half the product of the primes.
//
// The primes are joined through a product tree (PrimeProductTree): within each small block of
// primes by weights, one a block's length per prime, and the blocks pairwise up the tree. So the
// combiner keeps about as many words as the tree's levels times the primes, and a value costs
// about a multiplication of its length per level, not its length times the number of primes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "exact/PrimeProductTree.h"
#include "exact/WordPrime.h"
#include "number/BigNumber.h"

class ResidueCombiner {
public:
    // Calls `poll` now and then while it prepares: with thousands of primes that is long.
    ResidueCombiner(const std::vector<std::uint64_t>& primes, const std::function<void()>& poll);

    // residues[t][entry] is the residue modulo primes[t].
    bignumber::BigInteger combine(const std::vector<std::vector<std::uint64_t>>& residues, std::size_t entry) const;

    // Bytes that one combined value takes at most.
    std::size_t valueBytes() const { return tree.productBytes(); }

private:
    PrimeProductTree tree;
    bignumber::BigInteger halfModulus;
    // weights[t] is the product of the other primes of t's block, and factors[t] the inverse,
    // modulo primes[t], of the product of all the other primes: residue times factor times
    // weight, summed over a block and joined up the tree, is 1 modulo primes[t] times the residue
    // and 0 modulo every other prime.
    std::vector<bignumber::BigInteger> weights;
    std::vector<WordPrime::Factor> factors;
};
