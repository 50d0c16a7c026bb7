// Bruch against GMP's exact rationals: random operands and operation chains that cross the 64-bit
// edge in both directions. Every result is the exact value, held in the 64-bit fields exactly
// when its reduced numerator and denominator fit them. (Matrices whose elimination crosses it are
// checked against FLINT in ExactFractionMatrixTest.)
#include <gtest/gtest.h>

#include <gmpxx.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "GmpReference.h"
#include "number/Bruch.h"

namespace {

// A nonzero field from a mix that favours the places where 64-bit arithmetic breaks: small
// values, products near 2^63, any value, the ends of the range, and powers of two.
std::int64_t field(std::mt19937_64& random) {
    const auto between = [&](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    };
    const std::int64_t lows[] = {-20, -3037000500, INT64_MIN, INT64_MAX - 2, INT64_MIN};
    const std::int64_t highs[] = {20, 3037000500, INT64_MAX, INT64_MAX, INT64_MIN + 2};
    const auto kind = between(0, 5);
    const std::int64_t value = kind < 5 ? between(lows[kind], highs[kind])
                                        : (between(0, 1) != 0 ? 1 : -1) * ((std::int64_t{1} << between(0, 62)) - 1);
    return value != 0 ? value : 1;
}

// Chains of operations on a pool of typed values that the results join, so that values grow past
// 64 bits, each operation undone again, so that they come back. Equality is exact wherever a wide
// value takes part.
TEST(BruchReference, OperationChainsCrossTheEdgeBothWays) {
    std::mt19937_64 random(4);
    std::vector<Bruch> pool(64);
    std::vector<mpq_class> exactPool(64);
    int intoWide = 0, backTo64 = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t zaehler = field(random) * (i % 7 == 0 ? 0 : 1), nenner = field(random);
        Bruch typed;
        std::istringstream(std::to_string(zaehler) + "/" + std::to_string(nenner)) >> typed;
        ASSERT_TRUE(typed.getZaehler() == zaehler && typed.getNenner() == nenner) << zaehler << "/" << nenner;
        const mpq_class typedValue = exact(typed);
        ASSERT_TRUE(isExactly(Bruch(zaehler, nenner), typedValue) && isExactly(Bruch(typed), typedValue));
        const std::size_t fresh = random() % pool.size();
        pool[fresh] = typed;
        exactPool[fresh] = typedValue;
        ASSERT_TRUE(isExactly(-typed, -typedValue));
        const std::size_t l = random() % pool.size(), r = random() % pool.size();
        const Bruch &a = pool[l], &b = pool[r];
        const mpq_class &x = exactPool[l], &y = exactPool[r];
        const Bruch results[] = {a + b, a - b, a * b, y == 0 ? a : a / b};
        const Bruch undone[] = {results[0] - b, results[1] + b, y == 0 ? a : results[2] / b,
                                y == 0 ? a : results[3] * b};
        const mpq_class expected[] = {x + y, x - y, x * y, y == 0 ? x : x / y};
        for (int op = 0; op < 4; ++op) {
            ASSERT_TRUE(isExactly(results[op], expected[op])) << x.get_str() << " op" << op << " " << y.get_str();
            ASSERT_TRUE(isExactly(undone[op], x) && undone[op] == Bruch(a)) << x.get_str() << " op" << op << " undone";
            ASSERT_TRUE(!(results[op].isWide() || a.isWide()) || (results[op] == a) == (expected[op] == x));
            intoWide += !a.isWide() && !b.isWide() && results[op].isWide() ? 1 : 0;
            backTo64 += results[op].isWide() && !undone[op].isWide() ? 1 : 0;
        }
        // Results join the pool while they stay small enough to keep the test quick.
        const std::size_t pick = random() % 4, target = random() % pool.size();
        if (expected[pick].get_str().size() < 160) {
            std::tie(pool[target], exactPool[target]) = std::tie(results[pick], expected[pick]);
        }
    }
    EXPECT_GT(intoWide, 5000);
    EXPECT_GT(backTo64, 10000);
}

}  // namespace
