// TestMatrices: building matrices from literals and at random, comparing them bit for bit, and
// checking thrown matrix errors, for the tests of the matrix operations.
#pragma once

#include <gtest/gtest.h>

#include <complex>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>

#include "matrix/Matrix.h"

namespace testmatrices {

template <typename T>
T fromInteger(std::int64_t value) {
    if constexpr (std::is_same_v<T, Bruch>) {
        return Bruch(value, 1);
    } else {
        return T(static_cast<double>(value));
    }
}

// A matrix from integer literals, row by row.
template <typename T>
Matrix<T> integers(std::uint32_t rows, std::uint32_t cols, std::initializer_list<std::int64_t> values) {
    Matrix<T> m(rows, cols);
    auto it = values.begin();
    for (std::uint32_t r = 1; r <= rows; ++r) {
        for (std::uint32_t c = 1; c <= cols; ++c) {
            m.element(r, c) = fromInteger<T>(*it++);
        }
    }
    return m;
}

template <typename T>
Matrix<T> ofValues(std::uint32_t rows, std::uint32_t cols, std::initializer_list<T> values) {
    Matrix<T> m(rows, cols);
    auto it = values.begin();
    for (std::uint32_t r = 1; r <= rows; ++r) {
        for (std::uint32_t c = 1; c <= cols; ++c) {
            m.element(r, c) = *it++;
        }
    }
    return m;
}

// Uniform values in [-1, 1] (both parts for complex numbers).
template <typename T>
Matrix<T> randomDense(std::uint32_t rows, std::uint32_t cols, std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    Matrix<T> m(rows, cols);
    for (std::uint32_t r = 1; r <= rows; ++r) {
        for (std::uint32_t c = 1; c <= cols; ++c) {
            if constexpr (std::is_same_v<T, std::complex<double>>) {
                const double re = value(engine);
                m.element(r, c) = T(re, value(engine));
            } else {
                m.element(r, c) = static_cast<T>(value(engine));
            }
        }
    }
    return m;
}

// Integers in [low, high]; zeroShare of the entries are forced to zero. Many zeros force
// pivot exchanges, rounding residues and rows that vanish.
template <typename T>
Matrix<T> randomIntegers(std::uint32_t rows, std::uint32_t cols, std::int64_t low, std::int64_t high, double zeroShare,
                         std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    std::uniform_int_distribution<std::int64_t> value(low, high);
    std::bernoulli_distribution zero(zeroShare);
    Matrix<T> m(rows, cols);
    for (std::uint32_t r = 1; r <= rows; ++r) {
        for (std::uint32_t c = 1; c <= cols; ++c) {
            const std::int64_t v = value(engine);
            m.element(r, c) = fromInteger<T>(zero(engine) ? 0 : v);
        }
    }
    return m;
}

template <typename T>
bool sameBits(const T& a, const T& b) {
    if constexpr (std::is_same_v<T, Bruch>) {
        return a.getZaehler() == b.getZaehler() && a.getNenner() == b.getNenner();
    } else if constexpr (std::is_same_v<T, std::complex<double>>) {
        return sameBits(a.real(), b.real()) && sameBits(a.imag(), b.imag());
    } else {
        return std::memcmp(&a, &b, sizeof(T)) == 0;
    }
}

template <typename T>
std::string describe(const T& value) {
    std::ostringstream out;
    out.precision(17);
    if constexpr (std::is_same_v<T, Bruch>) {
        out << value.getZaehler() << "/" << value.getNenner();
    } else {
        out << value;
    }
    return out.str();
}

template <typename T>
::testing::AssertionResult sameBitsAs(const T& expected, const T& actual) {
    if (sameBits(expected, actual)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected " << describe(expected) << ", got " << describe(actual);
}

template <typename T>
::testing::AssertionResult sameMatrixBits(const MatrixVector<T>& expected, const MatrixVector<T>& actual) {
    if (expected.getRowCount() != actual.getRowCount() || expected.getColumnCount() != actual.getColumnCount()) {
        return ::testing::AssertionFailure() << "sizes differ";
    }
    for (std::uint32_t r = 1; r <= expected.getRowCount(); ++r) {
        for (std::uint32_t c = 1; c <= expected.getColumnCount(); ++c) {
            if (!sameBits(expected.element(r, c), actual.element(r, c))) {
                return ::testing::AssertionFailure()
                       << "at (" << r << ", " << c << ") expected " << describe(expected.element(r, c)) << ", got "
                       << describe(actual.element(r, c));
            }
        }
    }
    return ::testing::AssertionSuccess();
}

template <typename Action>
::testing::AssertionResult throwsMatrixError(Action action, MatrixError code) {
    try {
        action();
    } catch (const MatrixException& e) {
        if (e.code != static_cast<std::int32_t>(code)) {
            return ::testing::AssertionFailure() << "code " << e.code << " instead of " << static_cast<int>(code);
        }
        if (std::strcmp(e.text, matrixErrorText(code)) != 0) {
            return ::testing::AssertionFailure() << "text \"" << e.text << "\"";
        }
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "nothing thrown, expected " << static_cast<int>(code);
}

}  // namespace testmatrices
