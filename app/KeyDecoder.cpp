#include "app/KeyDecoder.h"

namespace {

constexpr int escapeByte = 0x1b;

KeyPress meaningless() {
    return KeyPress{false, keys::none, false};
}
KeyPress arrow(int code) {
    return KeyPress{true, code, false};
}

int arrowCode(int finalByte) {
    if (finalByte == 'A') {
        return keys::up;
    }
    if (finalByte == 'B') {
        return keys::down;
    }
    return keys::none;
}

// ESC [ already taken: parameters and intermediates up to the final byte.
KeyPress decodeControlSequence(ByteSource& source) {
    bool plain = true;
    for (;;) {
        const int byte = source.peekSoon();
        if (byte < 0) {
            return meaningless();
        }
        source.next();
        if (byte >= 0x40 && byte <= 0x7e) {
            const int code = plain ? arrowCode(byte) : keys::none;
            return code == keys::none ? meaningless() : arrow(code);
        }
        if (byte < 0x20 || byte > 0x3f) {
            return meaningless();
        }
        plain = false;
    }
}

KeyPress decodeEscape(ByteSource& source) {
    const int second = source.peekSoon();
    if (second < 0 || second == escapeByte) {
        return meaningless();
    }
    source.next();
    if (second == '[') {
        return decodeControlSequence(source);
    }
    if (second == 'O') {
        const int third = source.peekSoon();
        if (third < 0) {
            return meaningless();
        }
        source.next();
        const int code = arrowCode(third);
        return code == keys::none ? meaningless() : arrow(code);
    }
    return meaningless();
}

}  // namespace

KeyPress decodeKey(ByteSource& source) {
    const int first = source.next();
    if (first == ByteSource::endOfInput) {
        return KeyPress{false, keys::none, true};
    }
    if (first == escapeByte) {
        return decodeEscape(source);
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
