// Bruch: an exact fraction, kept reduced with a positive denominator, exact at any size.
//
// Numerator and denominator live in the 64-bit fields while they fit; there all arithmetic is
// inline and allocates nothing, because it is the inner loop of every elimination. A result that
// leaves 64 bits continues in arbitrary precision (the wide form, BigNumber.h), and one that fits
// again comes back to the 64-bit fields: a reduced value has the wide form exactly when its
// fields do not fit (a typed one, when the fields as typed do not). A wide value marks itself with zero in both fields,
// so the one overflow test of the 64-bit path also sends every operation with a wide operand down the exact path.
//
// Only text input stores a fraction as typed (unreduced, perhaps with a negative denominator);
// every copy and every result reduces again. No fraction holds a zero denominator: the value
// constructor refuses one with the division text, the reader with its input text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <utility>

#include "number/BigNumber.h"
#include "number/MagnitudeGcd.h"

// Thrown as plain texts (const char*), like the library's other non-matrix errors.
inline constexpr const char* divisionByZeroText = "mathematischer Fehler -> Division durch 0 (Bruchzahl)";
inline constexpr const char* fractionInputErrorText = "Eingabefehler (Bruchzahl)";

// Nothing derives from it, so the compiler may call the (virtual) destructor directly.
class Bruch final {
public:
    Bruch();
    Bruch(std::int64_t zaehler, std::int64_t nenner);
    // A copy is reduced; an assignment takes the value as it is, so a typed 2/4 stays 2/4.
    Bruch(const Bruch& other);
    Bruch& operator=(const Bruch& other);
    Bruch& operator=(Bruch&& other) noexcept;
    virtual ~Bruch();

    void kuerzen();
    std::int64_t ggT(std::int64_t a, std::int64_t b) const;

    Bruch operator+(const Bruch& right) const;
    Bruch operator-(const Bruch& right) const;
    Bruch operator*(const Bruch& right) const;
    Bruch operator/(const Bruch& right) const;
    Bruch operator-() const;

    bool operator==(const Bruch& right) const;
    bool operator!=(const Bruch& right) const;

    // The 64-bit fields, as stored; both 0 in the wide form.
    std::int64_t getZaehler() const { return zaehler; }
    std::int64_t getNenner() const { return nenner; }
    bool isWide() const { return wide != nullptr; }
    // Numerator and denominator as stored, in either form.
    bignumber::BigInteger exactZaehler() const;
    bignumber::BigInteger exactNenner() const;

    // The reduced fraction numerator / denominator (denominator != 0), in the 64-bit form when it
    // fits: how exact computations outside the arithmetic hand back their results.
    static Bruch fromExactParts(const bignumber::BigInteger& numerator, const bignumber::BigInteger& denominator);

    friend std::istream& operator>>(std::istream& in, Bruch& value);

private:
    // The wide form: the reduced value and, for a fraction typed with fields beyond 64 bits,
    // those fields as typed (typedNenner is 0 otherwise). Only a typed value may be zero or
    // fit the 64-bit fields when reduced.
    struct Wide {
        bignumber::BigRational value;
        bignumber::BigInteger typedZaehler;
        bignumber::BigInteger typedNenner;
    };

    struct AsGiven {};
    Bruch(std::int64_t numerator, std::int64_t denominator, AsGiven) : nenner(denominator), zaehler(numerator) {}
    // Fractions are returned as prvalues only: without a move constructor, returning a named one
    // would copy it, and a copy reduces.
    explicit Bruch(std::unique_ptr<Wide> value) : nenner(0), zaehler(0), wide(std::move(value)) {}

    static bool productsLeave64Bits(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d,
                                    std::int64_t& numerator, std::int64_t& denominator);
    static bool sumLeaves64Bits(const Bruch& left, const Bruch& right, bool difference, std::int64_t& numerator,
                                std::int64_t& denominator);
    static Bruch fromQuotient(std::int64_t numerator, std::int64_t denominator);
    static Bruch fromMagnitudes(bool negative, std::uint64_t numerator, std::uint64_t denominator);

    // The exact path, out of line: operations with a wide operand or a result beyond 64 bits.
    static Bruch exactSum(const Bruch& left, const Bruch& right, bool difference);
    static Bruch exactProduct(const Bruch& left, const Bruch& right);
    static Bruch exactQuotient(const Bruch& left, const Bruch& right);
    static Bruch fromWideQuotient(UInt128 numeratorBits, Int128 denominator);
    static Bruch fromWideMagnitudes(bool negative, UInt128 numerator, UInt128 denominator);
    static Bruch fromExact(bignumber::BigRational&& value);
    static const bignumber::BigRational& exactValue(const Bruch& value, bignumber::BigRational& scratch);
    using ExactOperation = bignumber::BigRational (*)(const bignumber::BigRational&, const bignumber::BigRational&);
    static Bruch combineExactly(const Bruch& left, const Bruch& right, ExactOperation operation);
    static bool wideEqual(const Bruch& left, const Bruch& right);
    static bool fieldsOf64BitValue(const Bruch& value, std::int64_t& numerator, std::int64_t& denominator);
    void storeTyped(const bignumber::BigInteger& numerator, const bignumber::BigInteger& denominator);
    void copyWide(const Bruch& other);
    void assignWide(const Bruch& other);
    void takeWide(Bruch& other) noexcept;

    std::int64_t nenner;
    std::int64_t zaehler;
    std::unique_ptr<Wide> wide;
};

