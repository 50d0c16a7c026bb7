// Key decoding from raw bytes: arrows in both encodings, other sequences, Enter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/KeyDecoder.h"

namespace {

// Bytes from a string; `gaps` marks positions where the next byte is not there yet within
// the short wait, as when a sequence arrives split over two reads that come too late.
class ScriptedBytes : public ByteSource {
public:
    explicit ScriptedBytes(std::string bytes, std::vector<std::size_t> gaps = {})
        : data(std::move(bytes)), gaps(std::move(gaps)) {}

    int next() override {
        if (position >= data.size()) {
            return endOfInput;
        }
        return static_cast<unsigned char>(data[position++]);
    }
    int peekSoon() override {
        for (std::size_t gap : gaps) {
            if (gap == position) {
                return nothingYet;
            }
        }
        return position < data.size() ? static_cast<unsigned char>(data[position]) : endOfInput;
    }
    std::size_t remaining() const { return data.size() - position; }

private:
    std::string data;
    std::vector<std::size_t> gaps;
    std::size_t position = 0;
};

std::vector<KeyPress> decodeAll(ScriptedBytes& bytes) {
    std::vector<KeyPress> keys;
    for (;;) {
        const KeyPress key = decodeKey(bytes);
        if (key.endOfInput) {
            return keys;
        }
        keys.push_back(key);
    }
}

TEST(KeyDecoder, ArrowsInBothEncodingsGiveThePrefixAndTheirCode) {
    ScriptedBytes bytes("\x1b[A\x1bOA\x1b[B\x1bOB");
    const std::vector<KeyPress> keys = decodeAll(bytes);
    ASSERT_EQ(keys.size(), 4u);
    for (const KeyPress& key : keys) {
        EXPECT_TRUE(key.hasPrefix);
    }
    EXPECT_EQ(keys[0].code, keys::up);
    EXPECT_EQ(keys[1].code, keys::up);
    EXPECT_EQ(keys[2].code, keys::down);
    EXPECT_EQ(keys[3].code, keys::down);
}

TEST(KeyDecoder, OtherSequencesAreOneKeyWithoutMeaningAndConsumedWhole) {
    // Left, right, Home, Delete (with a parameter), F1, shifted up, then 'x'.
    ScriptedBytes bytes("\x1b[D\x1b[C\x1b[H\x1b[3~\x1bOP\x1b[1;2Ax");
    const std::vector<KeyPress> keys = decodeAll(bytes);
    ASSERT_EQ(keys.size(), 7u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_FALSE(keys[i].hasPrefix) << i;
        EXPECT_EQ(keys[i].code, keys::none) << i;
    }
    EXPECT_EQ(keys[6].code, 'x');
}

TEST(KeyDecoder, LoneEscapeIsAKeyWithoutMeaningAndDoesNotSwallowTheNextKey) {
    ScriptedBytes bytes("\x1bH", {1});
    const std::vector<KeyPress> keys = decodeAll(bytes);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].code, keys::none);
    EXPECT_EQ(keys[1].code, keys::up);
    EXPECT_FALSE(keys[1].hasPrefix);

    ScriptedBytes twoEscapes("\x1b\x1b[B");
    const std::vector<KeyPress> then = decodeAll(twoEscapes);
    ASSERT_EQ(then.size(), 2u);
    EXPECT_EQ(then[0].code, keys::none);
    EXPECT_EQ(then[1].code, keys::down);
}

TEST(KeyDecoder, AKeyRightAfterEscapeOrABrokenSequenceStillCounts) {
    ScriptedBytes bytes("\x1b\r\x1bP\x1b[\x1b[A\x1bO\r");
    const std::vector<KeyPress> keys = decodeAll(bytes);
    ASSERT_EQ(keys.size(), 8u);
    EXPECT_EQ(keys[0].code, keys::none);
    EXPECT_EQ(keys[1].code, keys::enter);
    EXPECT_EQ(keys[2].code, keys::none);
    EXPECT_EQ(keys[3].code, keys::down);
    EXPECT_EQ(keys[4].code, keys::none);
    EXPECT_TRUE(keys[5].hasPrefix);
    EXPECT_EQ(keys[5].code, keys::up);
    EXPECT_EQ(keys[6].code, keys::none);
    EXPECT_EQ(keys[7].code, keys::enter);
}

TEST(KeyDecoder, SequenceSplitOverTwoReadsStillDecodes) {
    // peekSoon waits briefly; a split that arrives in time is one arrow.
    ScriptedBytes bytes("\x1b[A");
    EXPECT_EQ(decodeKey(bytes).code, keys::up);
    EXPECT_EQ(bytes.remaining(), 0u);
}

TEST(KeyDecoder, EnterIsCrOrLfAndCrLfCountsOnce) {
    ScriptedBytes bytes("\r\n\n\r");
    const std::vector<KeyPress> keys = decodeAll(bytes);
    ASSERT_EQ(keys.size(), 3u);
    for (const KeyPress& key : keys) {
        EXPECT_EQ(key.code, keys::enter);
    }
}

TEST(KeyDecoder, CapitalHAndPAreTheCodesOfTheArrowsWithoutPrefix) {
    ScriptedBytes bytes("HPp");
    const std::vector<KeyPress> keys = decodeAll(bytes);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].code, keys::up);
    EXPECT_EQ(keys[1].code, keys::down);
    EXPECT_EQ(keys[2].code, 'p');
}

TEST(KeyDecoder, EndInsideASequenceGivesAKeyWithoutMeaningThenTheEnd) {
    ScriptedBytes bytes("\x1b[1");
    const KeyPress first = decodeKey(bytes);
    EXPECT_FALSE(first.endOfInput);
    EXPECT_EQ(first.code, keys::none);
    EXPECT_TRUE(decodeKey(bytes).endOfInput);
}

}  // namespace
