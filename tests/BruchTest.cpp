// What the GMP comparisons leave out: the copy and assignment rules, the thrown texts, the two
// kinds of equality, and the console text form at any length.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "MemoryLeft.h"
#include "number/Bruch.h"

namespace {

const std::string twoTo63 = "9223372036854775808";
const std::string longNumber = "123456789012345678901234567891";

Bruch typed(const std::string& text) {
    Bruch value;
    std::istringstream(text) >> value;
    return value;
}

std::string written(const Bruch& value) {
    return (std::ostringstream() << value).str();
}

// The text thrown, or "" when nothing was.
template <typename Action>
std::string thrownText(Action action) {
    try {
        action();
    } catch (const char* text) {
        return text;
    }
    return "";
}

// Reads text into 3/7, as the entry dialogs do, and returns what is shown then, marked when the
// stream failed or the input error was thrown.
std::string readBack(const std::string& text) {
    std::istringstream in(text);
    Bruch value(3, 7);
    const std::string thrown = thrownText([&] { in >> value; });
    return written(value) + (in.fail() ? " failed" : "") + (thrown.empty() ? "" : " " + thrown);
}

TEST(BruchCopy, CopyReducesAssignmentKeepsWhatWasTyped) {
    for (const std::string& text : {std::string("6/-3"), "-" + twoTo63 + "/-1", "2" + twoTo63 + "/-2" + twoTo63}) {
        Bruch target(5, 7);
        target = typed(text);
        EXPECT_EQ(written(target), text);
        EXPECT_EQ(written(Bruch(target)), written(target + Bruch()));
    }
    std::vector<Bruch> row(1, Bruch(1, 1));
    row[0] = typed("6/-3");
    row.emplace_back();  // Without a move constructor, reallocation copies and so reduces.
    EXPECT_EQ(written(row[0]), "-2");
}

TEST(BruchErrors, DivisionByZeroAndMemoryAreRefusedWithTheirTexts) {
    Bruch huge = typed("1" + std::string(40, '0') + "/3");
    for (const Bruch& zero : {Bruch(), typed("0/5"), typed("0/" + twoTo63)})
        EXPECT_EQ(thrownText([&] { (void)(huge / zero); }), "mathematischer Fehler -> Division durch 0 (Bruchzahl)");
    EXPECT_EQ(thrownText([] { Bruch(1, 0); }), divisionByZeroText);
    for (int i = 0; i < 14; ++i)
        huge = huge * huge;  // about 270 KB
    const MemoryLeft memory(std::size_t{1} << 20);
    EXPECT_THROW((void)(huge * huge), StorageRefused);
}

// Between 64-bit values the double quotients decide, so neighbours near 2^63 compare equal.
TEST(BruchEquality, QuotientsFor64BitValuesExactOtherwise) {
    EXPECT_TRUE(Bruch(INT64_MAX, 1) == Bruch(INT64_MAX - 1, 1));
    EXPECT_TRUE(typed("2/4") == Bruch(1, 2));
    EXPECT_FALSE(Bruch(INT64_MAX, 1) == typed(twoTo63 + "/1"));
    EXPECT_TRUE(typed("-" + twoTo63 + "/-1") == typed("18446744073709551616/2"));
    EXPECT_TRUE(typed(twoTo63 + "1/1") != typed(twoTo63 + "0/1"));
}

// A value typed with fields past 64 bits that reduces into them compares as its reduced form,
// which is what every copy of it holds: by quotient, like every 64-bit value.
TEST(BruchEquality, AValueTypedWideComparesAsItsReducedForm) {
    const Bruch typedWide = typed("9007199254740993000000000000/9007199254740992000000000000");
    const Bruch copy(typedWide);
    EXPECT_FALSE(copy.isWide());
    EXPECT_TRUE(copy == Bruch(1, 1));
    EXPECT_TRUE(typedWide == Bruch(1, 1));
    EXPECT_TRUE(typedWide == copy);
    // Beyond 64 bits exactly, though the quotient rounds to 1.
    EXPECT_FALSE(typed(longNumber + "1/" + longNumber + "0") == Bruch(1, 1));
}

TEST(BruchText, ReadsAsTypedAndWritesAsStored) {
    const std::string error = " Eingabefehler (Bruchzahl)";
    const std::string rows[][2] = {{" -7 /\t 8", "-7/8"},
                                   {"5\n\n / -3", "5/-3"},
                                   {"+6/1", "6"},
                                   {longNumber + "/7", longNumber + "/7"},
                                   {"-" + longNumber + "0/-20", "-" + longNumber + "0/-20"},
                                   {"-9223372036854775808/-1", "-9223372036854775808/-1"},
                                   {"0/-" + longNumber, "0"},
                                   {"1,2", "1/7" + error},
                                   {longNumber + " 2", longNumber + "/7" + error},
                                   {"5\n", "5/7 failed" + error},
                                   {"1/0", "1/7" + error},
                                   {"x/2", "3/7 failed" + error},
                                   {"1/x", "1/7 failed"}};
    for (const auto& [text, shown] : rows)
        EXPECT_EQ(readBack(text), shown) << text;
}

TEST(BruchText, ResultsPastSixtyFourBitsAreWrittenInFull) {
    std::istringstream in(longNumber + "/7 " + longNumber + "/-3 1/2x");
    Bruch a, b, c;
    in >> a >> b >> c;
    EXPECT_EQ(
        written(a + b) + ' ' + written(a * b) + ' ' + written(a - a) + ' ' + written(c) + char(in.get()),
        "-493827156049382715604938271564/21 -15241578753238836750495351562783112365526596557677488187881/21 0 1/2x");
}

}  // namespace
