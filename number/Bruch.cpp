// Reduction by the signed Euclid steps of kuerzen and ggT, and the exact 128-bit fallback of
// the arithmetic. Every step is guarded against -2^63, the one 64-bit value without a negative.
#include "number/Bruch.h"

namespace {

// Truncating remainder; x % -1 is 0 for every x, but INT64_MIN % -1 would trap.
std::int64_t remainder(std::int64_t a, std::int64_t b) {
    return b == -1 ? 0 : a % b;
}

}  // namespace

Bruch::Bruch(std::int64_t zaehler, std::int64_t nenner) : nenner(nenner), zaehler(zaehler) {
    kuerzen();
}

// The divisor keeps the sign that the truncating remainders give it. Dividing by it and then
// negating both fields when the denominator is negative is the same as dividing the magnitudes
// and giving the numerator the sign of the fraction; done that way, a divisor of -1 cannot
// push -2^63 out of range on the way to a result that fits. A result that needs 2^63 in either
// field throws and leaves *this as it was.
void Bruch::kuerzen() {
    if (nenner == 0)
        throw divisionByZeroText;
    const std::int64_t rest = remainder(zaehler, nenner);
    const std::int64_t divisor = rest == 0 ? nenner : ggT(nenner, rest);
    const std::uint64_t divisorMagnitude = magnitudeOf(divisor);
    *this = fromMagnitudes((zaehler < 0) != (nenner < 0), magnitudeOf(zaehler) / divisorMagnitude,
                           magnitudeOf(nenner) / divisorMagnitude);
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
    if (top >> 64 != 0 || bottom >> 64 != 0)
        throw overflowText;
    return fromMagnitudes(negative, static_cast<std::uint64_t>(top), static_cast<std::uint64_t>(bottom));
}
