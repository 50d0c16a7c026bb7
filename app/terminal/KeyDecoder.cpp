#include "app/terminal/KeyDecoder.h"

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

bool isFinalByte(int byte) {
    return byte >= 0x40 && byte <= 0x7e;
}

// ESC [ already taken: parameters and intermediates up to the final byte. A byte that cannot
// belong to the sequence ends it and is left for the next key.
KeyPress decodeControlSequence(ByteSource& source) {
    bool plain = true;
    for (;;) {
        const int byte = source.peekSoon();
        if (byte < 0x20 || byte > 0x7e) {
            return meaningless();
        }
        source.next();
        if (isFinalByte(byte)) {
            const int code = plain ? arrowCode(byte) : keys::none;
            return code == keys::none ? meaningless() : arrow(code);
        }
        plain = false;
    }
}

// Only ESC [ and ESC O start a sequence; after anything else the Escape stands alone and the
// next byte is a key of its own (an Enter or a P typed right after Escape still counts).
KeyPress decodeEscape(ByteSource& source) {
    const int second = source.peekSoon();
    if (second != '[' && second != 'O') {
        return meaningless();
    }
    source.next();
    if (second == '[') {
        return decodeControlSequence(source);
    }
    const int third = source.peekSoon();
    if (!isFinalByte(third)) {
        return meaningless();
    }
    source.next();
    const int code = arrowCode(third);
    return code == keys::none ? meaningless() : arrow(code);
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
