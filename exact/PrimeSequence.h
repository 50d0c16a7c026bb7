// PrimeSequence: the primes just below 2^62, largest first, in which the exact matrix engine
// computes its residues. They are found once, as far as any computation has needed them, and
// kept for the rest of the run.
#pragma once

#include <cstddef>
#include <cstdint>

namespace prime_sequence {

// The index-th prime below 2^62 (index 0 is the largest).
std::uint64_t at(std::size_t index);

// The index of a prime that `at` has given; notFound for any other number.
inline constexpr std::size_t notFound = static_cast<std::size_t>(-1);
std::size_t indexOf(std::uint64_t prime);

// Whether a number below 2^63 is prime (Miller-Rabin with bases that decide every such number).
bool isPrime(std::uint64_t candidate);

}  // namespace prime_sequence
