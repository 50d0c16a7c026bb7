// libFuzzer target for the element readers: any bytes, read as a run of elements of each of the
// four element types, must not crash, hang or reach undefined behaviour. Fractions that are read
// are also written and fed through the arithmetic, whose results must stay in lowest terms.
#include <complex>
#include <cstdint>
#include <numeric>
#include <sstream>
#include <string>
#include <string_view>

#include <gmpxx.h>

#include "memory/StorageRefused.h"
#include "number/Bruch.h"

namespace {

template <typename T>
void readAll(const std::string& text) {
    std::istringstream in(text);
    std::ostringstream out;
    for (T value{}; in >> value;) {
        out << value;
    }
}

// Compared by content: the literal behind a thrown pointer may be another translation unit's copy.
void requireThrownText(const char* text, bool onlyInputError) {
    if (std::string_view(text) != fractionInputErrorText &&
        (onlyInputError || std::string_view(text) != divisionByZeroText))
        __builtin_trap();
}

template <typename Operation>
void requireReducedOrThrown(Operation operation) {
    try {
        const Bruch value = operation();
        // The wide form holds exactly the values that do not fit 64 bits.
        if (value.isWide()) {
            const mpz_class zaehler = value.exactZaehler(), nenner = value.exactNenner();
            if (nenner <= 0 || gcd(zaehler, nenner) != 1 || (zaehler.fits_slong_p() && nenner.fits_slong_p()))
                __builtin_trap();
            return;
        }
        const auto nenner = static_cast<std::uint64_t>(value.getNenner());
        if (value.getNenner() <= 0 || std::gcd(magnitudeOf(value.getZaehler()), nenner) != 1)
            __builtin_trap();
    } catch (const char* text) {
        requireThrownText(text, false);
    } catch (const StorageRefused&) {
        // A result too big for the memory left is refused, not made.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    readAll<float>(text);
    readAll<double>(text);
    readAll<std::complex<double>>(text);
    // Every round either consumes input or leaves the stream failed, so the loop ends.
    std::istringstream in(text);
    std::ostringstream out;
    Bruch value;
    Bruch previous(1, 1);
    while (in) {
        try {
            in >> value;
        } catch (const char* thrown) {
            requireThrownText(thrown, true);
        }
        if (!value.isWide() && value.getNenner() == 0)
            __builtin_trap();
        out << value;
        requireReducedOrThrown([&] { return Bruch(value); });
        requireReducedOrThrown([&] { return previous + value; });
        requireReducedOrThrown([&] { return previous - value; });
        requireReducedOrThrown([&] { return previous * value; });
        requireReducedOrThrown([&] { return previous / value; });
        requireReducedOrThrown([&] { return -value; });
        previous = value;
    }
    return 0;
}
