// Greatest common divisor of unsigned magnitudes, the reduction step behind the fraction
// arithmetic. The 64-bit form is binary (shift and subtract), so the hot path needs no
// division; the 128-bit form serves the rare intermediates that do not fit in 64 bits.
#pragma once

#include <cstdint>
#include <utility>

__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

// Magnitude of a signed value; well defined for the most negative one too.
inline std::uint64_t magnitudeOf(std::int64_t value) {
    const auto bits = static_cast<std::uint64_t>(value);
    return value < 0 ? 0 - bits : bits;
}

inline std::uint64_t magnitudeGcd(std::uint64_t a, std::uint64_t b) {
    if (a == 0)
        return b;
    if (b == 0)
        return a;
    const int shift = __builtin_ctzll(a | b);
    a >>= __builtin_ctzll(a);
    do {
        b >>= __builtin_ctzll(b);
        if (a > b)
            std::swap(a, b);
        b -= a;
    } while (b != 0);
    return a << shift;
}

inline UInt128 magnitudeGcd(UInt128 a, UInt128 b) {
    // Euclid steps shrink a wide operand at once (subtraction could take 2^64 rounds);
    // as soon as both fit in 64 bits the cheaper loop takes over.
    while (a >> 64 != 0 || b >> 64 != 0) {
        if (a == 0)
            return b;
        if (b == 0)
            return a;
        if (a > b)
            std::swap(a, b);
        b %= a;
    }
    return magnitudeGcd(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(b));
}
