// FlintReference: FLINT's rational matrices as the oracle of the exact fraction matrices, and
// matrices of a chosen determinant, for the tests of the exact engine.
#pragma once

#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "GmpReference.h"
#include "elements/BruchElement.h"
#include "matrix/Matrix.h"
#include "number/Bruch.h"

// A FLINT rational matrix, freed with its scope.
struct FlintMatrix {
    fmpq_mat_t value;
    FlintMatrix(std::uint32_t rows, std::uint32_t cols) { fmpq_mat_init(value, rows, cols); }
    ~FlintMatrix() { fmpq_mat_clear(value); }
    FlintMatrix(const FlintMatrix&) = delete;
    FlintMatrix& operator=(const FlintMatrix&) = delete;
};

inline mpq_class exact(const fmpq_t value) {
    mpq_class result;
    fmpq_get_mpq(result.get_mpq_t(), value);
    return result;
}

inline void toFlint(const Matrix<Bruch>& source, FlintMatrix& target) {
    for (std::uint32_t i = 1; i <= source.getRowCount(); ++i) {
        for (std::uint32_t j = 1; j <= source.getColumnCount(); ++j) {
            fmpq_set_mpq(fmpq_mat_entry(target.value, i - 1, j - 1), exact(source.element(i, j)).get_mpq_t());
        }
    }
}

inline ::testing::AssertionResult equalsFlint(const MatrixVector<Bruch>& actual, const fmpq_mat_t expected) {
    for (std::uint32_t i = 1; i <= actual.getRowCount(); ++i) {
        for (std::uint32_t j = 1; j <= actual.getColumnCount(); ++j) {
            ::testing::AssertionResult same =
                isExactly(actual.element(i, j), exact(fmpq_mat_entry(expected, i - 1, j - 1)));
            if (!same) {
                return same << " at (" << i << ", " << j << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// A unimodular mix of diag(factors..., 1, ..., 1): that determinant, entries of every size.
inline Matrix<Bruch> withDeterminant(std::mt19937_64& random, std::uint32_t n,
                                     const std::vector<std::int64_t>& factors) {
    Matrix<Bruch> m(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        m.element(i, i) = i <= factors.size() ? Bruch(factors[i - 1], 1) : Bruch(1, 1);
    }
    for (int step = 0; step < 3 * static_cast<int>(n); ++step) {
        const auto from = 1 + static_cast<std::uint32_t>(random() % n);
        const auto to = 1 + static_cast<std::uint32_t>(random() % n);
        if (from != to) {
            const Bruch factor(static_cast<std::int64_t>(random() % 7) - 3, 1);
            for (std::uint32_t j = 1; j <= n; ++j) {
                m.element(to, j) = m.element(to, j) + m.element(from, j) * factor;
            }
        }
    }
    return m;
}
