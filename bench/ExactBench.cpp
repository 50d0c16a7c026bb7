// The exact fraction operations beside FLINT's rational matrices (fmpq_mat), the best exact
// library at hand, on the same matrices: determinants of small integer matrices and of one-digit
// fractions, inverses of Hilbert matrices and of one-digit fractions. At the end, the ratios of
// one run, our processor time over FLINT's, with the goal of each. Also: how long the engine
// can go without a progress report, and so without a chance to cancel.
#include <benchmark/benchmark.h>
#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CpuTimeReporter.h"
#include "elements/BruchElement.h"
#include "matrix/Matrix.h"
#include "exact/ExactMatrixEngine.h"

namespace {

enum class Entries { Integers, OneDigitFractions, Hilbert };

// Numerator and denominator of every entry, row by row; seeded by the size, so that both
// libraries get the same matrix.
std::vector<std::pair<std::int64_t, std::int64_t>> entries(Entries kind, std::uint32_t n) {
    std::mt19937_64 engine(1000 + n);
    std::uniform_int_distribution<std::int64_t> digit(-9, 9);
    std::uniform_int_distribution<std::int64_t> denominator(1, 9);
    std::vector<std::pair<std::int64_t, std::int64_t>> values;
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            switch (kind) {
            case Entries::Integers:
                values.emplace_back(digit(engine), 1);
                break;
            case Entries::OneDigitFractions: {
                const std::int64_t p = digit(engine);
                values.emplace_back(p, denominator(engine));
                break;
            }
            case Entries::Hilbert:
                values.emplace_back(1, i + j + 1);
                break;
            }
        }
    }
    return values;
}

Matrix<Bruch> ours(Entries kind, std::uint32_t n) {
    Matrix<Bruch> m(n, n);
    const auto values = entries(kind, n);
    for (std::uint32_t k = 0; k < n * n; ++k) {
        m.element(k / n + 1, k % n + 1) = Bruch(values[k].first, values[k].second);
    }
    return m;
}

struct FlintMatrix {
    fmpq_mat_t value;
    FlintMatrix(Entries kind, std::uint32_t n) {
        fmpq_mat_init(value, n, n);
        const auto values = entries(kind, n);
        for (std::uint32_t k = 0; k < n * n; ++k) {
            fmpq_set_si(fmpq_mat_entry(value, k / n, k % n), values[k].first, static_cast<ulong>(values[k].second));
        }
    }
    ~FlintMatrix() { fmpq_mat_clear(value); }
    FlintMatrix(const FlintMatrix&) = delete;
    FlintMatrix& operator=(const FlintMatrix&) = delete;
};

void determinantTavolent(benchmark::State& state, Entries kind) {
    const Matrix<Bruch> a = ours(kind, static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.determinant());
    }
}

void determinantFlint(benchmark::State& state, Entries kind) {
    const FlintMatrix a(kind, static_cast<std::uint32_t>(state.range(0)));
    fmpq_t det;
    fmpq_init(det);
    for (auto _ : state) {
        fmpq_mat_det(det, a.value);
        benchmark::ClobberMemory();
    }
    fmpq_clear(det);
}

void inverseTavolent(benchmark::State& state, Entries kind) {
    const Matrix<Bruch> a = ours(kind, static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.inverse());
    }
}

void inverseFlint(benchmark::State& state, Entries kind) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const FlintMatrix a(kind, n);
    fmpq_mat_t inverse;
    fmpq_mat_init(inverse, n, n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fmpq_mat_inv(inverse, a.value));
        benchmark::ClobberMemory();
    }
    fmpq_mat_clear(inverse);
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

struct Goal {
    std::string name;
    int n;
    double ratio;
};

const std::vector<Goal> goals = {{"Determinant/Integers", 8, 1.5},
                                 {"Determinant/OneDigitFractions", 20, 2.0},
                                 {"Determinant/OneDigitFractions", 50, 2.0},
                                 {"Inverse/Hilbert", 12, 2.0},
                                 {"Inverse/Hilbert", 20, 2.0},
                                 {"Inverse/OneDigitFractions", 10, 2.0},
                                 {"Inverse/OneDigitFractions", 20, 0.0},
                                 {"Inverse/OneDigitFractions", 50, 2.0},
                                 {"Inverse/OneDigitFractions", 100, 0.0}};

// The tables of ratios, after what the console reporter prints.
class RatioReporter : public CpuTimeReporter {
public:
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-30s %5s  %8s  %6s\n", "Operation", "n", "/ FLINT", "goal");
        for (const auto& [name, n, goal] : goals) {
            const double tavolent = times[name + "/Tavolent/" + std::to_string(n)];
            const double flint = times[name + "/Flint/" + std::to_string(n)];
            if (tavolent > 0 && flint > 0) {
                std::printf("%-30s %5d  %8.2f  %6s\n", name.c_str(), n, tavolent / flint,
                            goal > 0 ? std::to_string(goal).substr(0, 3).c_str() : "-");
            }
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    for (const auto& [name, n, goal] : goals) {
        const Entries kind = name.find("Integers") != std::string::npos  ? Entries::Integers
                             : name.find("Hilbert") != std::string::npos ? Entries::Hilbert
                                                                         : Entries::OneDigitFractions;
        const bool inverse = name.rfind("Inverse", 0) == 0;
        const auto unit = n >= 20 ? benchmark::kMillisecond : benchmark::kMicrosecond;
        benchmark::RegisterBenchmark((name + "/Tavolent").c_str(), inverse ? inverseTavolent : determinantTavolent,
                                     kind)
            ->Arg(n)
            ->Unit(unit);
        benchmark::RegisterBenchmark((name + "/Flint").c_str(), inverse ? inverseFlint : determinantFlint, kind)
            ->Arg(n)
            ->Unit(unit);
    }
    benchmark::RegisterBenchmark("LongestReportGap/Inverse20Digits/40", longestReportGap)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
