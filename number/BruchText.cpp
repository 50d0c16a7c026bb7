// Reading and writing one fraction in its console form.
#include "number/Bruch.h"

#include <istream>
#include <ostream>

namespace {

bool hasReducedForm(std::int64_t zaehler, std::int64_t nenner) {
    try {
        const Bruch reduced(zaehler, nenner);
        return true;
    } catch (const char*) {
        return false;
    }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Bruch& value) {
    if (value.getZaehler() == 0)
        return out << '0';
    if (value.getNenner() == 1)
        return out << value.getZaehler();
    return out << value.getZaehler() << '/' << value.getNenner();
}

// The numerator lands in the fraction before the slash is checked, so a missing slash leaves the
// new numerator over the old denominator. A denominator is stored only when it was read and is
// not 0: no fraction ever holds a zero denominator. Nor one without a reduced 64-bit form (such
// as 1/-9223372036854775808): every later copy of it would fail. A failed denominator read leaves
// the stream failed for the caller to see.
std::istream& operator>>(std::istream& in, Bruch& value) {
    in >> value.zaehler;
    char separator = '\0';
    in >> separator;
    if (separator != '/')
        throw fractionInputErrorText;
    std::int64_t nenner = 0;
    if (in >> nenner) {
        if (nenner == 0 || !hasReducedForm(value.zaehler, nenner))
            throw fractionInputErrorText;
        value.nenner = nenner;
    }
    return in;
}
