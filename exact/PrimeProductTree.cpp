#include "exact/PrimeProductTree.h"

#include <utility>

#include "memory/StorageLimit.h"
#include "memory/StorageRefused.h"
#include "number/BigNumberMemory.h"

using bignumber::BigInteger;

namespace {

// The least non-negative remainder; C++'s and GMP's % keep the sign of the dividend.
BigInteger remainder(const BigInteger& value, const BigInteger& modulus) {
    BigInteger rest = value % modulus;
    if (rest < 0) {
        rest += modulus;
    }
    return rest;
}

}  // namespace

PrimeProductTree::PrimeProductTree(const std::vector<std::uint64_t>& primes, const std::function<void()>& poll)
    : primeList(primes) {
    const std::size_t blockCount = std::max<std::size_t>((primes.size() + blockSize - 1) / blockSize, 1);
    std::size_t depth = 1;
    for (std::size_t width = blockCount; width > 1; width = (width + 1) / 2) {
        ++depth;
    }
    // Each level holds every prime's word once, and a number's header per node.
    const std::size_t levelBytes =
        (primes.size() + 2 * blockCount) * sizeof(std::uint64_t) + blockCount * sizeof(BigInteger);
    if (!StorageLimit::reserve(depth * levelBytes + depth * sizeof(std::vector<BigInteger>))) {
        throw StorageRefused();
    }
    levels.reserve(depth);
    std::vector<BigInteger>& blockProducts = levels.emplace_back(blockCount, BigInteger(1));
    for (std::size_t t = 0; t < primes.size(); ++t) {
        blockProducts[t / blockSize] *= bignumber::integerOf(primes[t]);
    }
    poll();
    while (levels.back().size() > 1) {
        const std::vector<BigInteger>& below = levels.back();
        std::vector<BigInteger> level((below.size() + 1) / 2);
        for (std::size_t i = 0; i < level.size(); ++i) {
            level[i] = 2 * i + 1 < below.size() ? BigInteger(below[2 * i] * below[2 * i + 1]) : below[2 * i];
        }
        levels.push_back(std::move(level));
        poll();
    }
}

// Each node's remainder is taken of its parent's, which is no longer than the parent's product:
// the divisions halve in length level by level, as the nodes double in number.
void PrimeProductTree::residues(const BigInteger& value, std::uint64_t* target, std::size_t stride) const {
    bignumber::requireBytes(bignumber::bytesToReduce(bignumber::bytesOf(value) + 2 * productBytes()));
    std::vector<BigInteger> above{remainder(value, product())};
    std::vector<BigInteger> current;
    for (std::size_t level = levels.size() - 1; level-- > 0;) {
        const std::vector<BigInteger>& products = levels[level];
        current.resize(products.size());
        for (std::size_t i = 0; i < products.size(); ++i) {
            const bool onlyChild = i % 2 == 0 && i + 1 == products.size();
            current[i] = onlyChild ? std::move(above[i / 2]) : remainder(above[i / 2], products[i]);
        }
        std::swap(above, current);
    }
    for (std::size_t block = 0; block < blocks(); ++block) {
        for (std::size_t t = begin(block); t < end(block); ++t) {
            target[t * stride] = bignumber::residueOf(above[block], primeList[t]);
        }
    }
}

BigInteger PrimeProductTree::joinBlocks(std::vector<BigInteger>& values) const {
    bignumber::requireBytes(bignumber::bytesForArithmetic(2 * productBytes()));
    for (std::size_t level = 0; level + 1 < levels.size(); ++level) {
        const std::vector<BigInteger>& products = levels[level];
        const std::size_t joined = levels[level + 1].size();
        for (std::size_t i = 0; i < joined; ++i) {
            if (2 * i + 1 < products.size()) {
                BigInteger sum = values[2 * i] * products[2 * i + 1];
                sum += values[2 * i + 1] * products[2 * i];
                values[i] = std::move(sum);
            } else {
                values[i] = std::move(values[2 * i]);
            }
        }
        values.resize(joined);
    }
    return std::move(values.front());
}

// Down from the root, whose cofactor is 1: a child's is its parent's times its sibling's product,
// taken modulo its own product.
std::vector<BigInteger> PrimeProductTree::blockCofactors() const {
    bignumber::requireBytes(bignumber::bytesToReduce(4 * productBytes()));
    std::vector<BigInteger> above{BigInteger(1)};
    std::vector<BigInteger> current;
    for (std::size_t level = levels.size() - 1; level-- > 0;) {
        const std::vector<BigInteger>& products = levels[level];
        current.resize(products.size());
        for (std::size_t i = 0; i < products.size(); ++i) {
            const std::size_t sibling = i ^ 1;
            current[i] =
                sibling < products.size() ? remainder(above[i / 2] * products[sibling], products[i]) : above[i / 2];
        }
        std::swap(above, current);
    }
    return above;
}
