// The text forms of the decimal and complex element types: the standard stream operators on
// streams left at their default settings, as the dialogs use them.
#include <gtest/gtest.h>

#include <complex>
#include <limits>
#include <sstream>
#include <string>

namespace {

using Complex = std::complex<double>;

template <typename T>
std::string written(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

TEST(ElementWriter, DecimalsInSixDigitGeneralNotation) {
    EXPECT_EQ(written(0.5), "0.5");
    EXPECT_EQ(written(1.0f / 3.0f), "0.333333");
    EXPECT_EQ(written(1.0 / 3.0), "0.333333");
    EXPECT_EQ(written(2.0), "2");
    EXPECT_EQ(written(-1.25f), "-1.25");
    EXPECT_EQ(written(1234567.0), "1.23457e+06");
}

TEST(ElementWriter, RangeLimitsOfTheDecimalTypes) {
    EXPECT_EQ(written(std::numeric_limits<float>::min()), "1.17549e-38");
    EXPECT_EQ(written(std::numeric_limits<float>::max()), "3.40282e+38");
    EXPECT_EQ(written(std::numeric_limits<double>::min()), "2.22507e-308");
    EXPECT_EQ(written(std::numeric_limits<double>::max()), "1.79769e+308");
}

TEST(ElementWriter, ComplexAsParenthesisedPair) {
    EXPECT_EQ(written(Complex(1, 2)), "(1,2)");
    EXPECT_EQ(written(Complex(0.5, -1)), "(0.5,-1)");
    EXPECT_EQ(written(Complex()), "(0,0)");
}

TEST(ComplexReader, AcceptsPairParenthesisedRealAndBareReal) {
    struct Row {
        const char* text;
        Complex expected;
    };
    const Row rows[] = {
        {"(1,2)", {1, 2}}, {"( 1 , 2 )", {1, 2}}, {"3", {3, 0}},
        {"(3)", {3, 0}},   {"-2.5", {-2.5, 0}},   {"\n (0.5,-1e3)", {0.5, -1000}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::istringstream in(row.text);
        Complex value(7, 7);
        in >> value;
        EXPECT_FALSE(in.fail());
        EXPECT_EQ(value, row.expected);
    }
}

TEST(ComplexReader, OtherFormsFailAndLeaveElementUnchanged) {
    for (const char* text : {"(1;2)", "(1,2", "(,2)", "(1 2)", "i"}) {
        SCOPED_TRACE(text);
        std::istringstream in(text);
        Complex value(7, 7);
        in >> value;
        EXPECT_TRUE(in.fail());
        EXPECT_EQ(value, Complex(7, 7));
    }
}

TEST(DecimalReader, SeveralValuesOnOneLineAnswerSuccessivePrompts) {
    std::istringstream in(" 1.5\t-2 3e2\n");
    double first = 0, second = 0, third = 0;
    in >> first >> second >> third;
    EXPECT_FALSE(in.fail());
    EXPECT_EQ(first, 1.5);
    EXPECT_EQ(second, -2.0);
    EXPECT_EQ(third, 300.0);
}

// The decimal separator is the point: the comma stays in the input and stops the next read.
TEST(DecimalReader, CommaEndsTheNumber) {
    std::istringstream in("1,5");
    float first = 0, second = 0;
    in >> first;
    EXPECT_FALSE(in.fail());
    EXPECT_EQ(first, 1.0f);
    EXPECT_EQ(in.peek(), ',');
    in >> second;
    EXPECT_TRUE(in.fail());
}

TEST(DecimalReader, OutOfRangeFailsTheStream) {
    std::istringstream hugeDouble("1e999");
    double d = 0;
    hugeDouble >> d;
    EXPECT_TRUE(hugeDouble.fail());

    std::istringstream hugeFloat("1e999");
    float f = 0;
    hugeFloat >> f;
    EXPECT_TRUE(hugeFloat.fail());

    // Beyond float but within double: only the float read fails.
    std::istringstream forFloat("1e39"), forDouble("1e39");
    forFloat >> f;
    forDouble >> d;
    EXPECT_TRUE(forFloat.fail());
    EXPECT_FALSE(forDouble.fail());
}

}  // namespace
