// Determinant, equation solver and adjugate beside Eigen's partial-pivot LU on the same random
// matrices, Eigen built twice: for any x86-64 like our program, and for this processor. The
// fraction determinant runs beside the same elimination with GMP rationals. At the end, the
// ratios of one run: our time over each Eigen's.
#include <benchmark/benchmark.h>
#include <gmpxx.h>

#include <algorithm>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "CpuTimeReporter.h"
#include "EigenPeer.h"
#include "RandomValues.h"
#include "app/menus/ComputationWatch.h"
#include "elements/Elements.h"
#include "matrix/Matrix.h"
#include "matrix/elimination/WorkingMemory.h"
#include "number/BigNumberMemory.h"
#include "parallel/WorkerPool.h"

namespace {

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
        default:
            // Float and complex determinants have cases of their own (harnessDeterminant).
            state.SkipWithError("not a double operation");
            return;
        }
        benchmark::ClobberMemory();
    }
}

// The matrix as the dialogs build it: resized from the fresh 3 x 3 matrix, then element by
// element. A complex matrix takes its imaginary parts from the values in reverse order, as the
// Eigen peer does.
template <typename T>
Matrix<T> typedIn(const std::vector<double>& values, std::uint32_t n) {
    Matrix<T> m;
    m.setSize(n, n);
    const std::size_t count = std::size_t{n} * n;
    for (std::size_t k = 0; k < count; ++k) {
        T& element = m.element(static_cast<std::uint32_t>(k / n + 1), static_cast<std::uint32_t>(k % n + 1));
        if constexpr (std::is_same_v<T, std::complex<double>>) {
            element = {values[k], values[count - 1 - k]};
        } else {
            element = static_cast<T>(values[k]);
        }
    }
    return m;
}

// The determinant as "Determinante Matrix 1" runs it: the same entry point under the same
// watch, on a matrix typed in as the dialogs do it.
template <typename T>
T asTheMenuRunsIt(const Matrix<T>& m) {
    return watched([&] { return m.determinant(); });
}

template <typename T>
void menuDeterminant(benchmark::State& state, EigenOperation operation) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Matrix<T> m = typedIn<T>(randomValues(std::size_t{n} * n, seedOf(operation)), n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(asTheMenuRunsIt(m));
    }
}

