// Reduction by the signed Euclid steps of kuerzen and ggT, and the exact path of the arithmetic:
// 128-bit intermediates for 64-bit operands, arbitrary precision once a value is wide. Every
// 64-bit step is guarded against -2^63, the one 64-bit value without a negative.
#include "number/Bruch.h"

#include <utility>

#include "number/BigNumberMemory.h"

using bignumber::BigInteger;
using bignumber::BigRational;

namespace {

// Truncating remainder; x % -1 is 0 for every x, but INT64_MIN % -1 would trap.
std::int64_t remainder(std::int64_t a, std::int64_t b) {
    return b == -1 ? 0 : a % b;
}

BigInteger integerOfMagnitude(bool negative, UInt128 magnitude) {
    BigInteger value = bignumber::integerOf(static_cast<std::uint64_t>(magnitude >> 64));
    value <<= 64;
    value += bignumber::integerOf(static_cast<std::uint64_t>(magnitude));
    return negative ? BigInteger(-value) : value;
}

}  // namespace

Bruch::Bruch(std::int64_t zaehler, std::int64_t nenner) : nenner(nenner), zaehler(zaehler) {
    kuerzen();
}

// The divisor keeps the sign that the truncating remainders give it. Dividing by it and then
// negating both fields when the denominator is negative is the same as dividing the magnitudes
// and giving the numerator the sign of the fraction; done that way, a divisor of -1 cannot
// push -2^63 out of range, and a result that needs 2^63 in either field becomes wide.
void Bruch::kuerzen() {
    if (wide) {
        if (wide->typedNenner != 0) {
            bignumber::requireBytes(bignumber::bytesOf(wide->value));
            *this = fromExact(BigRational(wide->value));
        }
        return;
    }
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

BigInteger Bruch::exactZaehler() const {
    if (!wide)
        return bignumber::integerOf(zaehler);
    return wide->typedNenner != 0 ? wide->typedZaehler : BigInteger(bignumber::numeratorOf(wide->value));
}

BigInteger Bruch::exactNenner() const {
    if (!wide)
        return bignumber::integerOf(nenner);
    return wide->typedNenner != 0 ? wide->typedNenner : BigInteger(bignumber::denominatorOf(wide->value));
}

// A copy reduces: it drops typed fields and comes back to the 64-bit form where the value fits.
void Bruch::copyWide(const Bruch& other) {
    bignumber::requireBytes(bignumber::bytesOf(other.wide->value));
    *this = fromExact(BigRational(other.wide->value));
}

void Bruch::assignWide(const Bruch& other) {
    if (other.wide)
        bignumber::requireBytes(bignumber::bytesOf(other.wide->value) + bignumber::bytesOf(other.wide->typedZaehler) +
                                bignumber::bytesOf(other.wide->typedNenner));
    wide = other.wide ? std::make_unique<Wide>(*other.wide) : nullptr;
}

// The source is left a valid value (0/1), as any moved-from fraction should be.
void Bruch::takeWide(Bruch& other) noexcept {
    if (this == &other)
        return;
    wide = std::move(other.wide);
    other.zaehler = 0;
    other.nenner = 1;
}

// The exact value of a fraction: the wide one itself, or a 64-bit one made exact in scratch.
const BigRational& Bruch::exactValue(const Bruch& value, BigRational& scratch) {
    if (value.wide)
        return value.wide->value;
    scratch = bignumber::rationalOf(bignumber::integerOf(value.zaehler), bignumber::integerOf(value.nenner));
    return scratch;
}

// The wide path of every operation: both operands exactly, then room for the result and the
// library's temporaries, which take a few times the operands' size.
Bruch Bruch::combineExactly(const Bruch& left, const Bruch& right, ExactOperation operation) {
    BigRational leftScratch;
    BigRational rightScratch;
    const BigRational& a = exactValue(left, leftScratch);
    const BigRational& b = exactValue(right, rightScratch);
    bignumber::requireBytes(bignumber::bytesForArithmetic(bignumber::bytesOf(a) + bignumber::bytesOf(b)));
    return fromExact(operation(a, b));
}

Bruch Bruch::exactSum(const Bruch& left, const Bruch& right, bool difference) {
    if (!left.wide && !right.wide) {
        // Each product fits in 127 bits; their sum may need the 128th, so it is formed
        // modulo 2^128 and read back by fromWideQuotient.
        const auto first = static_cast<UInt128>(Int128{left.zaehler} * right.nenner);
        const auto second = static_cast<UInt128>(Int128{right.zaehler} * left.nenner);
        return fromWideQuotient(difference ? first - second : first + second, Int128{left.nenner} * right.nenner);
    }
    if (difference)
        return combineExactly(left, right,
                              [](const BigRational& a, const BigRational& b) { return BigRational(a - b); });
    return combineExactly(left, right, [](const BigRational& a, const BigRational& b) { return BigRational(a + b); });
}

Bruch Bruch::exactProduct(const Bruch& left, const Bruch& right) {
    if (!left.wide && !right.wide) {
        return fromWideQuotient(static_cast<UInt128>(Int128{left.zaehler} * right.zaehler),
                                Int128{left.nenner} * right.nenner);
    }
    return combineExactly(left, right, [](const BigRational& a, const BigRational& b) { return BigRational(a * b); });
}

// Only a typed wide value can be zero: reduced, zero is 0/1.
Bruch Bruch::exactQuotient(const Bruch& left, const Bruch& right) {
    if (right.wide ? right.wide->value == 0 : right.zaehler == 0)
        throw divisionByZeroText;
    if (!left.wide && !right.wide) {
        return fromWideQuotient(static_cast<UInt128>(Int128{left.zaehler} * right.nenner),
                                Int128{left.nenner} * right.zaehler);
    }
    return combineExactly(left, right, [](const BigRational& a, const BigRational& b) { return BigRational(a / b); });
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
        return fromWideMagnitudes(negative, top, bottom);
    return fromMagnitudes(negative, static_cast<std::uint64_t>(top), static_cast<std::uint64_t>(bottom));
}

// Magnitudes in lowest terms, at least one of them too large for the 64-bit fields.
Bruch Bruch::fromWideMagnitudes(bool negative, UInt128 numerator, UInt128 denominator) {
    BigRational value;
    value = bignumber::rationalOf(integerOfMagnitude(negative, numerator), integerOfMagnitude(false, denominator));
    return fromExact(std::move(value));
}

// The 64-bit form when the reduced value fits, the wide form otherwise.
Bruch Bruch::fromExact(BigRational&& value) {
    const BigInteger& numerator = bignumber::numeratorOf(value);
    const BigInteger& denominator = bignumber::denominatorOf(value);
    if (bignumber::fitsInt64(numerator) && bignumber::fitsInt64(denominator)) {
        return Bruch(bignumber::toInt64(numerator), bignumber::toInt64(denominator), AsGiven{});
    }
    return Bruch(std::make_unique<Wide>(Wide{std::move(value), {}, {}}));
}

Bruch Bruch::fromExactParts(const BigInteger& numerator, const BigInteger& denominator) {
    if (bignumber::fitsInt64(numerator) && bignumber::fitsInt64(denominator)) {
        return fromQuotient(bignumber::toInt64(numerator), bignumber::toInt64(denominator));
    }
    bignumber::requireBytes(bignumber::bytesToReduce(bignumber::bytesOf(numerator) + bignumber::bytesOf(denominator)));
    return fromExact(bignumber::rationalOf(numerator, denominator));
}

// The fields the quotient rule reads: a 64-bit value's as stored, a wide value's reduced ones
// when they fit (only a value typed with wider fields has such). False for a value beyond 64
// bits.
bool Bruch::fieldsOf64BitValue(const Bruch& value, std::int64_t& numerator, std::int64_t& denominator) {
    if (!value.wide) {
        numerator = value.zaehler;
        denominator = value.nenner;
        return true;
    }
    const BigInteger& top = bignumber::numeratorOf(value.wide->value);
    const BigInteger& bottom = bignumber::denominatorOf(value.wide->value);
    if (!bignumber::fitsInt64(top) || !bignumber::fitsInt64(bottom))
        return false;
    numerator = bignumber::toInt64(top);
    denominator = bignumber::toInt64(bottom);
    return true;
}

// One rule, whatever form a value was typed in: values that fit 64 bits compare by their
// quotients, as the 64-bit path does, and a value typed as 10/20 with thirty digits each equals
// what its copy (1/2) equals. Only a value beyond 64 bits is compared exactly.
bool Bruch::wideEqual(const Bruch& left, const Bruch& right) {
    std::int64_t leftZaehler;
    std::int64_t leftNenner;
    std::int64_t rightZaehler;
    std::int64_t rightNenner;
    if (fieldsOf64BitValue(left, leftZaehler, leftNenner) && fieldsOf64BitValue(right, rightZaehler, rightNenner)) {
        return static_cast<double>(leftZaehler) / static_cast<double>(leftNenner) ==
               static_cast<double>(rightZaehler) / static_cast<double>(rightNenner);
    }
    BigRational leftScratch;
    BigRational rightScratch;
    return exactValue(left, leftScratch) == exactValue(right, rightScratch);
}

// Fields that fit are kept as typed in the 64-bit form; wider ones as typed beside their exact
// value, in the wide form. denominator ≠ 0.
void Bruch::storeTyped(const BigInteger& numerator, const BigInteger& denominator) {
    if (bignumber::fitsInt64(numerator) && bignumber::fitsInt64(denominator)) {
        *this = Bruch(bignumber::toInt64(numerator), bignumber::toInt64(denominator), AsGiven{});
        return;
    }
    bignumber::requireBytes(bignumber::bytesToReduce(bignumber::bytesOf(numerator) + bignumber::bytesOf(denominator)));
    *this = Bruch(std::make_unique<Wide>(Wide{bignumber::rationalOf(numerator, denominator), numerator, denominator}));
}
