// Construction, reduction, arithmetic, overflow and equality of Bruch.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "number/Bruch.h"

namespace {

constexpr std::int64_t kMax = INT64_MAX;
constexpr std::int64_t kMin = INT64_MIN;

// A fraction exactly as typed, bypassing the reduction that every constructor does.
Bruch typed(const std::string& text) {
    Bruch value;
    std::istringstream in(text);
    in >> value;
    EXPECT_FALSE(in.fail()) << text;
    return value;
}

void expectFields(const Bruch& value, std::int64_t zaehler, std::int64_t nenner) {
    EXPECT_EQ(value.getZaehler(), zaehler);
    EXPECT_EQ(value.getNenner(), nenner);
}

// By content: every translation unit may hold its own copy of the thrown literal.
template <typename Action>
void expectThrownText(Action action, const char* expected) {
    try {
        action();
        ADD_FAILURE() << "expected the text " << expected;
    } catch (const char* text) {
        EXPECT_STREQ(text, expected);
    }
}

TEST(BruchConstruction, DefaultIsZeroOverOne) {
    expectFields(Bruch(), 0, 1);
}

TEST(BruchConstruction, ValueConstructorReducesToPositiveDenominator) {
    expectFields(Bruch(6, -4), -3, 2);
    expectFields(Bruch(0, -5), 0, 1);
    expectFields(Bruch(-12, -18), 2, 3);
    expectFields(Bruch(7, 1), 7, 1);
}

// The worked values of the reduction, including those where the divisor comes out negative.
TEST(BruchConstruction, ReductionTable) {
    struct Row {
        std::int64_t zaehler, nenner, reducedZaehler, reducedNenner;
    };
    const Row rows[] = {
        {0, 7, 0, 1}, {4, 2, 2, 1}, {3, 6, 1, 2}, {-3, 6, -1, 2}, {3, -4, -3, 4}, {2, -4, -1, 2}, {4, -2, -2, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.zaehler) + "/" + std::to_string(row.nenner));
        expectFields(Bruch(row.zaehler, row.nenner), row.reducedZaehler, row.reducedNenner);
    }
}

TEST(BruchConstruction, KuerzenReducesTypedValueInPlace) {
    Bruch value = typed("-3/6");
    value.kuerzen();
    expectFields(value, -1, 2);
}

TEST(BruchConstruction, ZeroDenominatorIsRefused) {
    expectThrownText([] { Bruch(1, 0); }, divisionByZeroText);
}

// -2^63 has no positive counterpart: reductions that would need one throw, the others succeed.
TEST(BruchConstruction, MostNegativeValueReducesOrOverflows) {
    expectFields(Bruch(kMin, 1), kMin, 1);
    expectFields(Bruch(kMin, kMin), 1, 1);
    expectFields(Bruch(0, kMin), 0, 1);
    expectFields(Bruch(kMin, 2), kMin / 2, 1);
    expectFields(Bruch(kMin, -2), -(kMin / 2), 1);
    expectFields(Bruch(2, kMin), -1, -(kMin / 2));
    expectFields(Bruch(-3, kMin + 1), 3, kMax);
    expectFields(Bruch(kMin, kMax), kMin, kMax);
    expectThrownText([] { Bruch(kMin, -1); }, overflowText);
    expectThrownText([] { Bruch(3, kMin); }, overflowText);
    expectThrownText([] { Bruch(-3, kMin); }, overflowText);
    expectThrownText([] { Bruch(kMin, -3); }, overflowText);
    expectThrownText([] { Bruch(kMin, kMin + 1); }, overflowText);
    expectThrownText([] { Bruch(kMax, kMin); }, overflowText);
    expectThrownText([] { Bruch(kMin, -kMax); }, overflowText);
}

TEST(BruchConstruction, FractionWithoutAReducedFormCannotBeConstructed) {
    expectThrownText([] { Bruch value(3, kMin); }, overflowText);
    expectThrownText([] { Bruch value(kMin, -1); }, overflowText);
}

TEST(BruchGgT, KeepsSignsOfTruncatingRemainders) {
    const Bruch any;
    EXPECT_EQ(any.ggT(12, 18), 6);
    EXPECT_EQ(any.ggT(6, -3), -3);
    EXPECT_EQ(any.ggT(-4, 3), -1);
    EXPECT_EQ(any.ggT(0, 5), 5);
    EXPECT_EQ(any.ggT(1071, 462), 21);
}

TEST(BruchGgT, HandlesMostNegativeValue) {
    const Bruch any;
    EXPECT_EQ(any.ggT(kMin, -1), -1);
    EXPECT_EQ(any.ggT(kMin, kMin), kMin);
    EXPECT_EQ(any.ggT(kMin, 6), -2);
    EXPECT_EQ(any.ggT(kMin, -3), -1);
    // Consecutive Fibonacci numbers: the deepest recursion 64-bit operands can ask for.
    EXPECT_EQ(any.ggT(7540113804746346429, 4660046610375530309), 1);
}

TEST(BruchCopy, CopyReducesAssignmentDoesNot) {
    const Bruch source = typed("2/4");
    Bruch target(5, 7);
    target = source;
    expectFields(target, 2, 4);
    const Bruch copy(target);
    expectFields(copy, 1, 2);
}

// Without a move constructor the storage's reallocation copies, and so reduces, every element.
TEST(BruchCopy, VectorReallocationReducesElements) {
    std::vector<Bruch> row;
    row.reserve(1);
    row.emplace_back();
    row[0] = typed("6/-3");
    expectFields(row[0], 6, -3);
    row.emplace_back(1, 1);
    expectFields(row[0], -2, 1);
}