inline Bruch::Bruch() : nenner(1), zaehler(0) {}

inline Bruch::Bruch(const Bruch& other) : nenner(other.nenner), zaehler(other.zaehler) {
    if (other.wide) [[unlikely]] {
        copyWide(other);
    } else {
        kuerzen();
    }
}

inline Bruch& Bruch::operator=(const Bruch& other) {
    nenner = other.nenner;
    zaehler = other.zaehler;
    if (wide || other.wide) [[unlikely]] {
        assignWide(other);
    }
    return *this;
}

inline Bruch& Bruch::operator=(Bruch&& other) noexcept {
    nenner = other.nenner;
    zaehler = other.zaehler;
    if (wide || other.wide) [[unlikely]] {
        takeWide(other);
    }
    return *this;
}

inline Bruch::~Bruch() = default;

inline Bruch Bruch::operator+(const Bruch& right) const {
    std::int64_t numerator;
    std::int64_t denominator;
    if (sumLeaves64Bits(*this, right, false, numerator, denominator)) [[unlikely]] {
        return exactSum(*this, right, false);
    }
    return fromQuotient(numerator, denominator);
}

inline Bruch Bruch::operator-(const Bruch& right) const {
    std::int64_t numerator;
    std::int64_t denominator;
    if (sumLeaves64Bits(*this, right, true, numerator, denominator)) [[unlikely]] {
        return exactSum(*this, right, true);
    }
    return fromQuotient(numerator, denominator);
}

inline Bruch Bruch::operator*(const Bruch& right) const {
    std::int64_t numerator;
    std::int64_t denominator;
    if (productsLeave64Bits(zaehler, right.zaehler, nenner, right.nenner, numerator, denominator)) [[unlikely]] {
        return exactProduct(*this, right);
    }
    return fromQuotient(numerator, denominator);
}

// A wide divisor has zaehler 0 too; the exact path tells it from a zero one.
inline Bruch Bruch::operator/(const Bruch& right) const {
    std::int64_t numerator;
    std::int64_t denominator;
    if (right.zaehler == 0 || productsLeave64Bits(zaehler, right.nenner, nenner, right.zaehler, numerator, denominator))
        [[unlikely]] {
        return exactQuotient(*this, right);
    }
    return fromQuotient(numerator, denominator);
}

inline Bruch Bruch::operator-() const {
    return *this * Bruch(-1, 1);
}

// Between 64-bit values: equal when the double quotients are, cheap and indifferent to unreduced
// input. A value beyond 64 bits is compared exactly, never through a quotient that would
// overflow; one typed with wider fields compares as its reduced value.
inline bool Bruch::operator==(const Bruch& right) const {
    if ((nenner == 0) | (right.nenner == 0)) [[unlikely]] {
        return wideEqual(*this, right);
    }
    return static_cast<double>(zaehler) / static_cast<double>(nenner) ==
           static_cast<double>(right.zaehler) / static_cast<double>(right.nenner);
}

inline bool Bruch::operator!=(const Bruch& right) const {
    return !(*this == right);
}

// numerator = a·b, denominator = c·d; true when either leaves 64 bits or the denominator is 0,
// which it is exactly when a wide operand gave one of its zero fields.
inline bool Bruch::productsLeave64Bits(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d,
                                       std::int64_t& numerator, std::int64_t& denominator) {
    const bool numeratorWide = __builtin_mul_overflow(a, b, &numerator);
    const bool denominatorWide = __builtin_mul_overflow(c, d, &denominator);
    return numeratorWide | denominatorWide | (denominator == 0);
}

// The raw sum or difference left.z·right.n ± right.z·left.n over left.n·right.n, nothing
// cancelled first; true as for productsLeave64Bits.
inline bool Bruch::sumLeaves64Bits(const Bruch& left, const Bruch& right, bool difference, std::int64_t& numerator,
                                   std::int64_t& denominator) {
    std::int64_t first;
    std::int64_t second;
    bool wide = __builtin_mul_overflow(left.zaehler, right.nenner, &first);
    wide |= __builtin_mul_overflow(right.zaehler, left.nenner, &second);
    wide |= difference ? __builtin_sub_overflow(first, second, &numerator)
                       : __builtin_add_overflow(first, second, &numerator);
    wide |= __builtin_mul_overflow(left.nenner, right.nenner, &denominator);
    return wide | (denominator == 0);
}

inline Bruch Bruch::fromQuotient(std::int64_t numerator, std::int64_t denominator) {
    const bool negative = (numerator < 0) != (denominator < 0);
    const std::uint64_t top = magnitudeOf(numerator);
    const std::uint64_t bottom = magnitudeOf(denominator);
    const std::uint64_t divisor = magnitudeGcd(top, bottom);
    return fromMagnitudes(negative, top / divisor, bottom / divisor);
}

inline Bruch Bruch::fromMagnitudes(bool negative, std::uint64_t numerator, std::uint64_t denominator) {
    constexpr auto largest = static_cast<std::uint64_t>(INT64_MAX);
    // A negative numerator has one value more: -2^63.
    if (denominator > largest || numerator > largest + (negative ? 1 : 0)) [[unlikely]] {
        return fromWideMagnitudes(negative, numerator, denominator);
    }
    const std::uint64_t numeratorBits = negative ? 0 - numerator : numerator;
    return Bruch(static_cast<std::int64_t>(numeratorBits), static_cast<std::int64_t>(denominator), AsGiven{});
}

#include "number/BruchText.h"
