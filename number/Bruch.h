// Bruch: an exact fraction with 64-bit numerator and denominator, kept reduced with a positive
// denominator. Arithmetic that would leave the 64-bit range throws instead of wrapping.
//
// Only text input stores a fraction as typed (unreduced, perhaps with a negative denominator);
// every copy and every result reduces again. No fraction holds a zero denominator: the value
// constructor refuses one with the division text, the reader with its input text.
//
// The arithmetic is inline because it is the inner loop of every elimination: small operands
// stay in 64-bit registers, and only products or sums that leave 64 bits take the exact 128-bit
// path out of line.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "number/MagnitudeGcd.h"

// Thrown as plain texts (const char*), like the library's other non-matrix errors.
inline constexpr const char* divisionByZeroText = "mathematischer Fehler -> Division durch 0 (Bruchzahl)";
inline constexpr const char* overflowText = "mathematischer Fehler -> Ueberlauf (Bruchzahl)";
inline constexpr const char* fractionInputErrorText = "Eingabefehler (Bruchzahl)";

// Nothing derives from it, so the compiler may call the (virtual) destructor directly.
class Bruch final {
public:
    Bruch();
    Bruch(std::int64_t zaehler, std::int64_t nenner);
    // A copy is reduced; an assignment takes the fields as they are, so a typed 2/4 stays 2/4.
    Bruch(const Bruch& other);
    Bruch& operator=(const Bruch& other) = default;
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

    std::int64_t getZaehler() const { return zaehler; }
    std::int64_t getNenner() const { return nenner; }

    friend std::istream& operator>>(std::istream& in, Bruch& value);

private:
    struct InLowestTerms {};
    Bruch(std::int64_t numerator, std::int64_t denominator, InLowestTerms) : nenner(denominator), zaehler(numerator) {}

    static Bruch fromProducts(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
    static Bruch fromSumOfProducts(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, std::int64_t e,
                                   std::int64_t f, bool difference);
    static Bruch fromQuotient(std::int64_t numerator, std::int64_t denominator);
    static Bruch fromWideQuotient(UInt128 numeratorBits, Int128 denominator);
    static Bruch fromMagnitudes(bool negative, std::uint64_t numerator, std::uint64_t denominator);

    std::int64_t nenner;
    std::int64_t zaehler;
};

inline Bruch::Bruch() : nenner(1), zaehler(0) {}

inline Bruch::Bruch(const Bruch& other) : nenner(other.nenner), zaehler(other.zaehler) {
    kuerzen();
}

inline Bruch::~Bruch() = default;

inline Bruch Bruch::operator+(const Bruch& right) const {
    return fromSumOfProducts(zaehler, right.nenner, right.zaehler, nenner, nenner, right.nenner, false);
}

inline Bruch Bruch::operator-(const Bruch& right) const {
    return fromSumOfProducts(zaehler, right.nenner, right.zaehler, nenner, nenner, right.nenner, true);
}

inline Bruch Bruch::operator*(const Bruch& right) const {
    return fromProducts(zaehler, right.zaehler, nenner, right.nenner);
}

inline Bruch Bruch::operator/(const Bruch& right) const {
    if (right.zaehler == 0)
        throw divisionByZeroText;
    return fromProducts(zaehler, right.nenner, nenner, right.zaehler);
}

inline Bruch Bruch::operator-() const {
    return *this * Bruch(-1, 1);
}

// Equal when the double quotients are: cheap, and indifferent to unreduced input.
inline bool Bruch::operator==(const Bruch& right) const {
    return static_cast<double>(zaehler) / static_cast<double>(nenner) ==
           static_cast<double>(right.zaehler) / static_cast<double>(right.nenner);
}

inline bool Bruch::operator!=(const Bruch& right) const {
    return !(*this == right);
}

// (a·b) / (c·d) in lowest terms; c·d must not be 0.
inline Bruch Bruch::fromProducts(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    std::int64_t numerator;
    std::int64_t denominator;
    const bool numeratorWide = __builtin_mul_overflow(a, b, &numerator);
    const bool denominatorWide = __builtin_mul_overflow(c, d, &denominator);
    if (numeratorWide || denominatorWide) [[unlikely]] {
        return fromWideQuotient(static_cast<UInt128>(Int128{a} * b), Int128{c} * d);
    }
    return fromQuotient(numerator, denominator);
}

// (a·b ± c·d) / (e·f) in lowest terms; e·f must not be 0.
inline Bruch Bruch::fromSumOfProducts(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, std::int64_t e,
                                      std::int64_t f, bool difference) {
    std::int64_t first;
    std::int64_t second;
    std::int64_t numerator;
    std::int64_t denominator;
    bool wide = __builtin_mul_overflow(a, b, &first);
    wide |= __builtin_mul_overflow(c, d, &second);
    wide |= difference ? __builtin_sub_overflow(first, second, &numerator)
                       : __builtin_add_overflow(first, second, &numerator);
    wide |= __builtin_mul_overflow(e, f, &denominator);
    if (wide) [[unlikely]] {
        // Each product fits in 127 bits; their sum may need the 128th, so it is formed
        // modulo 2^128 and read back by fromWideQuotient.
        const auto left = static_cast<UInt128>(Int128{a} * b);
        const auto right = static_cast<UInt128>(Int128{c} * d);
        return fromWideQuotient(difference ? left - right : left + right, Int128{e} * f);
    }
    return fromQuotient(numerator, denominator);
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
    if (denominator > largest || numerator > largest + (negative ? 1 : 0))
        throw overflowText;
    const std::uint64_t numeratorBits = negative ? 0 - numerator : numerator;
    return Bruch(static_cast<std::int64_t>(numeratorBits), static_cast<std::int64_t>(denominator), InLowestTerms{});
}

#include "number/BruchText.h"
