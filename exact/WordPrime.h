// WordPrime: arithmetic modulo one prime below 2^62, the field in which the exact matrix engine
// eliminates. Products go through 128 bits; a factor that multiplies a whole row is prepared
// once (Shoup's precomputed quotient), so that each element then costs two multiplications and
// no division.
#pragma once

#include <algorithm>
#include <cstdint>

#include "number/MagnitudeGcd.h"

class WordPrime {
public:
    explicit WordPrime(std::uint64_t prime) : p(prime) {}

    std::uint64_t value() const { return p; }

    // The residue of any signed 64-bit value.
    std::uint64_t reduce(std::int64_t value) const {
        const auto bits = static_cast<std::uint64_t>(value);
        if (bits < p) {
            return bits;
        }
        if (value < 0 && 0 - bits < p) {
            return bits + p;
        }
        const std::int64_t rest = value % static_cast<std::int64_t>(p);
        return rest < 0 ? static_cast<std::uint64_t>(rest + static_cast<std::int64_t>(p))
                        : static_cast<std::uint64_t>(rest);
    }

    std::uint64_t add(std::uint64_t a, std::uint64_t b) const {
        const std::uint64_t sum = a + b;
        return sum >= p ? sum - p : sum;
    }
    std::uint64_t subtract(std::uint64_t a, std::uint64_t b) const { return a >= b ? a - b : a + p - b; }
    std::uint64_t negate(std::uint64_t a) const { return a == 0 ? 0 : p - a; }
    std::uint64_t multiply(std::uint64_t a, std::uint64_t b) const {
        return static_cast<std::uint64_t>(static_cast<UInt128>(a) * b % p);
    }

    // The inverse of a non-zero residue, by the extended Euclidean algorithm.
    std::uint64_t inverse(std::uint64_t a) const {
        std::int64_t oldT = 0;
        std::int64_t t = 1;
        std::uint64_t oldR = p;
        std::uint64_t r = a;
        while (r != 0) {
            const std::uint64_t q = oldR / r;
            const std::uint64_t nextR = oldR - q * r;
            oldR = r;
            r = nextR;
            const std::int64_t nextT = oldT - static_cast<std::int64_t>(q) * t;
            oldT = t;
            t = nextT;
        }
        return oldT < 0 ? static_cast<std::uint64_t>(oldT + static_cast<std::int64_t>(p))
                        : static_cast<std::uint64_t>(oldT);
    }

    // A residue prepared to multiply many others.
    struct Factor {
        std::uint64_t value;
        std::uint64_t quotient;  // floor(value * 2^64 / p)
    };
    Factor prepare(std::uint64_t value) const {
        return {value, static_cast<std::uint64_t>((static_cast<UInt128>(value) << 64) / p)};
    }
    // a * factor mod p, for any residue a. The corrections take the smaller of a value and its
    // wrapped difference, without a branch: in an elimination they go either way at random.
    std::uint64_t multiply(std::uint64_t a, const Factor& factor) const {
        const auto estimate = static_cast<std::uint64_t>((static_cast<UInt128>(a) * factor.quotient) >> 64);
        const std::uint64_t rest = a * factor.value - estimate * p;  // in [0, 2p)
        return std::min(rest, rest - p);
    }
    // Prepared once per prime, to reduce values of two words.
    struct TwoWords {
        Factor shift;  // 2^64 modulo p
        Factor one;
    };
    TwoWords twoWords() const { return {prepare(static_cast<std::uint64_t>((UInt128{1} << 64) % p)), prepare(1)}; }
    // The residue of a two-word value. A product with a prepared factor holds for any word a,
    // not only for residues.
    std::uint64_t reduce(UInt128 value, const TwoWords& factors) const {
        return add(multiply(static_cast<std::uint64_t>(value >> 64), factors.shift),
                   multiply(static_cast<std::uint64_t>(value), factors.one));
    }
    // target - a * factor mod p.
    std::uint64_t subtractProduct(std::uint64_t target, std::uint64_t a, const Factor& factor) const {
        const std::uint64_t difference = target - multiply(a, factor);
        return std::min(difference, difference + p);
    }

private:
    std::uint64_t p;
};
