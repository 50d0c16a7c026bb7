// The progress-and-cancel hook of the long operations: what it reports, and that a watcher
// that throws leaves the operands as they were.
#include <gtest/gtest.h>

#include <vector>

#include "matrix/Matrix.h"

namespace {

std::vector<double> reports;
int cancelAfter = -1;

void record(double fraction) {
    reports.push_back(fraction);
    if (cancelAfter >= 0 && static_cast<int>(reports.size()) > cancelAfter) {
        throw "abgebrochen";
    }
}

class ComputationMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        reports.clear();
        cancelAfter = -1;
        ComputationMonitor::setWatcher(record);
    }
    void TearDown() override { ComputationMonitor::setWatcher(nullptr); }
};

Matrix<double> dense(std::uint32_t n) {
    Matrix<double> m(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            m.element(i, j) = static_cast<double>((i * 7 + j * 13) % 11) - 5.0 + (i == j ? 20.0 : 0.0);
        }
    }
    return m;
}

std::vector<double> outermost() {
    std::vector<double> fractions;
    for (double f : reports) {
        if (f >= 0.0) {
            fractions.push_back(f);
        }
    }
    return fractions;
}

TEST_F(ComputationMonitorTest, DeterminantReportsRisingFractionsUpToOne) {
    (void)dense(200).determinant();
    const std::vector<double> fractions = outermost();
    ASSERT_GE(fractions.size(), 2u);
    for (std::size_t i = 1; i < fractions.size(); ++i) {
        EXPECT_GT(fractions[i], fractions[i - 1]);
    }
    EXPECT_DOUBLE_EQ(fractions.back(), 1.0);
}

TEST_F(ComputationMonitorTest, AdjugateCountsMinorsAndNestedDeterminantsOnlyOfferToCancel) {
    (void)dense(6).adjugate();
    const std::vector<double> fractions = outermost();
    ASSERT_EQ(fractions.size(), 36u);
    EXPECT_DOUBLE_EQ(fractions.front(), 1.0 / 36.0);
    EXPECT_DOUBLE_EQ(fractions.back(), 1.0);
    EXPECT_GT(reports.size(), fractions.size());
}

TEST_F(ComputationMonitorTest, ProductAndSolverReportToo) {
    const Matrix<double> a = dense(30);
    (void)a.multiply(a);
    EXPECT_EQ(outermost().size(), 30u);
    reports.clear();
    Matrix<double> b(30, 1);
    Matrix<double> x(30, 1);
    b.element(1, 1) = 1.0;
    EXPECT_EQ(a.solve(b, x), SolveResult::UniqueSolution);
    EXPECT_FALSE(outermost().empty());
}

TEST_F(ComputationMonitorTest, ACancelledOperationLeavesItsOperandsUnchanged) {
    const Matrix<double> a = dense(8);
    const Matrix<double> before = a;
    cancelAfter = 5;
    EXPECT_THROW((void)a.inverse(), const char*);
    cancelAfter = 0;
    Matrix<double> b(8, 1);
    Matrix<double> x(8, 1);
    x.element(3, 1) = 42.0;
    EXPECT_THROW((void)a.solve(b, x), const char*);
    EXPECT_EQ(x.element(3, 1), 42.0);
    for (std::uint32_t i = 1; i <= 8; ++i) {
        for (std::uint32_t j = 1; j <= 8; ++j) {
            EXPECT_EQ(a.element(i, j), before.element(i, j));
        }
    }
    // After a cancellation the nesting is unwound: the next operation is outermost again.
    cancelAfter = -1;
    reports.clear();
    (void)a.determinant();
    EXPECT_FALSE(outermost().empty());
}

TEST_F(ComputationMonitorTest, WithoutAWatcherNothingIsCalled) {
    ComputationMonitor::setWatcher(nullptr);
    (void)dense(20).adjugate();
    EXPECT_TRUE(reports.empty());
}

}  // namespace
