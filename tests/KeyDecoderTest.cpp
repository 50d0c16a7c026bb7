// Key decoding from raw bytes: arrows in both encodings, other sequences, Escape, Enter.
#include <gtest/gtest.h>

#include <string>

#include "app/terminal/KeyDecoder.h"

namespace {

// Bytes from a string; at position `gap` the next byte is not there yet within the short wait,
// as when the rest of a sequence comes too late.
class ScriptedBytes : public ByteSource {
public:
    ScriptedBytes(std::string bytes, std::size_t gap) : data(std::move(bytes)), gap(gap) {}
    int next() override { return position < data.size() ? static_cast<unsigned char>(data[position++]) : endOfInput; }
    int peekSoon() override {
        return position == gap          ? nothingYet
               : position < data.size() ? static_cast<unsigned char>(data[position])
                                        : endOfInput;
    }

private:
    std::string data;
    std::size_t gap;
    std::size_t position = 0;
};

TEST(KeyDecoder, DecodesEveryKindOfKey) {
    const std::size_t none = std::string::npos;
    // Each key as one letter: U and D for the arrow codes (^ before them when the prefix code
    // comes first), E for Enter, - for a key without meaning, any other code as itself.
    const struct {
        const char* what;
        std::string bytes;
        std::size_t gap;
        const char* keys;
    } cases[] = {
        {"arrows in both encodings", "\x1b[A\x1bOA\x1b[B\x1bOB", none, "^U^U^D^D"},
        {"left, right, Home, Delete, F1, shifted up, then x", "\x1b[D\x1b[C\x1b[H\x1b[3~\x1bOP\x1b[1;2Ax", none,
         "------x"},
        {"a lone Escape leaves the next key alone", "\x1bH", 1, "-U"},
        {"Escape before an arrow", "\x1b\x1b[B", none, "-^D"},
        {"keys right after Escape or a broken sequence", "\x1b\r\x1bP\x1b[\x1b[A\x1bO\r", none, "-E-D-^U-E"},
        {"CR, LF and CR LF are each one Enter", "\r\n\n\r", none, "EEE"},
        {"capital H and P are the arrow codes without prefix", "HPp", none, "UDp"},
        {"the end inside a sequence", "\x1b[1", none, "-"},
        {"the end right after Escape", "\x1b", none, "-"},
    };
    for (const auto& c : cases) {
        ScriptedBytes source(c.bytes, c.gap);
        std::string keys;
        for (KeyPress key = decodeKey(source); !key.endOfInput; key = decodeKey(source)) {
            keys += key.hasPrefix ? "^" : "";
            keys += key.code == keys::up      ? 'U'
                    : key.code == keys::down  ? 'D'
                    : key.code == keys::enter ? 'E'
                    : key.code == keys::none  ? '-'
                                              : static_cast<char>(key.code);
        }
        EXPECT_EQ(keys, c.keys) << c.what;
    }
}

}  // namespace
