// Determinant, equation solver and adjugate beside Eigen's partial-pivot LU on the same random
// matrices, Eigen built twice: for any x86-64 like our program, and for this processor. The
// fraction determinant runs beside the same elimination with GMP rationals. At the end, the
// ratios of one run: our time over each Eigen's.
#include <benchmark/benchmark.h>
#include <gmpxx.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "EigenPeer.h"
#include "elements/Elements.h"
#include "matrix/Matrix.h"

namespace {

std::vector<double> randomValues(std::size_t count, std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> values(count);
    for (double& v : values) {
        v = value(engine);
    }
    return values;
}

Matrix<double> toMatrix(const std::vector<double>& values, std::uint32_t rows, std::uint32_t cols) {
    Matrix<double> m(rows, cols);
    for (std::uint32_t k = 0; k < rows * cols; ++k) {
        m.element(k / cols + 1, k % cols + 1) = values[k];
    }
    return m;
}

// The operands of each operation, the same for all three.
std::uint64_t seedOf(EigenOperation operation) {
    return 1 + static_cast<std::uint64_t>(operation);
}

void tavolent(benchmark::State& state, EigenOperation operation) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Matrix<double> a = toMatrix(randomValues(std::size_t{n} * n, seedOf(operation)), n, n);
    const Matrix<double> b = toMatrix(randomValues(n, 100), n, 1);
    Matrix<double> x(n, 1);
    for (auto _ : state) {
        switch (operation) {
        case EigenOperation::Determinant:
            benchmark::DoNotOptimize(a.determinant());
            break;
        case EigenOperation::Solve:
            benchmark::DoNotOptimize(a.solve(b, x));
            break;
        case EigenOperation::Adjugate:
            benchmark::DoNotOptimize(a.adjugate());
            break;
        }
        benchmark::ClobberMemory();
    }
}

template <std::unique_ptr<EigenTask> (*make)(EigenOperation, int, const std::vector<double>&,
                                             const std::vector<double>&)>
void eigen(benchmark::State& state, EigenOperation operation) {
    const auto n = static_cast<int>(state.range(0));
    const auto task = make(operation, n, randomValues(std::size_t(n) * n, seedOf(operation)), randomValues(n, 100));
    for (auto _ : state) {
        task->run();
    }
}

// Prints what the console reporter prints, and keeps each time for the table of ratios. The
// ratios take the processor time per iteration, which other processes on a shared machine
// disturb less than the time on the clock.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-12s %5s  %14s  %14s  %6s\n", "Operation", "n", "/ Eigen x86-64", "/ Eigen native", "goal");
        for (const auto& [name, n, goal] : goals) {
            const std::string ours = name + "/Tavolent/" + std::to_string(n);
            const double generic = times[name + "/EigenGeneric/" + std::to_string(n)];
            const double native = times[name + "/EigenNative/" + std::to_string(n)];
            if (times.count(ours) != 0 && generic > 0 && native > 0) {
                std::printf("%-12s %5d  %14.2f  %14.2f  %6.1f\n", name.c_str(), n, times[ours] / generic,
                            times[ours] / native, goal);
            }
        }
    }

private:
    struct Goal {
        std::string name;
        int n;
        double ratio;
    };
    const std::vector<Goal> goals = {{"Determinant", 100, 1.2}, {"Determinant", 300, 1.5}, {"Determinant", 1000, 1.3},
                                     {"Solve", 100, 1.3},       {"Solve", 300, 1.6},       {"Solve", 1000, 1.4},
                                     {"Adjugate", 40, 0.3}};
    std::map<std::string, double> times;
};

constexpr int fractionMatrices = 200;
constexpr std::uint32_t fractionOrder = 8;

