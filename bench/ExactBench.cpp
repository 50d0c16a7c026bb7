// The exact fraction operations beside FLINT's rational matrices (fmpq_mat), the best exact
// library at hand, on the same matrices: determinants, inverses and solutions of one-digit and
// of 20-digit fractions, determinants of small integer matrices, inverses of Hilbert matrices.
// Ours run through the matrix templates, as the program runs them. At the end, the ratios of one
// run, our processor time over FLINT's, with the goal of each: the medians of five repetitions
// interleaved with the others (Interleaved), but for the three that take seconds. Also: how
// long the engine can go without a progress report, and so without a chance to cancel.
#include <benchmark/benchmark.h>
#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>
#include <gmpxx.h>

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CpuTimeReporter.h"
#include "Interleaved.h"
#include "elements/BruchElement.h"
#include "exact/ExactMatrixEngine.h"
#include "matrix/Matrix.h"
#include "number/BigNumberMemory.h"

namespace {

enum class Entries { Integers, OneDigitFractions, TwentyDigitFractions, Hilbert };

const char* nameOf(Entries kind) {
    switch (kind) {
    case Entries::Integers:
        return "Integers";
    case Entries::OneDigitFractions:
        return "OneDigitFractions";
    case Entries::TwentyDigitFractions:
        return "TwentyDigitFractions";
    case Entries::Hilbert:
        break;
    }
    return "Hilbert";
}

// A fraction of two random numbers of exactly 20 digits, past what a word holds.
mpq_class twentyDigitFraction(std::mt19937_64& engine) {
    std::uniform_int_distribution<std::uint64_t> head(10000000000ULL, 99999999999ULL);
    std::uniform_int_distribution<std::uint64_t> tail(0, 999999999ULL);
    const auto number = [&]() -> mpz_class { return mpz_class(head(engine)) * 1000000000 + tail(engine); };
    mpq_class value(engine() % 2 == 0 ? mpz_class(number()) : mpz_class(-number()), number());
    value.canonicalize();
    return value;
}

// Every entry, row by row, of an n x columns matrix; seeded by the size and the columns, so
// that both libraries get the same matrix.
std::vector<mpq_class> entries(Entries kind, std::uint32_t n, std::uint32_t columns) {
    std::mt19937_64 engine(1000 + n + 7919 * (columns == n ? 0 : columns));
    std::uniform_int_distribution<std::int64_t> digit(-9, 9);
    std::uniform_int_distribution<std::int64_t> denominator(1, 9);
    std::vector<mpq_class> values;
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < columns; ++j) {
            switch (kind) {
            case Entries::Integers:
                values.emplace_back(static_cast<long>(digit(engine)));
                break;
            case Entries::OneDigitFractions: {
                const long p = static_cast<long>(digit(engine));
                values.emplace_back(p, static_cast<unsigned long>(denominator(engine)));
                values.back().canonicalize();
                break;
            }
            case Entries::TwentyDigitFractions:
                values.push_back(twentyDigitFraction(engine));
                break;
            case Entries::Hilbert:
                values.emplace_back(1, i + j + 1);
                break;
            }
        }
    }
    return values;
}

Matrix<Bruch> ours(Entries kind, std::uint32_t n, std::uint32_t columns) {
    Matrix<Bruch> m(n, columns);
    const auto values = entries(kind, n, columns);
    for (std::uint32_t k = 0; k < n * columns; ++k) {
        std::istringstream(values[k].get_num().get_str() + "/" + values[k].get_den().get_str()) >>
            m.element(k / columns + 1, k % columns + 1);
    }
    return m;
}

struct FlintMatrix {
    fmpq_mat_t value;
    FlintMatrix(Entries kind, std::uint32_t n, std::uint32_t columns) {
        fmpq_mat_init(value, n, columns);
        const auto values = entries(kind, n, columns);
        for (std::uint32_t k = 0; k < n * columns; ++k) {
            fmpq_set_mpq(fmpq_mat_entry(value, k / columns, k % columns), values[k].get_mpq_t());
        }
    }
    ~FlintMatrix() { fmpq_mat_clear(value); }
    FlintMatrix(const FlintMatrix&) = delete;
    FlintMatrix& operator=(const FlintMatrix&) = delete;
};

