// The progress-and-cancel hook of the long operations, the exact engine's included: what it
// reports, and that a watcher that throws leaves the operands as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

#include "elements/BruchElement.h"
#include "elements/ComplexElement.h"
#include "elements/DoubleElement.h"
#include "elements/FloatElement.h"
#include "matrix/ComputationCancelled.h"
#include "matrix/Matrix.h"
#include "matrix/SharedWork.h"
#include "matrix/elimination/Elimination.h"
#include "parallel/WorkerPool.h"

namespace {

std::vector<double> reports;
std::size_t cancelAt = 0;

// Runs `operation` under a watcher that records every report and throws at report `cancelAt`.
void watch(const std::function<void()>& operation, std::size_t cancelAtReport = 0) {
    reports.clear();
    cancelAt = cancelAtReport;
    ComputationMonitor::setWatcher([](double fraction) {
        reports.push_back(fraction);
        if (reports.size() == cancelAt) {
            throw ComputationCancelled();
        }
    });
    const struct Reset {
        ~Reset() { ComputationMonitor::setWatcher(nullptr); }
    } reset;
    operation();
}

// Invertible; fractions get denominators 1 to 3.
template <typename T = double>
Matrix<T> dense(std::uint32_t n) {
    Matrix<T> m(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            const auto value = static_cast<std::int64_t>((i * 7 + j * 13) % 11) - 5 + (i == j ? 20 : 0);
            if constexpr (std::is_same_v<T, Bruch>) {
                m.element(i, j) = Bruch(value, i % 3 + 1);
            } else {
                m.element(i, j) = static_cast<T>(value);
            }
        }
    }
    return m;
}

// Nested operations (the minors of an adjugate, the determinant and the adjugate of an inverse,
// the eliminations of a singular system) report within their part of the whole, so that the
// whole rises once from 0 to 1; the exact engine reports as it goes, not only at its end.
TEST(ComputationMonitor, EveryOperationReportsOneRiseUpToOneNestedPartsIncluded) {
    const Matrix<double> a = dense(30);
    Matrix<double> singular = dense(12);
    for (std::uint32_t j = 1; j <= 12; ++j) {
        singular.element(12, j) = singular.element(1, j);
    }
    Matrix<double> b(12, 1);
    Matrix<double> x(12, 1);
    const std::vector<double> fractions[] = {(watch([] { (void)dense(200).determinant(); }), reports),
                                             (watch([&] { (void)a.multiply(a); }), reports),
                                             (watch([] { (void)dense(6).adjugate(); }), reports),
                                             (watch([] { (void)dense(12).inverse(); }), reports),
                                             (watch([&] { (void)singular.solve(b, x); }), reports),
                                             (watch([] { (void)dense<Bruch>(25).inverse(); }), reports)};
    EXPECT_EQ(fractions[1].size(), 30u);
    EXPECT_GT(fractions[5].size(), 100u);
    EXPECT_GT(fractions[2].size(), 36u) << "the minors report as well as the cofactors";
    for (const std::vector<double>& f : fractions) {
        EXPECT_TRUE(std::is_sorted(f.begin(), f.end()));
        EXPECT_GE(f.front(), 0.0);
        EXPECT_EQ(f.back(), 1.0);
    }
    // The determinant of the inverse ends at its share, one step per column against one per
    // cofactor of the adjugate.
    EXPECT_NE(std::find(fractions[3].begin(), fractions[3].end(), 12.0 / (12 + 144)), fractions[3].end());
    reports.clear();
    (void)dense(20).adjugate();
    EXPECT_TRUE(reports.empty()) << "without a watcher nothing is called";
}

TEST(ComputationMonitor, ACancelledOperationLeavesItsOperandsUnchanged) {
    const Matrix<double> a = dense(8);
    Matrix<double> b(8, 1);
    Matrix<double> x(8, 1);
    x.element(3, 1) = 42.0;
    EXPECT_THROW(watch([&] { (void)a.inverse(); }, 6), ComputationCancelled);
    EXPECT_THROW(watch([&] { EXPECT_EQ(a.solve(b, x), SolveResult::UniqueSolution); }, 1), ComputationCancelled);
    EXPECT_EQ(x.element(3, 1), 42.0);
    EXPECT_THROW(watch([] { (void)dense<Bruch>(25).inverse(); }, 50), ComputationCancelled);
    EXPECT_EQ(reports.size(), 50u) << "the engine stops at the report that throws";
    // The nesting is unwound: the next operation is outermost again.
    watch([&] { (void)a.determinant(); });
    EXPECT_EQ(reports.back(), 1.0);
}

// With two threads a large determinant and product share their rows: the progress still rises
// once to 1, a cancel at a report (a step, or the calling thread asking between its parts)
// stops both threads and reaches the caller, and the bits are those of one thread.
TEST(SharedWork, ProgressRisesOnceAndACancelStopsEveryThread) {
    parallel::WorkerPool& pool = parallel::WorkerPool::shared();
    const unsigned before = pool.threads();
    const Matrix<double> a = dense(400);
    pool.setThreads(1);
    const double single = a.determinant();
    const MatrixArithmetic<double> product = a.multiply(a);
    pool.setThreads(2);
    // How often the calling thread asks between its parts depends on how the parts fall; the
    // determinant's seven panel steps (of 64 columns each) and the product's last report are
    // there every time.
    const std::vector<std::pair<std::function<void()>, std::vector<std::size_t>>> operations = {
        {[&] { (void)a.determinant(); }, {1, 4, 7}}, {[&] { (void)a.multiply(a); }, {1}}};
    for (const auto& [operation, cancelPoints] : operations) {
        watch(operation);
        EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
        EXPECT_EQ(reports.back(), 1.0);
        for (const std::size_t at : cancelPoints) {
            EXPECT_THROW(watch(operation, at), ComputationCancelled) << at;
            EXPECT_EQ(reports.size(), at);
        }
    }
    EXPECT_EQ(single, a.determinant());
    const MatrixArithmetic<double> shared = a.multiply(a);
    for (std::uint32_t k = 0; k < 400 * 400; ++k) {
        ASSERT_EQ(product.element(k / 400 + 1, k % 400 + 1), shared.element(k / 400 + 1, k % 400 + 1)) << k;
    }
    pool.setThreads(before);
}

// Whether an elimination shares its updates follows its work, not its order alone: a complex
// elimination shares at orders where a real one still runs alone. The memory check counts the
// working memory of every thread that will share.
TEST(SharedWork, ComplexNumbersShareFromASmallerOrderThanRealOnes) {
    parallel::WorkerPool& pool = parallel::WorkerPool::shared();
    const unsigned before = pool.threads();
    const auto sharesAt = [&pool]<typename T>(T, std::size_t order) {
        pool.setThreads(1);
        const std::size_t alone = elimination::Elimination<T>::scratchBytes(order);
        pool.setThreads(2);
        const std::size_t shared = elimination::Elimination<T>::scratchBytes(order);
        EXPECT_GE(shared, alone);
        return SharedWork::threadsFor<T>(order) == 2 && shared > alone;
    };
    const std::size_t doubles = SharedWork::smallestOrder();
    EXPECT_TRUE(sharesAt(std::complex<double>{}, doubles * 2 / 3));
    EXPECT_FALSE(sharesAt(std::complex<double>{}, doubles / 2));
    EXPECT_FALSE(sharesAt(0.0, doubles - 1));
    EXPECT_TRUE(sharesAt(0.0, doubles));
    EXPECT_FALSE(sharesAt(0.0f, doubles - 1));
    EXPECT_TRUE(sharesAt(0.0f, doubles));
    pool.setThreads(before);
}

}  // namespace
