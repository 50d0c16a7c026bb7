// KeyDecoder: turns the bytes a terminal or a pipe delivers into the key codes the menus
// understand, apart from where the bytes come from, so tests can feed it plain bytes.
//
//   ESC [ A, ESC O A   up arrow    -> prefix code 224, then 72
//   ESC [ B, ESC O B   down arrow  -> prefix code 224, then 80
//   other ESC [ ... final byte, ESC O x, a lone ESC -> one key without meaning (0); a byte
//                      that cannot continue a sequence is left for the next key
//   CR, LF, CR LF      Enter       -> 13
//   any other byte     that byte as its code ('H' 72 and 'P' 80 move like the arrows)
#pragma once

namespace keys {
inline constexpr int none = 0;
inline constexpr int arrowPrefix = 224;
inline constexpr int up = 72;
inline constexpr int down = 80;
inline constexpr int enter = 13;
}  // namespace keys

// Where the decoder gets its bytes. `peek` and `next` return a byte 0..255, or one of the two
// markers: nothing arrived within a short wait (the rest of a split escape sequence may still
// be on its way, but a lone Escape must not hang), or the input has ended.
class ByteSource {
public:
    static constexpr int nothingYet = -1;
    static constexpr int endOfInput = -2;

    virtual ~ByteSource() = default;
    // Blocks until a byte or the end of input is there.
    virtual int next() = 0;
    // Looks at the next byte without taking it, waiting only briefly.
    virtual int peekSoon() = 0;
};

// One key press: an optional prefix code (arrows) followed by the key's code.
struct KeyPress {
    bool hasPrefix = false;
    int code = keys::none;
    bool endOfInput = false;
};

KeyPress decodeKey(ByteSource& source);
