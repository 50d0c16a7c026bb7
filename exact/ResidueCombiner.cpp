#include "exact/ResidueCombiner.h"

#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"
#include "number/BigNumberMemory.h"

using bignumber::BigInteger;

ResidueCombiner::ResidueCombiner(const std::vector<std::uint64_t>& primes, const std::function<void()>& poll)
    : tree(primes, poll) {
    // A weight is at most a block's product, a few words.
    if (!StorageLimit::reserve(primes.size() * (sizeof(BigInteger) + sizeof(WordPrime::Factor) +
                                                2 * bignumber::bytesOf(tree.blockProduct(0))))) {
        throw StorageRefused();
    }
    halfModulus = tree.product() / 2;
    weights.resize(primes.size());
    factors.resize(primes.size());
    const std::vector<BigInteger> cofactors = tree.blockCofactors();
    poll();
    for (std::size_t block = 0; block < tree.blocks(); ++block) {
        for (std::size_t t = PrimeProductTree::begin(block); t < tree.end(block); ++t) {
            const WordPrime prime(primes[t]);
            weights[t] = tree.blockProduct(block) / bignumber::integerOf(primes[t]);
            const std::uint64_t others = prime.multiply(bignumber::residueOf(cofactors[block], primes[t]),
                                                        bignumber::residueOf(weights[t], primes[t]));
            factors[t] = prime.prepare(prime.inverse(others));
        }
    }
    poll();
}

// The sum is the integer modulo the product of the primes; the symmetric residue is the integer
// itself.
BigInteger ResidueCombiner::combine(const std::vector<std::vector<std::uint64_t>>& residues, std::size_t entry) const {
    bignumber::requireBytes(bignumber::bytesForArithmetic(2 * valueBytes()));
    std::vector<BigInteger> values(tree.blocks());
    for (std::size_t block = 0; block < tree.blocks(); ++block) {
        for (std::size_t t = PrimeProductTree::begin(block); t < tree.end(block); ++t) {
            const WordPrime prime(tree.primes()[t]);
            bignumber::addProduct(values[block], weights[t], prime.multiply(residues[t][entry], factors[t]));
        }
    }
    BigInteger sum = tree.joinBlocks(values);
    sum %= tree.product();
    if (sum > halfModulus) {
        sum -= tree.product();
    }
    return sum;
}
