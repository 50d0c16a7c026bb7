// ResidueCombiner: the Chinese remainder theorem for a fixed set of word primes. Given the
// residues of an integer modulo each of them, it gives back the integer, provided its absolute
// value is less than half the product of the primes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "number/BigNumber.h"

class ResidueCombiner {
public:
    // Calls `poll` after each prime's weight: with thousands of primes, making them is long.
    ResidueCombiner(const std::vector<std::uint64_t>& primes, const std::function<void()>& poll);

    // residues[t][entry] is the residue modulo primes[t].
    bignumber::BigInteger combine(const std::vector<std::vector<std::uint64_t>>& residues, std::size_t entry) const;

    // Bytes that one combined value takes at most.
    std::size_t valueBytes() const { return bignumber::bytesOf(modulus); }

private:
    bignumber::BigInteger modulus;
    bignumber::BigInteger halfModulus;
    // weights[t] is 1 modulo primes[t] and 0 modulo every other prime.
    std::vector<bignumber::BigInteger> weights;
};