std::vector<std::vector<std::int64_t>> randomIntegerMatrices() {
    std::mt19937_64 engine(5);
    std::uniform_int_distribution<std::int64_t> value(-9, 9);
    std::vector<std::vector<std::int64_t>> matrices(fractionMatrices);
    for (auto& m : matrices) {
        for (std::uint32_t k = 0; k < fractionOrder * fractionOrder; ++k) {
            m.push_back(value(engine));
        }
    }
    return matrices;
}

void fractionDeterminantTavolent(benchmark::State& state) {
    std::vector<Matrix<Bruch>> matrices;
    for (const auto& values : randomIntegerMatrices()) {
        Matrix<Bruch> m(fractionOrder, fractionOrder);
        for (std::uint32_t k = 0; k < values.size(); ++k) {
            m.element(k / fractionOrder + 1, k % fractionOrder + 1) = Bruch(values[k], 1);
        }
        matrices.push_back(m);
    }
    for (auto _ : state) {
        for (const Matrix<Bruch>& m : matrices) {
            benchmark::DoNotOptimize(m.determinant());
        }
    }
}

// The same elimination with column exchanges, on GMP rationals.
mpq_class gmpDeterminant(std::vector<std::vector<mpq_class>> w) {
    const std::size_t n = w.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (k + 1 < n && w[k][k] == 0) {
            for (std::size_t r = 0; r < n; ++r) {
                if (r != k && w[k][r] != 0) {
                    for (auto& row : w) {
                        std::swap(row[k], row[r]);
                    }
                    for (mpq_class& value : w[k]) {
                        value = -value;
                    }
                    break;
                }
            }
        }
        if (w[k][k] == 0) {
            break;
        }
        for (std::size_t i = k + 1; i < n; ++i) {
            const mpq_class f = w[i][k] / w[k][k];
            for (std::size_t j = k; j < n; ++j) {
                w[i][j] = w[i][j] - w[k][j] * f;
            }
        }
    }
    mpq_class d = 1;
    for (std::size_t i = 0; i < n; ++i) {
        d = w[i][i] * d;
    }
    return d;
}

void fractionDeterminantGmp(benchmark::State& state) {
    std::vector<std::vector<std::vector<mpq_class>>> matrices;
    for (const auto& values : randomIntegerMatrices()) {
        std::vector<std::vector<mpq_class>> m(fractionOrder, std::vector<mpq_class>(fractionOrder));
        for (std::uint32_t k = 0; k < values.size(); ++k) {
            m[k / fractionOrder][k % fractionOrder] = static_cast<long>(values[k]);
        }
        matrices.push_back(m);
    }
    for (auto _ : state) {
        for (const auto& m : matrices) {
            benchmark::DoNotOptimize(gmpDeterminant(m));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const struct {
        const char* name;
        EigenOperation operation;
        std::vector<int> sizes;
    } operations[] = {{"Determinant", EigenOperation::Determinant, {100, 300, 1000}},
                      {"Solve", EigenOperation::Solve, {100, 300, 1000}},
                      {"Adjugate", EigenOperation::Adjugate, {40, 100}}};
    for (const auto& op : operations) {
        for (const int n : op.sizes) {
            const auto unit =
                op.operation == EigenOperation::Adjugate ? benchmark::kMillisecond : benchmark::kMicrosecond;
            benchmark::RegisterBenchmark((op.name + std::string("/Tavolent")).c_str(), tavolent, op.operation)
                ->Arg(n)
                ->Unit(unit);
            benchmark::RegisterBenchmark((op.name + std::string("/EigenGeneric")).c_str(), eigen<makeGenericEigenTask>,
                                         op.operation)
                ->Arg(n)
                ->Unit(unit);
            benchmark::RegisterBenchmark((op.name + std::string("/EigenNative")).c_str(), eigen<makeNativeEigenTask>,
                                         op.operation)
                ->Arg(n)
                ->Unit(unit);
        }
    }
    benchmark::RegisterBenchmark("FractionDeterminant/Tavolent/200x8", fractionDeterminantTavolent)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("FractionDeterminant/Gmp/200x8", fractionDeterminantGmp)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
