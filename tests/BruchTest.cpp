// What the GMP comparisons leave out: the copy and assignment rules, the thrown texts, the two
// kinds of equality, and the console text form at any length.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "MemoryLeft.h"
#include "memory/StorageRefused.h"
#include "number/BigNumberMemory.h"
#include "number/Bruch.h"

#if !defined(_WIN32)
#include <gmpxx.h>
#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#endif

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

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Makes a number of 4 MB under a data segment of what the process holds and 1 MB more, then
// asks the storage check: ends with 3 when that refused, 2 when it granted.
void failAnAllocationInsideTheLibrary() {
    bignumber::setUpAllocation(nullptr);
    std::ifstream status("/proc/self/status");
    std::string key;
    rlim_t held = 0;
    while (status >> key && key != "VmData:") {
    }
    status >> held;
    const rlimit limit{(held + 1024) * 1024, RLIM_INFINITY};
    setrlimit(RLIMIT_DATA, &limit);
    mpz_class large;
    mpz_setbit(large.get_mpz_t(), mp_bitcnt_t{4} * 8 * 1024 * 1024);
    try {
        bignumber::requireBytes(1);
    } catch (const StorageRefused&) {
        std::_Exit(3);
    }
    std::_Exit(2);
}

// An allocation inside GMP that fails, past what the storage check granted, cannot be refused
// there: the reserve takes it, and the next check refuses the operation instead of the program
// ending.
TEST(BigNumberMemory, AnAllocationThatFailsInsideTheLibraryIsRefusedAtTheNextCheck) {
    EXPECT_EXIT(failAnAllocationInsideTheLibrary(), ::testing::ExitedWithCode(3), "");
}
#endif

}  // namespace
