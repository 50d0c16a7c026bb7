#include "exact/PrimeSequence.h"

#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

#include "number/MagnitudeGcd.h"

namespace prime_sequence {

namespace {

std::uint64_t multiplyModulo(std::uint64_t a, std::uint64_t b, std::uint64_t modulus) {
    return static_cast<std::uint64_t>(static_cast<UInt128>(a) * b % modulus);
}

std::uint64_t power(std::uint64_t base, std::uint64_t exponent, std::uint64_t modulus) {
    std::uint64_t result = 1;
    base %= modulus;
    while (exponent != 0) {
        if ((exponent & 1) != 0) {
            result = multiplyModulo(result, base, modulus);
        }
        base = multiplyModulo(base, base, modulus);
        exponent >>= 1;
    }
    return result;
}

bool passesWitness(std::uint64_t candidate, std::uint64_t witness, std::uint64_t odd, int twos) {
    std::uint64_t x = power(witness, odd, candidate);
    if (x == 1 || x == candidate - 1) {
        return true;
    }
    for (int i = 1; i < twos; ++i) {
        x = multiplyModulo(x, x, candidate);
        if (x == candidate - 1) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool isPrime(std::uint64_t candidate) {
    // These bases decide every number below 3.3 * 10^24.
    constexpr std::uint64_t bases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    if (candidate < 2) {
        return false;
    }
    for (const std::uint64_t small : bases) {
        if (candidate % small == 0) {
            return candidate == small;
        }
    }
    std::uint64_t odd = candidate - 1;
    int twos = 0;
    while ((odd & 1) == 0) {
        odd >>= 1;
        ++twos;
    }
    for (const std::uint64_t witness : bases) {
        if (!passesWitness(candidate, witness, odd, twos)) {
            return false;
        }
    }
    return true;
}

namespace {

// The primes found so far, largest first. The engine's threads ask for primes as they take
// them, so the list grows under its lock.
std::vector<std::uint64_t>& found() {
    static std::vector<std::uint64_t> primes;
    return primes;
}

std::mutex& foundLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

std::uint64_t at(std::size_t index) {
    const std::lock_guard<std::mutex> held(foundLock());
    std::vector<std::uint64_t>& primes = found();
    static std::uint64_t nextCandidate = (std::uint64_t{1} << 62) - 1;
    while (primes.size() <= index) {
        while (!isPrime(nextCandidate)) {
            nextCandidate -= 2;
        }
        primes.push_back(nextCandidate);
        nextCandidate -= 2;
    }
    return primes[index];
}

std::size_t indexOf(std::uint64_t prime) {
    const std::lock_guard<std::mutex> held(foundLock());
    const std::vector<std::uint64_t>& primes = found();
    const auto place = std::lower_bound(primes.begin(), primes.end(), prime, std::greater<>());
    return place != primes.end() && *place == prime ? static_cast<std::size_t>(place - primes.begin()) : notFound;
}

}  // namespace prime_sequence