void determinantTavolent(benchmark::State& state, Entries kind) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Matrix<Bruch> a = ours(kind, n, n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.determinant());
    }
}

void determinantFlint(benchmark::State& state, Entries kind) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const FlintMatrix a(kind, n, n);
    fmpq_t det;
    fmpq_init(det);
    for (auto _ : state) {
        fmpq_mat_det(det, a.value);
        benchmark::ClobberMemory();
    }
    fmpq_clear(det);
}

void inverseTavolent(benchmark::State& state, Entries kind) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Matrix<Bruch> a = ours(kind, n, n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.inverse());
    }
}

void inverseFlint(benchmark::State& state, Entries kind) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const FlintMatrix a(kind, n, n);
    fmpq_mat_t inverse;
    fmpq_mat_init(inverse, n, n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fmpq_mat_inv(inverse, a.value));
        benchmark::ClobberMemory();
    }
    fmpq_mat_clear(inverse);
}

// The constants are a column of the same kind as the matrix.
void solveTavolent(benchmark::State& state, Entries kind) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Matrix<Bruch> a = ours(kind, n, n);
    const Matrix<Bruch> b = ours(kind, n, 1);
    Matrix<Bruch> x(n, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.solve(b, x));
    }
}

void solveFlint(benchmark::State& state, Entries kind) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const FlintMatrix a(kind, n, n);
    const FlintMatrix b(kind, n, 1);
    fmpq_mat_t x;
    fmpq_mat_init(x, n, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fmpq_mat_solve(x, a.value, b.value));
        benchmark::ClobberMemory();
    }
    fmpq_mat_clear(x);
}

// The longest stretch of processor time between two progress reports of the engine, which is
// how long Ctrl-C can wait for it: the inverse of a 40 x 40 matrix of fractions with 20-digit
// numerators and denominators (past 64 bits), seconds of work through thousands of primes.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void longestReportGap(benchmark::State& state) {
    constexpr std::size_t n = 40;
    std::vector<std::vector<Bruch>> entries(n, std::vector<Bruch>(n));
    std::vector<std::vector<Bruch>> inverse(n, std::vector<Bruch>(n));
    std::vector<const Bruch*> rows(n);
    std::vector<Bruch*> result(n);
    std::mt19937_64 engine(40);
    std::uniform_int_distribution<std::uint64_t> digits(10000000000000000000ULL, 18446744073709551615ULL);
    for (std::size_t i = 0; i < n; ++i) {
        for (Bruch& value : entries[i]) {
            std::istringstream(std::to_string(digits(engine)) + "/" + std::to_string(digits(engine))) >> value;
        }
        rows[i] = entries[i].data();
        result[i] = inverse[i].data();
    }
    double longest = 0.0;
    for (auto _ : state) {
        double last = threadSeconds();
        exact_matrix::inverse(rows.data(), n, result.data(), [&](double) {
            const double now = threadSeconds();
            longest = std::max(longest, now - last);
            last = now;
        });
    }
    state.counters["longest_gap_ms"] = longest * 1000.0;
}

enum class Operation { Determinant, Inverse, Solve };

struct Goal {
    Operation operation;
    Entries kind;
    int n;
    double ratio;       // 0: no goal, shown for the trend
    bool once = false;  // a run takes seconds: not repeated
};

