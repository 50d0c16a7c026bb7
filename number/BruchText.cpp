// Reading and writing one fraction in its console form, at any length.
#include <istream>
#include <ostream>
#include <string>

#include "number/BigNumberMemory.h"
#include "number/Bruch.h"

namespace {

// One signed decimal integer of any length, as the standard integer extraction reads one:
// whitespace skipped first (unless the stream says not to), an optional sign, then digits up
// to the first character that cannot continue them. Without a digit the stream fails. Every
// growth of the text is first granted by the memory check, so that no input can exhaust the memory.
bool readInteger(std::istream& in, std::string& text) {
    text.clear();
    const std::istream::sentry sentry(in);
    if (!sentry)
        return false;
    std::streambuf& buffer = *in.rdbuf();
    constexpr int end = std::char_traits<char>::eof();
    int next = buffer.sgetc();
    if (next == '+' || next == '-') {
        if (next == '-')
            text += '-';
        next = buffer.snextc();
    }
    const std::size_t signLength = text.size();
    while (next >= '0' && next <= '9') {
        if (text.size() == text.capacity()) {
            // The text doubles, as a string grows, and the old one lives until it is copied.
            const std::size_t grown = 2 * text.capacity() + 16;
            bignumber::requireBytes(grown);
            text.reserve(grown);
        }
        text += static_cast<char>(next);
        next = buffer.snextc();
    }
    if (next == end)
        in.setstate(std::ios::eofbit);
    if (text.size() == signLength) {
        in.setstate(std::ios::failbit);
        return false;
    }
    return true;
}

bignumber::BigInteger integerFromText(const std::string& digits) {
    bignumber::requireBytes(bignumber::bytesToReadDecimal(digits.size()));
    return bignumber::integerFromDecimal(digits);
}

void writeInteger(std::ostream& out, const Bruch& value, bool numerator) {
    if (value.isWide()) {
        const bignumber::BigInteger field = numerator ? value.exactZaehler() : value.exactNenner();
        bignumber::requireBytes(bignumber::bytesToWriteDecimal(bignumber::bytesOf(field)));
        out << bignumber::decimalText(field);
    } else
        out << (numerator ? value.getZaehler() : value.getNenner());
}

}  // namespace

// 0, a whole number, or zaehler/nenner, with the fields as stored.
std::ostream& operator<<(std::ostream& out, const Bruch& value) {
    if (value.isWide() ? value.exactZaehler() == 0 : value.getZaehler() == 0)
        return out << '0';
    writeInteger(out, value, true);
    if (value.isWide() ? value.exactNenner() != 1 : value.getNenner() != 1) {
        out << '/';
        writeInteger(out, value, false);
    }
    return out;
}

// The numerator lands in the fraction before the slash is checked, so a missing slash leaves the
// new numerator over the old denominator. A denominator is stored only when it was read and is
// not 0: no fraction ever holds a zero denominator. A failed denominator read leaves the stream
// failed for the caller to see; a failed numerator read changes nothing.
std::istream& operator>>(std::istream& in, Bruch& value) {
    std::string text;
    if (!readInteger(in, text))
        throw fractionInputErrorText;
    const bignumber::BigInteger numerator = integerFromText(text);
    value.storeTyped(numerator, value.exactNenner());
    char separator = '\0';
    in >> separator;
    if (separator != '/')
        throw fractionInputErrorText;
    if (!readInteger(in, text))
        return in;
    const bignumber::BigInteger denominator = integerFromText(text);
    if (denominator == 0)
        throw fractionInputErrorText;
    value.storeTyped(numerator, denominator);
    return in;
}
