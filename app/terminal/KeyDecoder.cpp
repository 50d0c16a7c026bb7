#include "app/terminal/KeyDecoder.h"

namespace {

constexpr int escapeByte = 0x1b;

bool isFinalByte(int byte) {
    return byte >= 0x40 && byte <= 0x7e;
}

// Only the plain forms are arrows; with parameters (a modifier held) the key has no meaning.
int arrowCode(const std::string& sequence) {
    if (sequence == "[A" || sequence == "OA") {
        return keys::up;
    }
    if (sequence == "[B" || sequence == "OB") {
        return keys::down;
    }
    return keys::none;
}

// ESC [ already taken: parameters and intermediates up to the final byte.
void takeControlSequence(ByteSource& source, std::string& sequence) {
    for (;;) {
        const int byte = source.peekSoon();
        if (byte < 0x20 || byte > 0x7e) {
            return;
        }
        sequence += static_cast<char>(source.next());
        if (isFinalByte(byte)) {
            return;
        }
    }
}

}  // namespace

// Only ESC [ and ESC O start a sequence; after anything else the Escape stands alone and the
// next byte is a key of its own (an Enter or a P typed right after Escape still counts).
std::string takeEscapeSequence(ByteSource& source) {
    std::string sequence;
    const int second = source.peekSoon();
    if (second != '[' && second != 'O') {
        return sequence;
    }
    sequence += static_cast<char>(source.next());
    if (second == '[') {
        takeControlSequence(source, sequence);
    } else if (isFinalByte(source.peekSoon())) {
        sequence += static_cast<char>(source.next());
    }
    return sequence;
}

KeyPress decodeKey(ByteSource& source) {
    const int first = source.next();
    if (first == ByteSource::endOfInput) {
        return KeyPress{false, keys::none, true};
    }
    if (first == escapeByte) {
        const int code = arrowCode(takeEscapeSequence(source));
        return KeyPress{code != keys::none, code, false};
    }
    if (first == '\r') {
        if (source.peekSoon() == '\n') {
            source.next();
        }
        return KeyPress{false, keys::enter, false};
    }
    if (first == '\n') {
        return KeyPress{false, keys::enter, false};
    }
    return KeyPress{false, first, false};
}
