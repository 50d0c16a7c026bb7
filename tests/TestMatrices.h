// TestMatrices: matrices from literals and at random, bit-for-bit comparison, and thrown matrix
// errors, for the tests of the matrix operations.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <type_traits>
#include <vector>

#include "matrix/Matrix.h"

namespace testmatrices {

using Complex = std::complex<double>;
constexpr double inf = std::numeric_limits<double>::infinity();

template <typename T>
T fromDouble(double value) {
    if constexpr (std::is_same_v<T, Bruch>) {
        return Bruch(static_cast<std::int64_t>(value), 1);
    } else {
        return T(value);
    }
}

template <typename T>
Matrix<T> ofValues(std::uint32_t rows, std::uint32_t cols, const std::vector<T>& values) {
    Matrix<T> m(rows, cols);
    for (std::uint32_t k = 0; k < rows * cols; ++k) {
        m.element(k / cols + 1, k % cols + 1) = values[k];
    }
    return m;
}

// Row by row; a fraction takes the integer part.
template <typename T>
Matrix<T> integers(std::uint32_t rows, std::uint32_t cols, const std::vector<double>& values) {
    std::vector<T> converted;
    for (const double value : values) {
        converted.push_back(fromDouble<T>(value));
    }
    return ofValues<T>(rows, cols, converted);
}

// Uniform in [-1, 1]; or small integers; or values that force exchanges, negative zeros,
// infinities and NaNs. zeroShare of the entries are zero; complex numbers draw both parts.
enum class Values { Dense, Integers, Special };

template <typename T>
Matrix<T> randomMatrix(std::uint32_t rows, std::uint32_t cols, std::uint64_t seed, Values kind, double zeroShare) {
    static const double special[] = {1, -1, 2, 0.5, -0.0, 3, 0.1, inf, -inf, std::nan(""), 1e300, 1e-300};
    std::mt19937_64 engine(seed);
    std::bernoulli_distribution zero(zeroShare), rare(0.1);
    std::uniform_real_distribution<double> uniform(-1, 1);
    std::vector<double> values;
    for (std::uint32_t k = 0; k < 2 * rows * cols; ++k) {
        const int index = std::uniform_int_distribution<int>(0, rare(engine) ? 11 : 6)(engine);
        const double value = kind == Values::Special ? special[index]
                             : kind == Values::Dense ? uniform(engine)
                                                     : std::round(9 * uniform(engine));
        values.push_back(zero(engine) ? 0.0 : value);
    }
    Matrix<T> m = integers<T>(rows, cols, values);
    if constexpr (std::is_same_v<T, Complex>) {
        for (std::uint32_t k = 0; k < rows * cols; ++k) {
            m.element(k / cols + 1, k % cols + 1).imag(values[rows * cols + k]);
        }
    }
    return m;
}

// The sign and payload of a NaN are the processor's, and a compiler may swap the operands of a
// sum; everything else must match to the bit.
template <typename T>
bool sameBits(const T& a, const T& b) {
    if constexpr (std::is_same_v<T, Bruch>) {
        return a.getZaehler() == b.getZaehler() && a.getNenner() == b.getNenner();
    } else if constexpr (std::is_same_v<T, Complex>) {
        return sameBits(a.real(), b.real()) && sameBits(a.imag(), b.imag());
    } else {
        return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof(T)) == 0;
    }
}

template <typename T>
::testing::AssertionResult sameMatrixBits(const MatrixVector<T>& expected, const MatrixVector<T>& actual) {
    if (expected.getRowCount() != actual.getRowCount() || expected.getColumnCount() != actual.getColumnCount()) {
        return ::testing::AssertionFailure() << "sizes differ";
    }
    for (std::uint32_t k = 0; k < expected.getRowCount() * expected.getColumnCount(); ++k) {
        const std::uint32_t r = k / expected.getColumnCount() + 1, c = k % expected.getColumnCount() + 1;
        if (!sameBits(expected.element(r, c), actual.element(r, c))) {
            return ::testing::AssertionFailure() << "differs at (" << r << ", " << c << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

// Runs a check once at each lane width the processor has, then goes back to the widest.
template <typename Check>
void atEveryLaneWidth(Check check) {
    for (const LaneWidth width : LaneChoice::available()) {
        SCOPED_TRACE(static_cast<int>(width));
        LaneChoice::choose(width);
        check();
    }
    LaneChoice::choose(LaneChoice::available().back());
}

template <typename Action>
::testing::AssertionResult throwsMatrixError(Action action, MatrixError code) {
    try {
        action();
    } catch (const MatrixException& e) {
        return ::testing::AssertionResult(e.code == static_cast<std::int32_t>(code) &&
                                          std::strcmp(e.text, matrixErrorText(code)) == 0)
               << "code " << e.code;
    }
    return ::testing::AssertionFailure() << "nothing thrown";
}

}  // namespace testmatrices
