// Bruch against exact rational arithmetic (GMP): on many random operands, every result is the
// exact value in lowest terms, or the overflow text exactly when that value has no 64-bit form.
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <cstdint>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "number/Bruch.h"

namespace {

constexpr std::int64_t kMax = INT64_MAX;
constexpr std::int64_t kMin = INT64_MIN;

class OperandSource {
public:
    explicit OperandSource(std::uint64_t seed) : random(seed) {}

    // A field value from a mix that favours the places where 64-bit arithmetic breaks.
    std::int64_t field() {
        switch (pick(7)) {
        case 0:
            return between(-20, 20);
        case 1:
            return between(-(std::int64_t{1} << 31), std::int64_t{1} << 31);
        case 2:
            return static_cast<std::int64_t>(random());
        case 3:
            return kMax - between(0, 3);
        case 4:
            return kMin + between(0, 3);
        case 5:
            return signedPowerOfTwo();
        default:
            return between(-3037000500, 3037000500);
        }
    }

    std::int64_t nonzeroField() {
        std::int64_t value = 0;
        while (value == 0)
            value = field();
        return value;
    }

    std::int64_t between(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    }

    int pick(int count) { return static_cast<int>(between(0, count - 1)); }

private:
    std::int64_t signedPowerOfTwo() {
        const auto power = static_cast<std::int64_t>(std::uint64_t{1} << between(0, 62));
        const std::int64_t nudged = power + between(-1, 1);
        return pick(2) == 0 ? nudged : -nudged;
    }