// The library's own determinant in the harness, for float and complex.
template <typename T>
void harnessDeterminant(benchmark::State& state, EigenOperation operation) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    const Matrix<T> m = typedIn<T>(randomValues(std::size_t{n} * n, seedOf(operation)), n);
    for (auto _ : state) {
        benchmark::DoNotOptimize(m.determinant());
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

// The tables of ratios, after what the console reporter prints.
class RatioReporter : public CpuTimeReporter {
public:
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-20s %5s  %14s  %14s  %6s\n", "Determinant", "n", "harness/native", "menu/native", "goal");
        for (const auto& [name, n, goal] : menuGoals) {
            const std::string size = "/" + std::to_string(n);
            const double native = times[name + "/EigenNative" + size];
            const double harness = times[name + "/Tavolent" + size];
            const double menu = times[name + "/Menu" + size];
            if (native > 0 && harness > 0 && menu > 0) {
                std::printf("%-20s %5d  %14.2f  %14.2f  %6.1f\n", name.c_str(), n, harness / native, menu / native,
                            goal);
            }
        }
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
    const std::vector<Goal> menuGoals = {{"Determinant", 300, 1.0},
                                         {"Determinant", 1000, 0.9},
                                         {"FloatDeterminant", 1000, 0.9},
                                         {"ComplexDeterminant", 300, 1.0}};
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

// The same determinant after 12 different heap histories: before each matrix is typed in,
// blocks of many sizes are allocated and every third one freed, so that the rows of each of
// the 12 matrices land somewhere else. The layouts are timed in turns, three determinants a
// visit with the kept working memory given back first, as the menu runs them, in processor
// time: a burst of other work on a shared machine then slows every layout alike instead of
// spoiling one. Prints the best of the fastest and the slowest layout. On one thread: with two,
// n = 1000 shares its updates, and the processor time then also counts how long the threads
// wait for each other, which varies from run to run more than any layout does.
void printHeapLayoutSpread() {
    parallel::WorkerPool& pool = parallel::WorkerPool::shared();
    const unsigned threadsBefore = pool.threads();
    pool.setThreads(1);
    constexpr int layoutCount = 12;
    constexpr int runsPerVisit = 3;
    constexpr int minimumRounds = 10;
    constexpr double minimumMilliseconds = 3000;
    std::printf("\n%-12s %5s  %10s  %10s  %6s  %6s\n", "Heap layouts", "n", "fastest ms", "slowest ms", "spread",
                "goal");
    for (const std::uint32_t n : {300u, 1000u}) {
        const std::vector<double> values = randomValues(std::size_t{n} * n, seedOf(EigenOperation::Determinant));
        std::vector<std::vector<std::unique_ptr<char[]>>> clutter(layoutCount);
        std::vector<std::unique_ptr<const Matrix<double>>> matrices;
        for (int layout = 0; layout < layoutCount; ++layout) {
            std::mt19937_64 engine(static_cast<std::uint64_t>(layout));
            std::uniform_int_distribution<std::size_t> size(8, 9000);
            auto& blocks = clutter[static_cast<std::size_t>(layout)];
            blocks.resize(static_cast<std::size_t>(layout) * 97);
            for (auto& block : blocks) {
                block = std::make_unique<char[]>(size(engine));
            }
            for (std::size_t k = 0; k < blocks.size(); k += 3) {
                blocks[k].reset();
            }
            matrices.push_back(std::make_unique<const Matrix<double>>(typedIn<double>(values, n)));
        }
        std::vector<double> best(layoutCount, 1e300);
        double spent = 0;
        for (int round = 0; round < minimumRounds || spent < minimumMilliseconds; ++round) {
            for (int layout = 0; layout < layoutCount; ++layout) {
                elimination::WorkingMemory::releaseKept();
                for (int run = 0; run < runsPerVisit; ++run) {
                    const std::clock_t start = std::clock();
                    benchmark::DoNotOptimize(asTheMenuRunsIt(*matrices[static_cast<std::size_t>(layout)]));
                    const double milliseconds = 1e3 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
                    best[static_cast<std::size_t>(layout)] =
                        std::min(best[static_cast<std::size_t>(layout)], milliseconds);
                    spent += milliseconds;
                }
            }
        }
        const auto [fastest, slowest] = std::minmax_element(best.begin(), best.end());
        std::printf("%-12s %5u  %10.3f  %10.3f  %6.2f  %6.2f\n", "Determinant", n, *fastest, *slowest,
                    *slowest / *fastest, 1.15);
    }
    pool.setThreads(threadsBefore);
}

}  // namespace

int main(int argc, char** argv) {
    // As the program does: the allocator and the big numbers' allocation set up for the storage check.
    bignumber::setUpAllocation(nullptr);
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
    for (const int n : {300, 1000}) {
        benchmark::RegisterBenchmark("Determinant/Menu", menuDeterminant<double>, EigenOperation::Determinant)
            ->Arg(n)
            ->Unit(benchmark::kMicrosecond);
    }
    const struct {
        const char* name;
        EigenOperation operation;
        int n;
        void (*harness)(benchmark::State&, EigenOperation);
        void (*menu)(benchmark::State&, EigenOperation);
    } typed[] = {
        {"FloatDeterminant", EigenOperation::FloatDeterminant, 1000, harnessDeterminant<float>, menuDeterminant<float>},
        {"ComplexDeterminant", EigenOperation::ComplexDeterminant, 300, harnessDeterminant<std::complex<double>>,
         menuDeterminant<std::complex<double>>}};
    for (const auto& t : typed) {
        const std::string name = t.name;
        benchmark::RegisterBenchmark((name + "/Tavolent").c_str(), t.harness, t.operation)
            ->Arg(t.n)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/Menu").c_str(), t.menu, t.operation)
            ->Arg(t.n)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/EigenGeneric").c_str(), eigen<makeGenericEigenTask>, t.operation)
            ->Arg(t.n)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "/EigenNative").c_str(), eigen<makeNativeEigenTask>, t.operation)
            ->Arg(t.n)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("FractionDeterminant/Tavolent/200x8", fractionDeterminantTavolent)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("FractionDeterminant/Gmp/200x8", fractionDeterminantGmp)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printHeapLayoutSpread();
    benchmark::Shutdown();
}
