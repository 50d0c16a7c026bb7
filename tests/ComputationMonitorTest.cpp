// The progress-and-cancel hook of the long operations: what it reports, and that a watcher
// that throws leaves the operands as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "elements/DoubleElement.h"
#include "matrix/ComputationCancelled.h"
#include "matrix/Matrix.h"

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

Matrix<double> dense(std::uint32_t n) {
    Matrix<double> m(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            m.element(i, j) = static_cast<double>((i * 7 + j * 13) % 11) - 5.0 + (i == j ? 20.0 : 0.0);
        }
    }
    return m;
}

TEST(ComputationMonitor, TheOutermostOperationReportsRisingFractionsUpToOne) {
    const Matrix<double> a = dense(30);
    // Nested determinants report -1: they only offer a cancel.
    const std::vector<double> fractions[] = {(watch([] { (void)dense(200).determinant(); }), reports),
                                             (watch([&] { (void)a.multiply(a); }), reports),
                                             (watch([] { (void)dense(6).adjugate(); }), reports)};
    EXPECT_EQ(fractions[1].size(), 30u);
    EXPECT_EQ(std::count(fractions[2].begin(), fractions[2].end(), -1.0) + 36, fractions[2].size());
    for (std::vector<double> f : fractions) {
        f.erase(std::remove(f.begin(), f.end(), -1.0), f.end());
        EXPECT_TRUE(std::is_sorted(f.begin(), f.end(), std::less_equal<>()));
        EXPECT_EQ(f.back(), 1.0);
    }
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
    // The nesting is unwound: the next operation is outermost again.
    watch([&] { (void)a.determinant(); });
    EXPECT_EQ(reports.back(), 1.0);
}

}  // namespace