const std::vector<Goal> goals = {{Operation::Determinant, Entries::Integers, 8, 1.5},
                                 {Operation::Inverse, Entries::Hilbert, 12, 2.0},
                                 {Operation::Inverse, Entries::Hilbert, 20, 2.0},
                                 {Operation::Inverse, Entries::OneDigitFractions, 10, 2.0},
                                 {Operation::Determinant, Entries::OneDigitFractions, 20, 0.0},
                                 {Operation::Inverse, Entries::OneDigitFractions, 20, 0.0},
                                 {Operation::Solve, Entries::OneDigitFractions, 20, 0.0},
                                 {Operation::Determinant, Entries::OneDigitFractions, 50, 1.0},
                                 {Operation::Inverse, Entries::OneDigitFractions, 50, 1.0},
                                 {Operation::Solve, Entries::OneDigitFractions, 50, 1.0},
                                 {Operation::Determinant, Entries::OneDigitFractions, 100, 1.0},
                                 {Operation::Inverse, Entries::OneDigitFractions, 100, 1.0},
                                 {Operation::Solve, Entries::OneDigitFractions, 100, 1.0},
                                 {Operation::Determinant, Entries::OneDigitFractions, 200, 1.0},
                                 {Operation::Inverse, Entries::OneDigitFractions, 200, 1.0, true},
                                 {Operation::Solve, Entries::OneDigitFractions, 200, 1.0},
                                 {Operation::Determinant, Entries::TwentyDigitFractions, 20, 0.0},
                                 {Operation::Inverse, Entries::TwentyDigitFractions, 20, 0.0},
                                 {Operation::Solve, Entries::TwentyDigitFractions, 20, 0.0},
                                 {Operation::Determinant, Entries::TwentyDigitFractions, 50, 1.0},
                                 {Operation::Inverse, Entries::TwentyDigitFractions, 50, 1.0, true},
                                 {Operation::Solve, Entries::TwentyDigitFractions, 50, 1.0, true}};

std::string nameOf(const Goal& goal) {
    const char* operation = goal.operation == Operation::Determinant ? "Determinant"
                            : goal.operation == Operation::Inverse   ? "Inverse"
                                                                     : "Solve";
    return std::string(operation) + "/" + nameOf(goal.kind);
}

// The tables of ratios, after what the console reporter prints; every time in milliseconds.
class RatioReporter : public CpuTimeReporter {
public:
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-33s %5s  %10s  %10s  %8s  %6s\n", "Operation", "n", "ours ms", "FLINT ms", "/ FLINT", "goal");
        for (const Goal& goal : goals) {
            const std::string name = nameOf(goal);
            const std::string size = "/" + std::to_string(goal.n) + "/process_time";
            const double tavolent = times[name + "/Tavolent" + size];
            const double flint = times[name + "/Flint" + size];
            if (tavolent > 0 && flint > 0) {
                const std::string limit = goal.ratio > 0 ? std::to_string(goal.ratio).substr(0, 3) : "-";
                std::printf("%-33s %5d  %10.3f  %10.3f  %8.2f  %6s\n", name.c_str(), goal.n, tavolent, flint,
                            tavolent / flint, limit.c_str());
            }
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    // As the program does: the allocator and the big numbers' allocation set up for the storage check.
    bignumber::setUpAllocation(nullptr);
    using Runner = void (*)(benchmark::State&, Entries);
    const Runner tavolent[] = {determinantTavolent, inverseTavolent, solveTavolent};
    const Runner flint[] = {determinantFlint, inverseFlint, solveFlint};
    for (const Goal& goal : goals) {
        const std::string name = nameOf(goal);
        const auto index = static_cast<std::size_t>(goal.operation);
        // Processor time of every thread of the process: threads must not count in our favour.
        for (const auto& [peer, runner] :
             {std::pair{"/Tavolent", tavolent[index]}, std::pair{"/Flint", flint[index]}}) {
            benchmark::RegisterBenchmark((name + peer).c_str(), runner, goal.kind)
                ->Arg(goal.n)
                ->Unit(benchmark::kMillisecond)
                ->MeasureProcessCPUTime()
                ->Repetitions(goal.once ? 1 : 5)
                ->DisplayAggregatesOnly();
        }
    }
    benchmark::RegisterBenchmark("LongestReportGap/Inverse20Digits/40", longestReportGap)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
    initializeInterleaved(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
