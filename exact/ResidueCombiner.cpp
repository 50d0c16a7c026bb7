#include "exact/ResidueCombiner.h"

#include "exact/WordPrime.h"

using bignumber::BigInteger;

ResidueCombiner::ResidueCombiner(const std::vector<std::uint64_t>& primes, const std::function<void()>& poll)
    : weights(primes.size()) {
    modulus = 1;
    for (const std::uint64_t prime : primes) {
        modulus *= bignumber::integerOf(prime);
    }
    halfModulus = modulus / 2;
    for (std::size_t t = 0; t < primes.size(); ++t) {
        const WordPrime prime(primes[t]);
        const BigInteger others = modulus / bignumber::integerOf(primes[t]);
        const std::uint64_t inverse = prime.inverse(bignumber::residueOf(others, primes[t]));
        weights[t] = others * bignumber::integerOf(inverse);
        poll();
    }
}

// The sum of residue times weight is the integer modulo the product; the symmetric residue is
// the integer itself.
BigInteger ResidueCombiner::combine(const std::vector<std::vector<std::uint64_t>>& residues, std::size_t entry) const {
    BigInteger sum = 0;
    for (std::size_t t = 0; t < weights.size(); ++t) {
        bignumber::addProduct(sum, weights[t], residues[t][entry]);
    }
    sum %= modulus;
    if (sum > halfModulus) {
        sum -= modulus;
    }
    return sum;
}
