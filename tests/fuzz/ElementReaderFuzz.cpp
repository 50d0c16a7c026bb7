// libFuzzer target for the element readers: any bytes, read as a run of elements of each of the
// four element types, must not crash, hang or reach undefined behaviour. Fractions that are read
// are also written and fed through the arithmetic, whose results must stay in lowest terms.
#include <complex>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <sstream>
#include <string>

#include "matrix/StorageLimit.h"
#include "number/Bruch.h"

namespace {

template <typename T>
void readAll(const std::string& text) {
    std::istringstream in(text);
    std::ostringstream out;
    T value{};
    while (in >> value)
        out << value;
}

// By content: the literal behind a thrown pointer may be another translation unit's copy.
bool sameText(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

bool isThrownText(const char* text) {
    return sameText(text, divisionByZeroText) || sameText(text, outOfMemoryText) ||
           sameText(text, fractionInputErrorText);
}

void requireLowestTerms(const Bruch& value) {
    if (value.isWide()) {
        const mpz_class zaehler = value.exactZaehler();
        const mpz_class nenner = value.exactNenner();
        if (nenner <= 0 || gcd(zaehler, nenner) != 1 || (zaehler.fits_slong_p() && nenner.fits_slong_p()))
            __builtin_trap();
        return;
    }
    const std::uint64_t zaehler = magnitudeOf(value.getZaehler());
    if (value.getNenner() <= 0 || std::gcd(zaehler, static_cast<std::uint64_t>(value.getNenner())) != 1) {
        __builtin_trap();
    }
}

template <typename Operation>
void requireReducedOrThrown(Operation operation) {
    try {
        requireLowestTerms(operation());
    } catch (const char* text) {
        if (!isThrownText(text))
            __builtin_trap();
    }
}

void combine(const Bruch& previous, const Bruch& value) {
    requireReducedOrThrown([&] { return Bruch(value); });
    requireReducedOrThrown([&] { return previous + value; });
    requireReducedOrThrown([&] { return previous - value; });
    requireReducedOrThrown([&] { return previous * value; });
    requireReducedOrThrown([&] { return previous / value; });
    requireReducedOrThrown([&] { return -value; });
}

// Every round either consumes input or leaves the stream failed, so the loop ends.
void readFractions(const std::string& text) {
    std::istringstream in(text);
    std::ostringstream out;
    Bruch value;
    Bruch previous(1, 1);
    while (in) {
        try {
            in >> value;
        } catch (const char* thrown) {
            if (!sameText(thrown, fractionInputErrorText))
                __builtin_trap();
        }
        if (!value.isWide() && value.getNenner() == 0)
            __builtin_trap();
        out << value;
        combine(previous, value);
        previous = value;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    readAll<float>(text);
    readAll<double>(text);
    readAll<std::complex<double>>(text);
    readFractions(text);
    return 0;
}
