#include "exact/SingularAdjugate.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t none = static_cast<std::size_t>(-1);

// Brings the rows into echelon form, the pivot of each column the first non-zero entry from the
// current row down, and returns the one column without a pivot; none when two or more lack one
// (rank below n - 1, where the work can stop).
std::size_t echelon(std::vector<std::uint64_t>& m, std::size_t n, const WordPrime& prime,
                    std::vector<std::size_t>& pivotColumns, const modular_elimination::Poll& poll) {
    std::size_t free = none;
    std::size_t r = 0;
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t i = r;
        while (i < n && m[i * n + c] == 0) {
            ++i;
        }
        if (i == n) {
            if (free != none) {
                return none;
            }
            free = c;
            continue;
        }
        std::swap_ranges(m.begin() + static_cast<std::ptrdiff_t>(i * n),
                         m.begin() + static_cast<std::ptrdiff_t>(i * n + n),
                         m.begin() + static_cast<std::ptrdiff_t>(r * n));
        const WordPrime::Factor inverse = prime.prepare(prime.inverse(m[r * n + c]));
        for (std::size_t below = r + 1; below < n; ++below) {
            if (m[below * n + c] != 0) {
                const WordPrime::Factor factor = prime.prepare(prime.multiply(m[below * n + c], inverse));
                for (std::size_t j = c; j < n; ++j) {
                    m[below * n + j] = prime.subtractProduct(m[below * n + j], m[r * n + j], factor);
                }
            }
        }
        pivotColumns.push_back(c);
        ++r;
        poll(c + 1);
    }
    return free;
}

// The kernel vector of a matrix of rank n - 1 whose entry at its column without a pivot is 1;
// false (the vector unset) when the rank is lower. Consumes the matrix.
bool kernelVector(std::vector<std::uint64_t>& m, std::size_t n, const WordPrime& prime, std::vector<std::uint64_t>& x,
                  std::size_t& free, const modular_elimination::Poll& poll) {
    std::vector<std::size_t> pivotColumns;
    free = echelon(m, n, prime, pivotColumns, poll);
    if (free == none) {
        return false;
    }
    x.assign(n, 0);
    x[free] = 1;
    // Row r has its pivot in pivotColumns[r] and zeros before it; the unknowns after it are known.
    for (std::size_t r = pivotColumns.size(); r-- > 0;) {
        const std::size_t c = pivotColumns[r];
        std::uint64_t sum = 0;
        for (std::size_t j = c + 1; j < n; ++j) {
            sum = prime.add(sum, prime.multiply(m[r * n + j], x[j]));
        }
        x[c] = prime.negate(prime.multiply(sum, prime.inverse(m[r * n + c])));
    }
    return true;
}

}  // namespace

std::size_t singularAdjugateBytes(std::size_t n) {
    return 2 * n * n * sizeof(std::uint64_t) + 2 * n * (sizeof(std::uint64_t) + sizeof(std::size_t));
}

void singularAdjugate(const std::uint64_t* matrix, std::size_t n, const WordPrime& prime, std::uint64_t* adjugate,
                      const modular_elimination::Poll& poll) {
    // Three eliminations of about the same length share the steps reported.
    const auto part = [&poll, n](std::size_t phase) {
        return [&poll, n, phase](std::size_t steps) { poll((phase * n + steps) / 3); };
    };
    std::fill(adjugate, adjugate + n * n, 0);
    std::vector<std::uint64_t> work(matrix, matrix + n * n);
    std::vector<std::uint64_t> x;
    std::size_t column = 0;
    if (!kernelVector(work, n, prime, x, column, part(0))) {
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            work[j * n + i] = matrix[i * n + j];
        }
    }
    std::vector<std::uint64_t> y;
    std::size_t row = 0;
    kernelVector(work, n, prime, y, row, part(1));  // the transpose has the same rank
    // x[column] = y[row] = 1, so c is the cofactor of (row, column), the signed minor without them.
    std::vector<std::uint64_t> minor;
    minor.reserve((n - 1) * (n - 1));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (i != row && j != column) {
                minor.push_back(matrix[i * n + j]);
            }
        }
    }
    std::uint64_t c = modular_elimination::determinant(minor.data(), n - 1, prime, part(2));
    if ((row + column) % 2 == 1) {
        c = prime.negate(c);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const WordPrime::Factor scaled = prime.prepare(prime.multiply(c, x[i]));
        for (std::size_t j = 0; j < n; ++j) {
            adjugate[i * n + j] = prime.multiply(y[j], scaled);
        }
    }
}
