// The exact engine where fraction matrices used to fall to the literal algorithm, each beside a
// random matrix of its size and entry length: a determinant that the engine's first prime
// divides, that prime in the denominators, entries at the 64-bit limits, singular matrices of rank
// n - 1 and n - 2, fractions typed unreduced. At the end, the ratios of one run, each with its
// goal of 3; and the time the literal algorithm takes to classify a singular system, which stays
// with it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CpuTimeReporter.h"
#include "elements/BruchElement.h"
#include "exact/ModularElimination.h"
#include "exact/PrimeSequence.h"
#include "exact/WordPrime.h"
#include "matrix/Matrix.h"
#include "number/BigNumberMemory.h"

namespace {

std::int64_t drawn(std::mt19937_64& random, std::int64_t low, std::int64_t high) {
    return std::uniform_int_distribution<std::int64_t>(low, high)(random);
}

Matrix<Bruch> oneDigit(std::uint32_t n, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    Matrix<Bruch> m(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            m.element(i, j) = Bruch(drawn(random, -9, 9), drawn(random, 1, 9));
        }
    }
    return m;
}

// One-digit integers, and one entry chosen so that the engine's first prime divides the
// determinant: the determinant is linear in that entry, a + b x, so x = -a / b modulo the prime.
Matrix<Bruch> firstPrimeTimesOthers(std::uint32_t n) {
    std::mt19937_64 random(n);
    Matrix<Bruch> m(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            m.element(i, j) = Bruch(drawn(random, -9, 9), 1);
        }
    }
    const WordPrime prime(prime_sequence::at(0));
    const auto determinantWith = [&](std::int64_t x) {
        std::vector<std::uint64_t> residues;
        for (std::uint32_t i = 1; i <= n; ++i) {
            for (std::uint32_t j = 1; j <= n; ++j) {
                residues.push_back(prime.reduce(i == n && j == n ? x : m.element(i, j).getZaehler()));
            }
        }
        return modular_elimination::determinant(residues.data(), n, prime, [](std::size_t) {});
    };
    const std::uint64_t a = determinantWith(0);
    const std::uint64_t b = prime.subtract(determinantWith(1), a);
    m.element(n, n) = Bruch(static_cast<std::int64_t>(prime.multiply(prime.negate(a), prime.inverse(b))), 1);
    return m;
}

// One-digit fractions with a denominator of 62 bits in every row: the engine's first prime, or
// (reference) another number of that length.
Matrix<Bruch> longDenominators(std::uint32_t n, bool enginePrime) {
    Matrix<Bruch> m = oneDigit(n, 2 * n);
    const auto prime = static_cast<std::int64_t>(prime_sequence::at(0));
    for (std::uint32_t i = 1; i <= n; ++i) {
        m.element(i, 1 + i % n) = Bruch(1 + i % 9, enginePrime ? prime : prime - 2 * (1000 + i));
    }
    return m;
}

// Numerators and denominators from the ends of the 64-bit range, or (reference) numerators
// anywhere in it over the same denominators.
Matrix<Bruch> sixtyFourBits(std::uint32_t n, bool atTheLimits) {
    const std::int64_t limits[] = {INT64_MIN, INT64_MIN + 1, INT64_MAX, INT64_MAX - 1, -1, 0, 1};
    const std::int64_t denominators[] = {1, INT64_MAX, INT64_MAX - 1};
    std::mt19937_64 random(3 * n);
    Matrix<Bruch> m(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            const std::int64_t numerator = atTheLimits ? limits[random() % 7] : drawn(random, INT64_MIN, INT64_MAX);
            m.element(i, j) = Bruch(numerator, denominators[random() % 3]);
        }
    }
    return m;
}

// One-digit fractions whose last `dependent` rows are combinations of the first rows.
Matrix<Bruch> singular(std::uint32_t n, std::uint32_t dependent) {
    std::mt19937_64 random(5 * n + dependent);
    Matrix<Bruch> m = oneDigit(n, 5 * n + dependent);
    for (std::uint32_t target = n - dependent + 1; target <= n; ++target) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            m.element(target, j) =
                m.element(1, j) * Bruch(drawn(random, -3, 3), 2) + m.element(2, j) * Bruch(drawn(random, -3, 3), 1);
        }
    }
    return m;
}

// The one-digit matrix typed as (a k) / (b k), with k of 25 digits.
Matrix<Bruch> typedUnreduced(std::uint32_t n) {
    const Matrix<Bruch> reduced = oneDigit(n, n);
    const std::string k = "1000000000000000000000001";
    Matrix<Bruch> m(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            const Bruch& value = reduced.element(i, j);
            // a * k for a single digit a and k = 10^24 + 1: the digit, 23 zeros and the digit again.
            const auto times = [&k](std::int64_t a) {
                return a == 0 ? std::string("0")
                              : (a < 0 ? "-" : "") + std::to_string(a > 0 ? a : -a) + std::string(k.size() - 2, '0') +
                                    std::to_string(a > 0 ? a : -a);
            };
            std::istringstream(times(value.getZaehler()) + "/" + times(value.getNenner())) >> m.element(i, j);
        }
    }
    return m;
}