    std::mt19937_64 random;
};

// The raw fields of an operand, as the value constructor or the text reader receives them.
struct Fields {
    std::int64_t zaehler;
    std::int64_t nenner;
};

std::string describe(const Fields& f) {
    return std::to_string(f.zaehler) + "/" + std::to_string(f.nenner);
}

mpq_class exact(const Fields& f) {
    mpq_class value{mpz_class(static_cast<long>(f.zaehler)), mpz_class(static_cast<long>(f.nenner))};
    value.canonicalize();
    return value;
}

bool representable(const mpq_class& value) {
    return value.get_num().fits_slong_p() && value.get_den().fits_slong_p();
}

// The fraction as the reader stores it; nullopt where the reader refuses it.
std::optional<Bruch> typed(const Fields& f) {
    std::istringstream in(describe(f));
    Bruch value;
    try {
        in >> value;
    } catch (const char*) {
        return std::nullopt;
    }
    return value;
}

// The outcome of one operation: its exact value, or the overflow text if and only if that
// value does not fit; any other outcome is a fault.
template <typename Operation>
void expectExactOrOverflow(const mpq_class& expected, Operation operation, const std::string& what) {
    try {
        const Bruch result = operation();
        ASSERT_TRUE(representable(expected)) << what << " gave a result for " << expected.get_str();
        ASSERT_EQ(result.getZaehler(), expected.get_num().get_si()) << what;
        ASSERT_EQ(result.getNenner(), expected.get_den().get_si()) << what;
    } catch (const char* text) {
        ASSERT_STREQ(text, overflowText) << what << ": " << text;
        ASSERT_FALSE(representable(expected)) << what << " overflowed for " << expected.get_str();
    }
}

void checkAllOperations(const Fields& left, const Fields& right, bool asTyped) {
    const mpq_class x = exact(left);
    const mpq_class y = exact(right);
    if (asTyped) {
        // The reader refuses exactly the fractions that have no reduced 64-bit form.
        const std::optional<Bruch> typedLeft = typed(left);
        const std::optional<Bruch> typedRight = typed(right);
        ASSERT_EQ(typedLeft.has_value(), representable(x)) << describe(left);
        ASSERT_EQ(typedRight.has_value(), representable(y)) << describe(right);
        if (!typedLeft || !typedRight) {
            return;
        }
    }
    const Bruch a = asTyped ? *typed(left) : Bruch(left.zaehler, left.nenner);
    const Bruch b = asTyped ? *typed(right) : Bruch(right.zaehler, right.nenner);
    const std::string pair = describe(left) + (asTyped ? " typed, " : ", ") + describe(right);
    expectExactOrOverflow(
        x + y, [&] { return a + b; }, pair + " +");
    expectExactOrOverflow(
        x - y, [&] { return a - b; }, pair + " -");
    expectExactOrOverflow(
        x * y, [&] { return a * b; }, pair + " *");
    expectExactOrOverflow(
        -x, [&] { return -a; }, pair + " unary -");
    if (y == 0) {
        try {
            (void)(a / b);
            FAIL() << pair << " / did not throw";
        } catch (const char* text) {
            ASSERT_STREQ(text, divisionByZeroText) << pair;
        }
    } else {
        expectExactOrOverflow(
            x / y, [&] { return a / b; }, pair + " /");
    }
}

// Operand pairs whose products leave 64 bits but whose results mostly reduce back into them.
void sharedFactorPair(OperandSource& source, Fields& left, Fields& right) {
    const std::int64_t factor = source.between(std::int64_t{1} << 20, std::int64_t{1} << 40);
    const std::int64_t limit = kMax / factor;
    const auto small = [&] {
        std::int64_t value = 0;
        while (value == 0)
            value = source.between(-limit, limit);
        return value;
    };
    if (source.pick(2) == 0) {
        // Common denominator: the product of the denominators is wide, the sum is not.
        left = {source.field(), factor * small()};
        right = {source.field(), left.nenner};
    } else {
        // The factor cancels across the product.
        left = {factor * small(), small()};
        right = {small(), factor * small()};
    }
}

TEST(BruchReference, ValueConstructorMatchesExactReduction) {
    OperandSource source(20240601);
    for (int i = 0; i < 20000; ++i) {
        const Fields f{source.field(), source.nonzeroField()};
        expectExactOrOverflow(
            exact(f), [&] { return Bruch(f.zaehler, f.nenner); }, describe(f));
    }
}

TEST(BruchReference, ArithmeticOnReducedOperands) {
    OperandSource source(4);
    for (int i = 0; i < 30000; ++i) {
        Fields left{source.field(), source.nonzeroField()};
        Fields right{source.field(), source.nonzeroField()};
        if (!representable(exact(left)) || !representable(exact(right)))
            continue;
        checkAllOperations(left, right, false);
        if (HasFatalFailure())
            return;
    }
}

TEST(BruchReference, ArithmeticOnTypedUnreducedOperands) {
    OperandSource source(31);
    for (int i = 0; i < 30000; ++i) {
        checkAllOperations({source.field(), source.nonzeroField()}, {source.field(), source.nonzeroField()}, true);
        if (HasFatalFailure())
            return;
    }
}

TEST(BruchReference, WideIntermediatesThatReduceBack) {
    OperandSource source(7);
    for (int i = 0; i < 30000; ++i) {
        Fields left{};
        Fields right{};
        sharedFactorPair(source, left, right);
        checkAllOperations(left, right, true);
        if (HasFatalFailure())
            return;
    }
}

TEST(BruchReference, LimitValuesInEveryCombination) {
    const std::int64_t limits[] = {kMin, kMin + 1,   -(std::int64_t{1} << 62), -3037000500, -2,  -1, 0, 1,
                                   2,    3037000500, std::int64_t{1} << 62,    kMax - 1,    kMax};
    const std::int64_t extremes[] = {kMin, -1, 1, kMax};
    for (const std::int64_t z1 : limits)
        for (const std::int64_t n1 : limits)
            for (const std::int64_t z2 : extremes)
                for (const std::int64_t n2 : extremes) {
                    if (n1 == 0)
                        continue;
                    checkAllOperations({z1, n1}, {z2, n2}, true);
                    if (HasFatalFailure())
                        return;
                }
}

}  // namespace
