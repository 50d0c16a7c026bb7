// The progress-and-cancel hook of the long operations: what it reports, and that a watcher
// that throws leaves the operands as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

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
            throw "abgebrochen";
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
    Matrix<double> b(30, 1);
    Matrix<double> x(30, 1);
    b.element(1, 1) = 1.0;
    const struct {
        const char* what;
        std::function<void()> operation;
        std::size_t steps;  // 0: any number
    } cases[] = {
        {"determinant", [] { (void)dense(200).determinant(); }, 0},
        {"adjugate: one per minor", [] { (void)dense(6).adjugate(); }, 36},
        {"product: one per row", [&] { (void)a.multiply(a); }, 30},
        {"solver", [&] { EXPECT_EQ(a.solve(b, x), SolveResult::UniqueSolution); }, 0},
    };
    for (const auto& c : cases) {
        watch(c.operation);
        std::vector<double> fractions;
        std::copy_if(reports.begin(), reports.end(), std::back_inserter(fractions), [](double f) { return f >= 0; });
        ASSERT_FALSE(fractions.empty()) << c.what;
        EXPECT_TRUE(c.steps == 0 || c.steps == fractions.size()) << c.what << ": " << fractions.size();
        EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end(), std::less_equal<>())) << c.what;
        EXPECT_EQ(fractions.back(), 1.0) << c.what;
    }
    // The adjugate's nested determinants report -1, only to offer a cancel.
    watch([] { (void)dense(6).adjugate(); });
    EXPECT_GT(std::count(reports.begin(), reports.end(), -1.0), 0);
    // Without a watcher nothing is called.
    reports.clear();
    (void)dense(20).adjugate();
    EXPECT_TRUE(reports.empty());
}

TEST(ComputationMonitor, ACancelledOperationLeavesItsOperandsUnchanged) {
    const Matrix<double> a = dense(8);
    const Matrix<double> before = a;
    Matrix<double> b(8, 1);
    Matrix<double> x(8, 1);
    x.element(3, 1) = 42.0;
    EXPECT_THROW(watch([&] { (void)a.inverse(); }, 6), const char*);
    EXPECT_THROW(watch([&] { (void)a.solve(b, x); }, 1), const char*);
    EXPECT_EQ(x.element(3, 1), 42.0);
    EXPECT_TRUE(a.subtract(before).isZeroMatrix());
    // The nesting is unwound: the next operation is outermost again.
    watch([&] { (void)a.determinant(); });
    EXPECT_EQ(reports.back(), 1.0);
}

}  // namespace
