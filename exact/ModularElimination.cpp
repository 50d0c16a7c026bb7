#include "exact/ModularElimination.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace modular_elimination {

namespace {

// Brings a non-zero entry of column k, from row k downwards, into row k; false when there is
// none. An exchange flips the sign of the determinant.
bool bringPivot(std::uint64_t* matrix, std::size_t n, std::size_t k, std::uint64_t* values, bool& negated,
                std::size_t& exchangedWith) {
    std::size_t r = k;
    while (r < n && matrix[r * n + k] == 0) {
        ++r;
    }
    if (r == n) {
        return false;
    }
    exchangedWith = r;
    if (r != k) {
        std::swap_ranges(matrix + r * n, matrix + r * n + n, matrix + k * n);
        if (values != nullptr) {
            std::swap(values[r], values[k]);
        }
        negated = !negated;
    }
    return true;
}

// row[j] -= pivotRow[j] * factor for j in [from, to).
// The rows are distinct, which lets the compiler keep everything in registers.
void subtractScaled(std::uint64_t* __restrict row, const std::uint64_t* __restrict pivotRow,
                    const WordPrime::Factor factor, std::size_t from, std::size_t to, const WordPrime prime) {
    for (std::size_t j = from; j < to; ++j) {
        row[j] = prime.subtractProduct(row[j], pivotRow[j], factor);
    }
}

std::uint64_t signed_(std::uint64_t value, bool negated, const WordPrime& prime) {
    return negated ? prime.negate(value) : value;
}

// Forward elimination below the pivots, the values (if any) taking part; returns the
// determinant, 0 when a column has no pivot.
std::uint64_t eliminateForward(std::uint64_t* matrix, std::uint64_t* values, std::size_t n, const WordPrime& prime,
                               const Poll& poll) {
    std::uint64_t product = 1;
    bool negated = false;
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t exchangedWith = k;
        if (!bringPivot(matrix, n, k, values, negated, exchangedWith)) {
            return 0;
        }
        const std::uint64_t* pivotRow = matrix + k * n;
        product = prime.multiply(product, pivotRow[k]);
        const WordPrime::Factor inverse = prime.prepare(prime.inverse(pivotRow[k]));
        for (std::size_t i = k + 1; i < n; ++i) {
            std::uint64_t* row = matrix + i * n;
            if (row[k] == 0) {
                continue;
            }
            const WordPrime::Factor factor = prime.prepare(prime.multiply(row[k], inverse));
            subtractScaled(row, pivotRow, factor, k + 1, n, prime);
            if (values != nullptr) {
                values[i] = prime.subtractProduct(values[i], values[k], factor);
            }
        }
        poll(k + 1);
    }
    return signed_(product, negated, prime);
}

}  // namespace

std::uint64_t determinant(std::uint64_t* matrix, std::size_t n, const WordPrime& prime, const Poll& poll) {
    return eliminateForward(matrix, nullptr, n, prime, poll);
}

// Gauss-Jordan in place: after step k, column k holds the inverse's column of the rows
// exchanged so far; the exchanges are undone on the columns at the end, last first.
std::uint64_t invert(std::uint64_t* matrix, std::size_t n, const WordPrime& prime, const Poll& poll) {
    std::vector<std::size_t> exchanges(n);
    std::uint64_t product = 1;
    bool negated = false;
    for (std::size_t k = 0; k < n; ++k) {
        if (!bringPivot(matrix, n, k, nullptr, negated, exchanges[k])) {
            return 0;
        }
        std::uint64_t* pivotRow = matrix + k * n;
        product = prime.multiply(product, pivotRow[k]);
        const WordPrime::Factor inverse = prime.prepare(prime.inverse(pivotRow[k]));
        pivotRow[k] = 1;
        for (std::size_t j = 0; j < n; ++j) {
            pivotRow[j] = prime.multiply(pivotRow[j], inverse);
        }
        for (std::size_t i = 0; i < n; ++i) {
            std::uint64_t* row = matrix + i * n;
            if (i == k || row[k] == 0) {
                continue;
            }
            const WordPrime::Factor factor = prime.prepare(row[k]);
            row[k] = 0;
            subtractScaled(row, pivotRow, factor, 0, n, prime);
        }
        poll(k + 1);
    }
    for (std::size_t k = n; k-- > 0;) {
        if (exchanges[k] != k) {
            for (std::size_t i = 0; i < n; ++i) {
                std::swap(matrix[i * n + k], matrix[i * n + exchanges[k]]);
            }
        }
    }
    return signed_(product, negated, prime);
}

std::uint64_t solve(std::uint64_t* matrix, std::uint64_t* values, std::size_t n, const WordPrime& prime,
                    const Poll& poll) {
    const std::uint64_t determinantValue = eliminateForward(matrix, values, n, prime, poll);
    if (determinantValue == 0) {
        return 0;
    }
    for (std::size_t k = n; k-- > 0;) {
        const std::uint64_t* row = matrix + k * n;
        std::uint64_t value = values[k];
        for (std::size_t j = k + 1; j < n; ++j) {
            value = prime.subtract(value, prime.multiply(row[j], values[j]));
        }
        values[k] = prime.multiply(value, prime.inverse(row[k]));
    }
    return determinantValue;
}

}  // namespace modular_elimination