enum class Operation { Adjugate, Inverse };

struct Cliff {
    std::string name;
    std::string reference;
    std::uint32_t n;
    Operation operation;
    std::function<Matrix<Bruch>(std::uint32_t)> cliff;
    std::function<Matrix<Bruch>(std::uint32_t)> random;
};

const std::vector<Cliff> cliffs = {
    {"Adjugate/FirstPrimeTimesOthers", "Adjugate/OneDigitIntegers", 40, Operation::Adjugate, firstPrimeTimesOthers,
     [](std::uint32_t n) {
         Matrix<Bruch> m = firstPrimeTimesOthers(n);
         m.element(n, n) = Bruch(7, 1);
         return m;
     }},
    {"Inverse/FirstPrimeTimesOthers", "Inverse/OneDigitIntegers", 40, Operation::Inverse, firstPrimeTimesOthers,
     [](std::uint32_t n) {
         Matrix<Bruch> m = firstPrimeTimesOthers(n);
         m.element(n, n) = Bruch(7, 1);
         return m;
     }},
    {"Adjugate/FirstPrimeInDenominators", "Adjugate/OtherDenominatorsOf62Bits", 30, Operation::Adjugate,
     [](std::uint32_t n) { return longDenominators(n, true); },
     [](std::uint32_t n) { return longDenominators(n, false); }},
    {"Adjugate/AtTheLimitsOf64Bits", "Adjugate/Anywhere64Bits", 40, Operation::Adjugate,
     [](std::uint32_t n) { return sixtyFourBits(n, true); }, [](std::uint32_t n) { return sixtyFourBits(n, false); }},
    {"Adjugate/RankNMinus1", "Adjugate/OneDigit", 100, Operation::Adjugate,
     [](std::uint32_t n) { return singular(n, 1); }, [](std::uint32_t n) { return oneDigit(n, 2 * n); }},
    {"Adjugate/RankNMinus2", "Adjugate/OneDigit", 100, Operation::Adjugate,
     [](std::uint32_t n) { return singular(n, 2); }, [](std::uint32_t n) { return oneDigit(n, 2 * n); }},
    {"Inverse/TypedUnreduced", "Inverse/OneDigit", 37, Operation::Inverse, typedUnreduced,
     [](std::uint32_t n) { return oneDigit(n, n); }},
};

void timeOperation(benchmark::State& state, const Matrix<Bruch>& a, Operation operation) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(operation == Operation::Adjugate ? a.adjugate() : a.inverse());
    }
}

// A singular system of one-digit fractions, rank n - 1, whose right-hand side is outside the
// range: "keine Loesung", decided by the literal elimination.
void classifySingularSystem(benchmark::State& state) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Matrix<Bruch> a = singular(n, 1);
    Matrix<Bruch> b = oneDigit(n, 7 * n);
    Matrix<Bruch> x(n, 1);
    Matrix<Bruch> constants(n, 1);
    for (std::uint32_t i = 1; i <= n; ++i) {
        constants.element(i, 1) = b.element(i, 1);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.solve(constants, x));
    }
}

std::string label(const std::string& name, std::uint32_t n) {
    return name + "/" + std::to_string(n);
}

std::string measured(const std::string& name, std::uint32_t n) {
    return label(name, n) + "/process_time";
}

class CliffReporter : public CpuTimeReporter {
public:
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-36s %5s  %10s  %6s\n", "Cliff", "n", "/ random", "goal");
        for (const Cliff& cliff : cliffs) {
            const double time = times[measured(cliff.name, cliff.n)];
            const double reference = times[measured(cliff.reference, cliff.n)];
            if (time > 0 && reference > 0) {
                std::printf("%-36s %5u  %10.2f  %6s\n", cliff.name.c_str(), cliff.n, time / reference, "3.0");
            }
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    // As the program does: the allocator and the big numbers' allocation set up for the storage check.
    bignumber::setUpAllocation(nullptr);
    std::set<std::string> registered;
    for (const Cliff& cliff : cliffs) {
        for (const bool isCliff : {true, false}) {
            const std::string name = label(isCliff ? cliff.name : cliff.reference, cliff.n);
            if (registered.insert(name).second) {
                const Matrix<Bruch> a = (isCliff ? cliff.cliff : cliff.random)(cliff.n);
                // Processor time of every thread of the process, which the engine's primes share.
                benchmark::RegisterBenchmark(name.c_str(), timeOperation, a, cliff.operation)
                    ->Unit(benchmark::kMillisecond)
                    ->MeasureProcessCPUTime();
            }
        }
    }
    benchmark::RegisterBenchmark("Solve/SingularClassified", classifySingularSystem)
        ->Arg(40)
        ->Arg(100)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    CliffReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
