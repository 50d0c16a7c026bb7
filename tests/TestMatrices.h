// TestMatrices: matrices from literals and at random, bit-for-bit comparison, thrown matrix
// errors, and checks run at every lane width and thread count, for the tests of the matrix operations.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "elements/Elements.h"
#include "matrix/Matrix.h"
#include "matrix/SharedWork.h"
#include "matrix/elimination/LaneChoice.h"
#include "parallel/WorkerPool.h"

namespace testmatrices {

using Complex = std::complex<double>;
using AllTypes = ::testing::Types<float, double, Complex, Bruch>;
constexpr double inf = std::numeric_limits<double>::infinity();

// Row by row; a fraction takes the integer part of a double.
template <typename T, typename V = double>
Matrix<T> matrixOf(std::uint32_t rows, std::uint32_t cols, const std::vector<V>& values) {
    Matrix<T> m(rows, cols);
    for (std::uint32_t k = 0; k < rows * cols; ++k) {
        if constexpr (std::is_same_v<T, Bruch> && !std::is_same_v<V, Bruch>) {
            m.element(k / cols + 1, k % cols + 1) = Bruch(static_cast<std::int64_t>(values[k]), 1);
        } else {
            m.element(k / cols + 1, k % cols + 1) = T(values[k]);
        }
    }
    return m;
}

// Uniform in [-1, 1], small integers, or values that force negative zeros, infinities and NaNs;
// zeroShare of the entries are zero. Complex numbers draw both parts. Fractions, for exact ones:
// one-digit fractions, now and then one typed unreduced or one past 64 bits.
enum class Values { Dense, Integers, Special, Fractions };
template <typename T>
Matrix<T> randomMatrix(std::uint32_t rows, std::uint32_t cols, std::uint64_t seed, Values kind, double zeroShare) {
    static const double special[] = {1, -1, 2, 0.5, -0.0, 3, 0.1, inf, -inf, std::nan(""), 1e300, 1e-300};
    std::mt19937_64 engine(seed);
    std::bernoulli_distribution zero(zeroShare), rare(0.1);
    std::uniform_real_distribution<double> uniform(-1, 1);
    std::vector<double> values(std::size_t{2} * rows * cols);
    for (double& value : values) {
        const double drawn = kind == Values::Dense ? uniform(engine)
                             : kind == Values::Integers || kind == Values::Fractions
                                 ? std::round(9 * uniform(engine))
                                 : special[std::uniform_int_distribution(0, rare(engine) ? 11 : 6)(engine)];
        value = zero(engine) ? 0.0 : drawn;
    }
    Matrix<T> m = matrixOf<T>(rows, cols, values);
    if constexpr (std::is_same_v<T, Complex>) {
        for (std::uint32_t k = 0; k < rows * cols; ++k) {
            m.element(k / cols + 1, k % cols + 1).imag(values[rows * cols + k]);
        }
    }
    if constexpr (std::is_same_v<T, Bruch>) {
        for (std::uint32_t k = 0; kind == Values::Fractions && k < rows * cols; ++k) {
            const auto numerator = static_cast<std::int64_t>(values[k]);
            const auto pick = static_cast<std::int64_t>(std::abs(values[rows * cols + k]));
            const std::string text = pick < 7    ? std::to_string(numerator) + "/" + std::to_string(pick + 1)
                                     : pick == 7 ? std::to_string(numerator * 4) + "/-" + std::to_string(2 * pick)
                                                 : std::to_string(numerator) + "98765432109876543210/" +
                                                       std::to_string(pick) + "2345678901234567890";
            std::istringstream(text) >> m.element(k / cols + 1, k % cols + 1);
        }
    }
    return m;
}

// The sign and payload of a NaN are the processor's, and a compiler may swap the operands of a
// sum; everything else must match to the bit.
template <typename T>
bool sameBits(const T& a, const T& b) {
    if constexpr (std::is_same_v<T, Bruch>) {
        return a.isWide() == b.isWide() && a.exactZaehler() == b.exactZaehler() && a.exactNenner() == b.exactNenner();
    } else if constexpr (std::is_same_v<T, Complex>) {
        return sameBits(a.real(), b.real()) && sameBits(a.imag(), b.imag());
    } else {
        using Bits = std::conditional_t<sizeof(T) == sizeof(std::uint32_t), std::uint32_t, std::uint64_t>;
        return (std::isnan(a) && std::isnan(b)) || std::bit_cast<Bits>(a) == std::bit_cast<Bits>(b);
    }
}

template <typename T>
::testing::AssertionResult sameMatrixBits(const MatrixVector<T>& expected, const MatrixVector<T>& actual) {
    const std::uint32_t rows = expected.getRowCount(), cols = expected.getColumnCount();
    if (rows != actual.getRowCount() || cols != actual.getColumnCount()) {
        return ::testing::AssertionFailure() << "sizes differ";
    }
    for (std::uint32_t k = 0; k < rows * cols; ++k) {
        if (!sameBits(expected.element(k / cols + 1, k % cols + 1), actual.element(k / cols + 1, k % cols + 1))) {
            return ::testing::AssertionFailure() << "differs at (" << k / cols + 1 << ", " << k % cols + 1 << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

template <typename Action>
::testing::AssertionResult throwsMatrixError(Action action, MatrixError code) {
    try {
        action();
    } catch (const MatrixException& e) {
        return ::testing::AssertionResult(e.code == int(code) && std::strcmp(e.text, matrixErrorText(code)) == 0);
    }
    return ::testing::AssertionFailure() << "nothing thrown";
}

// Runs a check once at each lane width the processor has on one thread, then at the widest
// with 2 and 4 threads that share every update and product of any size; then goes back to the
// widest width and to the threads and sizes shared before. The check is told the threads.
template <typename Check>
void atEveryLaneWidthAndThreadCount(Check check) {
    for (const elimination::LaneWidth width : elimination::LaneChoice::available()) {
        SCOPED_TRACE(static_cast<int>(width));
        elimination::LaneChoice::choose(width);
        check(1u);
    }
    parallel::WorkerPool& pool = parallel::WorkerPool::shared();
    const unsigned threadsBefore = pool.threads();
    const std::size_t orderBefore = SharedWork::smallestOrder(), workBefore = SharedWork::smallestWork();
    SharedWork::smallestOrder() = 0;
    SharedWork::smallestWork() = 0;
    for (const unsigned threads : {2u, 4u}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        pool.setThreads(threads);
        check(threads);
    }
    pool.setThreads(threadsBefore);
    SharedWork::smallestOrder() = orderBefore;
    SharedWork::smallestWork() = workBefore;
}

}  // namespace testmatrices
