// Bruch: an exact fraction with 64-bit numerator and denominator, kept reduced with a positive
// denominator. Arithmetic that would leave the 64-bit range throws instead of wrapping.
#pragma once

#include <cstdint>
#include <iosfwd>

// Thrown as plain texts (const char*), like the library's other non-matrix errors.
inline constexpr const char* divisionByZeroText = "mathematischer Fehler -> Division durch 0 (Bruchzahl)";
inline constexpr const char* overflowText = "mathematischer Fehler -> Ueberlauf (Bruchzahl)";
inline constexpr const char* fractionInputErrorText = "Eingabefehler (Bruchzahl)";

class Bruch {
public:
    Bruch();
    Bruch(std::int64_t zaehler, std::int64_t nenner);
    Bruch(const Bruch& other);
    Bruch& operator=(const Bruch& other);
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
    std::int64_t nenner;
    std::int64_t zaehler;
};

std::ostream& operator<<(std::ostream& out, const Bruch& value);
std::istream& operator>>(std::istream& in, Bruch& value);
