// The console text form of a fraction: what the writer prints and what the reader stores.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "number/Bruch.h"

namespace {

std::string written(const Bruch& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// Reads one fraction into target; returns the thrown text, or nullptr if nothing was thrown.
const char* readInto(std::istream& in, Bruch& target) {
    try {
        in >> target;
    } catch (const char* text) {
        return text;
    }
    return nullptr;
}

void expectFields(const Bruch& value, std::int64_t zaehler, std::int64_t nenner) {
    EXPECT_EQ(value.getZaehler(), zaehler);
    EXPECT_EQ(value.getNenner(), nenner);
}

TEST(BruchWriter, WritesZeroWholeNumberOrFraction) {
    EXPECT_EQ(written(Bruch(1, 2)), "1/2");
    EXPECT_EQ(written(Bruch(-3, 4)), "-3/4");
    EXPECT_EQ(written(Bruch(5, 1)), "5");
    EXPECT_EQ(written(Bruch(-5, 1)), "-5");
    EXPECT_EQ(written(Bruch()), "0");
    EXPECT_EQ(written(Bruch(INT64_MIN, 1)), "-9223372036854775808");
    EXPECT_EQ(written(Bruch(1, INT64_MAX)), "1/9223372036854775807");
}

TEST(BruchWriter, WritesTypedFieldsAsStored) {
    std::istringstream in("2/4 3/-4 0/5 6/3 7/-1");
    Bruch value;
    in >> value;
    EXPECT_EQ(written(value), "2/4");
    in >> value;
    EXPECT_EQ(written(value), "3/-4");
    in >> value;
    EXPECT_EQ(written(value), "0");
    in >> value;
    EXPECT_EQ(written(value), "6/3");
    EXPECT_EQ(written(value + Bruch()), "2");
    in >> value;
    EXPECT_EQ(written(value), "7/-1");
}

TEST(BruchReader, StoresFractionAsTyped) {
    std::istringstream in("2/4");
    Bruch value(9, 7);
    EXPECT_EQ(readInto(in, value), nullptr);
    expectFields(value, 2, 4);
}

TEST(BruchReader, AllowsWhitespaceAroundSlashAndAcrossLines) {
    std::istringstream in("  -7 /\t 8  5\n\n / -3");
    Bruch value;
    in >> value;
    expectFields(value, -7, 8);
    in >> value;
    expectFields(value, 5, -3);
    EXPECT_FALSE(in.fail());
}

TEST(BruchReader, SuccessiveValuesOnOneLine) {
    std::istringstream in("1/2 3/4 -5/6\n");
    Bruch first, second, third;
    in >> first >> second >> third;
    expectFields(first, 1, 2);
    expectFields(second, 3, 4);
    expectFields(third, -5, 6);
}

TEST(BruchReader, StopsAfterDenominator) {
    std::istringstream in("1/2x");
    Bruch value;
    in >> value;
    expectFields(value, 1, 2);
    EXPECT_EQ(in.get(), 'x');
}

TEST(BruchReader, ExtremeFieldsAreStoredUnreduced) {
    std::istringstream in("-9223372036854775808/2 9223372036854775807/-1");
    Bruch value;
    EXPECT_EQ(readInto(in, value), nullptr);
    expectFields(value, INT64_MIN, 2);
    EXPECT_EQ(readInto(in, value), nullptr);
    expectFields(value, INT64_MAX, -1);
}

// Such a fraction could be stored but never copied: its reduced form needs +2^63.
TEST(BruchReader, FractionWithoutAReducedFormIsRefused) {
    for (const char* text : {"-9223372036854775808/-1", "1/-9223372036854775808", "-4611686018427387904/-1"}) {
        SCOPED_TRACE(text);
        std::istringstream in(text);
        Bruch value(3, 7);
        const char* thrown = readInto(in, value);
        if (std::string(text) == "-4611686018427387904/-1") {
            EXPECT_EQ(thrown, nullptr);
            continue;
        }
        ASSERT_NE(thrown, nullptr);
        EXPECT_STREQ(thrown, fractionInputErrorText);
        EXPECT_EQ(value.getNenner(), 7);
    }
}

// The numerator is stored before the separator is checked; the denominator stays as it was.
TEST(BruchReader, MissingSlashThrowsAndKeepsOldDenominator) {
    for (const char* text : {"1,2", "1 2", "1.5"}) {
        SCOPED_TRACE(text);
        std::istringstream in(text);
        Bruch value(3, 7);
        EXPECT_STREQ(readInto(in, value), fractionInputErrorText);
        expectFields(value, 1, 7);
    }
    EXPECT_STREQ(fractionInputErrorText, "Eingabefehler (Bruchzahl)");
}

TEST(BruchReader, LoneIntegerIsNotAFraction) {
    std::istringstream in("5\n");
    Bruch value;
    EXPECT_STREQ(readInto(in, value), fractionInputErrorText);
    expectFields(value, 5, 1);
}

TEST(BruchReader, ZeroDenominatorIsRefused) {
    for (const char* text : {"1/0", "0/0", "4/-0"}) {
        SCOPED_TRACE(text);
        std::istringstream in(text);
        Bruch value(3, 7);
        EXPECT_STREQ(readInto(in, value), fractionInputErrorText);
        EXPECT_EQ(value.getNenner(), 7);
    }
}

TEST(BruchReader, UnreadableNumeratorThrows) {
    for (const char* text : {"x/2", "/2", "", "99999999999999999999/2"}) {
        SCOPED_TRACE(text);
        std::istringstream in(text);
        Bruch value(3, 7);
        EXPECT_STREQ(readInto(in, value), fractionInputErrorText);
        EXPECT_TRUE(in.fail());
        EXPECT_EQ(value.getNenner(), 7);
    }
}

// A denominator that cannot be read leaves the stream failed and no denominator stored.
TEST(BruchReader, UnreadableDenominatorFailsStream) {
    for (const char* text : {"1/x", "1/", "1/99999999999999999999", "1/-9223372036854775809"}) {
        SCOPED_TRACE(text);
        std::istringstream in(text);
        Bruch value(3, 7);
        EXPECT_EQ(readInto(in, value), nullptr);
        EXPECT_TRUE(in.fail());
        expectFields(value, 1, 7);
    }
}

// Whole numbers print without a slash and so are not readable fractions; all others read back.
TEST(BruchText, WrittenFractionsReadBackUnchanged) {
    for (const Bruch& value : {Bruch(1, 2), Bruch(-3, 4), Bruch(INT64_MIN, INT64_MAX), Bruch(INT64_MAX, 3)}) {
        std::stringstream text;
        text << value;
        Bruch back;
        text >> back;
        expectFields(back, value.getZaehler(), value.getNenner());
    }
}

}  // namespace