TEST(BruchArithmetic, SumsAndDifferences) {
    expectFields(Bruch(1, 2) + Bruch(1, 3), 5, 6);
    expectFields(Bruch(1, 2) - Bruch(1, 2), 0, 1);
    expectFields(Bruch(-1, 6) - Bruch(1, 3), -1, 2);
    expectFields(Bruch(3, 4) + Bruch(-3, 4), 0, 1);
}

TEST(BruchArithmetic, ProductsAndQuotients) {
    expectFields(Bruch(2, 3) * Bruch(3, 2), 1, 1);
    expectFields(Bruch(-2, 3) * Bruch(0, 1), 0, 1);
    expectFields(Bruch(1, 2) / Bruch(-1, 4), -2, 1);
    expectFields(Bruch(-1, 2) / Bruch(-1, 2), 1, 1);
    expectFields(Bruch(0, 1) / Bruch(1, 2), 0, 1);
    expectFields(Bruch(3, 5) / Bruch(-9, 10), -2, 3);
}

TEST(BruchArithmetic, DivisionByZeroThrowsItsText) {
    const Bruch left(1, 2);
    const Bruch zero;
    expectThrownText([&] { (void)(left / zero); }, divisionByZeroText);
    expectThrownText([&] { (void)(left / typed("0/5")); }, divisionByZeroText);
    EXPECT_STREQ(divisionByZeroText, "mathematischer Fehler -> Division durch 0 (Bruchzahl)");
}

TEST(BruchArithmetic, UnaryMinus) {
    expectFields(-Bruch(), 0, 1);
    expectFields(-Bruch(-3, 4), 3, 4);
    expectFields(-Bruch(-kMax, 1), kMax, 1);
    expectFields(-typed("3/-4"), 3, 4);
}

// Typed operands may be unreduced or carry the sign below; results come out reduced.
TEST(BruchArithmetic, UnreducedOperandsGiveReducedResults) {
    expectFields(typed("6/3") + Bruch(), 2, 1);
    expectFields(typed("2/4") * Bruch(1, 1), 1, 2);
    expectFields(typed("3/-4") - Bruch(1, 4), -1, 1);
    expectFields(Bruch(1, 1) / typed("-2/-4"), 2, 1);
    expectFields(typed("-9223372036854775808/-9223372036854775808") * Bruch(1, 1), 1, 1);
}

TEST(BruchOverflow, ExactWhenWideIntermediatesReduceBack) {
    expectFields(Bruch(3037000500, 1) * typed("3037000500/3037000500"), 3037000500, 1);
    expectFields(Bruch(1, kMax) + Bruch(kMax - 1, kMax), 1, 1);
    expectFields(Bruch(kMax, 2) - Bruch(kMax - 2, 2), 1, 1);
    expectFields(Bruch(kMax, 3) / Bruch(kMax, 6), 2, 1);
    expectFields(Bruch(kMin, 1) / Bruch(2, 1), kMin / 2, 1);
}

// Both products are 2^126, so the numerator of the sum is 2^127: beyond a signed 128-bit value.
TEST(BruchOverflow, SumOfTwoLargestProducts) {
    const Bruch one = typed("-9223372036854775808/-9223372036854775808");
    expectFields(one + one, 2, 1);
    expectFields(one - one, 0, 1);
}

TEST(BruchOverflow, UnrepresentableResultsThrowTheOverflowText) {
    expectThrownText([] { (void)(Bruch(kMax, 1) * Bruch(kMax, 1)); }, overflowText);
    expectThrownText([] { (void)(Bruch(kMax, 1) + Bruch(1, 1)); }, overflowText);
    expectThrownText([] { (void)(Bruch(kMin, 1) - Bruch(1, 1)); }, overflowText);
    expectThrownText([] { (void)(Bruch(1, kMax) * Bruch(1, 2)); }, overflowText);
    expectThrownText([] { (void)(Bruch(kMin, 1) / Bruch(-1, 1)); }, overflowText);
    expectThrownText([] { (void)(-Bruch(kMin, 1)); }, overflowText);
    expectThrownText([] { (void)(Bruch(kMin, 3) + Bruch(kMin, 3)); }, overflowText);
    EXPECT_STREQ(overflowText, "mathematischer Fehler -> Ueberlauf (Bruchzahl)");
}

TEST(BruchOverflow, MostNegativeResultIsRepresentable) {
    expectFields(Bruch(kMin + 1, 1) - Bruch(1, 1), kMin, 1);
    expectFields(Bruch(kMin / 2, 1) * Bruch(2, 1), kMin, 1);
    expectFields(Bruch(kMax, 1) / Bruch(-kMax, 1), -1, 1);
}

TEST(BruchEquality, ComparesDoubleQuotients) {
    EXPECT_TRUE(Bruch(1, 3) == Bruch(2, 6));
    EXPECT_FALSE(Bruch(1, 3) == Bruch());
    EXPECT_TRUE(Bruch(1, 3) != Bruch());
    EXPECT_TRUE(typed("2/2") == Bruch(1, 1));
    EXPECT_TRUE(typed("3/-4") == Bruch(-3, 4));
    EXPECT_TRUE(typed("0/-5") == Bruch());
    EXPECT_FALSE(Bruch(-1, 2) == Bruch(1, 2));
}

// Differences below double precision do not count: both sides round to 2^63.
TEST(BruchEquality, DifferencesBeyondDoublePrecisionCompareEqual) {
    EXPECT_TRUE(Bruch(kMax, 1) == Bruch(kMax - 1, 1));
    EXPECT_FALSE(Bruch(kMax, 1) != Bruch(kMax - 1, 1));
}

}  // namespace
