// The double determinant and solver at n = 1000 and 2000 on one thread and on every thread the
// process may use, beside OpenBLAS's LAPACK (dgetrf, dgesv) given the same number of threads.
// Each line gives the wall time and the processor time of the whole process (all threads), after
// one untimed run of each. At the end: how much the threads save, and the time against OpenBLAS
// with as many threads. Each benchmark runs several times, in a random order among the others
// (Interleaved), and the ratios take the medians.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Interleaved.h"
#include "RandomValues.h"
#include "elements/Elements.h"
#include "matrix/Matrix.h"
#include "parallel/UsableProcessors.h"
#include "parallel/WorkerPool.h"

extern "C" {
void dgetrf_(const int* m, const int* n, double* a, const int* lda, int* pivots, int* info);
void dgesv_(const int* n, const int* rightSides, double* a, const int* lda, int* pivots, double* b, const int* ldb,
            int* info);
void openblas_set_num_threads(int threads);
}

namespace {

enum class Operation { Determinant, Solve };

void tavolent(benchmark::State& state, Operation operation) {
    const auto n = static_cast<std::uint32_t>(state.range(0));
    parallel::WorkerPool::shared().setThreads(static_cast<unsigned>(state.range(1)));
    const std::vector<double> values = randomValues(std::size_t{n} * n, 1);
    Matrix<double> a(n, n), b(n, 1), x(n, 1);
    for (std::uint32_t k = 0; k < n * n; ++k) {
        a.element(k / n + 1, k % n + 1) = values[k];
    }
    for (std::uint32_t i = 1; i <= n; ++i) {
        b.element(i, 1) = values[i - 1];
    }
    const auto once = [&] {
        if (operation == Operation::Determinant) {
            benchmark::DoNotOptimize(a.determinant());
        } else {
            benchmark::DoNotOptimize(a.solve(b, x));
        }
        benchmark::ClobberMemory();
    };
    // The first run, untimed, faults in the working memory and starts the threads, which a
    // timing of one iteration (n = 2000 on a loaded machine) would count.
    once();
    for (auto _ : state) {
        once();
    }
}

// The copy that LAPACK overwrites is made inside the loop, as the program makes its own.
void openBlas(benchmark::State& state, Operation operation) {
    const int n = static_cast<int>(state.range(0));
    openblas_set_num_threads(static_cast<int>(state.range(1)));
    const std::vector<double> values = randomValues(static_cast<std::size_t>(n) * n, 1);
    std::vector<double> a(values.size()), b(static_cast<std::size_t>(n));
    std::vector<int> pivots(static_cast<std::size_t>(n));
    const int one = 1;
    int info = 0;
    const auto once = [&] {
        std::copy(values.begin(), values.end(), a.begin());
        if (operation == Operation::Determinant) {
            dgetrf_(&n, &n, a.data(), &n, pivots.data(), &info);
            double det = 1.0;
            for (int i = 0; i < n; ++i) {
                det *= a[static_cast<std::size_t>(i) * n + i] * (pivots[i] != i + 1 ? -1.0 : 1.0);
            }
            benchmark::DoNotOptimize(det);
        } else {
            std::copy(values.begin(), values.begin() + n, b.begin());
            dgesv_(&n, &one, a.data(), &n, pivots.data(), b.data(), &n, &info);
            benchmark::DoNotOptimize(b.data());
        }
        benchmark::ClobberMemory();
    };
    // The first run, untimed, starts OpenBLAS's threads.
    once();
    for (auto _ : state) {
        once();
    }
    // After a call OpenBLAS's threads spin for about 0.1 s before they sleep: the benchmark that
    // comes next must not share the processors with them. The timing ended with the loop.
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
}

constexpr int repetitions = 5;

// Keeps the median wall time of each benchmark by name, for the ratios at the end.
class WallTimeReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                wall[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const std::string all = std::to_string(parallel::usableProcessors());
        std::printf("\nWall time ratios of the medians of %d runs (%s threads):\n", repetitions, all.c_str());
        for (const char* name : {"Determinant", "Solve"}) {
            for (const char* n : {"1000", "2000"}) {
                const std::string ours = std::string(name) + "/Tavolent/n:" + n + "/threads:";
                const std::string peer = std::string(name) + "/OpenBLAS/n:" + n + "/threads:";
                const auto own = ratio(ours + all, ours + "1");
                const auto peers = ratio(ours + all, peer + all);
                // The goals are set for the determinant of the largest order.
                const bool goals = std::string(name) == "Determinant" && std::string(n) == "2000";
                if (own && peers) {
                    std::printf(
                        "  %-11s n = %s: all threads / one thread %.2f%s, against OpenBLAS with as many %.2f%s\n", name,
                        n, *own, goals ? " (goal <= 0.6)" : "", *peers, goals ? " (goal <= 1.0)" : "");
                }
            }
        }
    }

private:
    // Nothing when a filter left out either benchmark.
    std::optional<double> ratio(const std::string& numerator, const std::string& denominator) const {
        const auto top = wall.find(numerator);
        const auto bottom = wall.find(denominator);
        if (top == wall.end() || bottom == wall.end()) {
            return std::nullopt;
        }
        return top->second / bottom->second;
    }

    std::map<std::string, double> wall;
};

}  // namespace

int main(int argc, char** argv) {
    const int all = static_cast<int>(parallel::usableProcessors());
    for (const auto& [name, operation] :
         {std::pair{"Determinant", Operation::Determinant}, std::pair{"Solve", Operation::Solve}}) {
        for (const int n : {1000, 2000}) {
            for (const int threads : std::vector<int>{1, all}) {
                for (const auto& [peer, run] : {std::pair{"/Tavolent", &tavolent}, std::pair{"/OpenBLAS", &openBlas}}) {
                    benchmark::RegisterBenchmark((name + std::string(peer)).c_str(), run, operation)
                        ->Args({n, threads})
                        ->ArgNames({"n", "threads"})
                        ->MeasureProcessCPUTime()
                        ->UseRealTime()
                        ->Repetitions(repetitions)
                        ->DisplayAggregatesOnly()
                        ->Unit(benchmark::kMillisecond);
                }
                if (all == 1) {
                    break;
                }
            }
        }
    }
    initializeInterleaved(argc, argv);
    WallTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
