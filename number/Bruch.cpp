// Reduction by the signed Euclid steps of kuerzen and ggT, and the exact 128-bit fallback of
// the arithmetic. Every step is guarded against the one 64-bit value without a negative.
#include "number/Bruch.h"

namespace {

std::int64_t negated(std::int64_t value) {
    if (value == INT64_MIN) throw overflowText;
    return -value;
}

// Truncating remainder; x % -1 is 0 for every x, but INT64_MIN % -1 would trap.
std::int64_t remainder(std::int64_t a, std::int64_t b) {
    return b == -1 ? 0 : a % b;
}

// Truncating quotient; INT64_MIN / -1 is 2^63 and has no 64-bit form.
std::int64_t quotient(std::int64_t a, std::int64_t b) {
    return b == -1 ? negated(a) : a / b;
}

}  // namespace

Bruch::Bruch(std::int64_t zaehler, std::int64_t nenner) : nenner(nenner), zaehler(zaehler) {
    kuerzen();
}

// The divisor keeps the sign that the truncating remainders give it; the last step alone makes
// the denominator positive. A value that needs 2^63 in either field throws, leaving *this as it was.
void Bruch::kuerzen() {
    if (nenner == 0) throw divisionByZeroText;
    const std::int64_t rest = remainder(zaehler, nenner);
    const std::int64_t divisor = rest == 0 ? nenner : ggT(nenner, rest);
    std::int64_t numerator = quotient(zaehler, divisor);
    std::int64_t denominator = quotient(nenner, divisor);
    if (denominator < 0) {
        numerator = negated(numerator);
        denominator = negated(denominator);
    }
    zaehler = numerator;
    nenner = denominator;
}

std::int64_t Bruch::ggT(std::int64_t a, std::int64_t b) const {
    const std::int64_t rest = remainder(a, b);
    return rest == 0 ? b : ggT(b, rest);
}

// numeratorBits is a numerator in (-2^127, 2^127] taken modulo 2^128, as a sum of two 64x64-bit
// products leaves it; the one bit pattern 2^127 therefore stands for +2^127.
Bruch Bruch::fromWideQuotient(UInt128 numeratorBits, Int128 denominator) {
    constexpr UInt128 signBit = UInt128{1} << 127;
    const bool numeratorNegative = numeratorBits > signBit;
    const bool negative = numeratorNegative != (denominator < 0);
    UInt128 top = numeratorNegative ? 0 - numeratorBits : numeratorBits;
    const auto denominatorBits = static_cast<UInt128>(denominator);
    UInt128 bottom = denominator < 0 ? 0 - denominatorBits : denominatorBits;
    const UInt128 divisor = magnitudeGcd(top, bottom);
    top /= divisor;
    bottom /= divisor;
    if (top >> 64 != 0 || bottom >> 64 != 0) throw overflowText;
    return fromMagnitudes(negative, static_cast<std::uint64_t>(top), static_cast<std::uint64_t>(bottom));
}
