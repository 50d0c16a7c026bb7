#include "exact/ModularLU.h"

#include <utility>

ModularLU::ModularLU(std::vector<std::uint64_t> residues, std::size_t n, const WordPrime& prime,
                     const modular_elimination::Poll& poll)
    : n(n), modulus(prime), exchanges(n) {
    eliminate(residues, poll);
    if (determinantValue != 0) {
        keepByColumns(residues);
    }
}

// Right-looking elimination that keeps each row's multiplier where it made a zero; a pivot is
// the first non-zero entry of its column, and an exchange swaps whole rows, multipliers too.
void ModularLU::eliminate(std::vector<std::uint64_t>& rows, const modular_elimination::Poll& poll) {
    std::uint64_t product = 1;
    bool negated = false;
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t r = k;
        while (r < n && rows[r * n + k] == 0) {
            ++r;
        }
        if (r == n) {
            determinantValue = 0;
            return;
        }
        exchanges[k] = r;
        if (r != k) {
            std::swap_ranges(rows.begin() + static_cast<std::ptrdiff_t>(r * n),
                             rows.begin() + static_cast<std::ptrdiff_t>(r * n + n),
                             rows.begin() + static_cast<std::ptrdiff_t>(k * n));
            negated = !negated;
        }
        const std::uint64_t* __restrict pivotRow = rows.data() + k * n;
        product = modulus.multiply(product, pivotRow[k]);
        const WordPrime::Factor inverse = modulus.prepare(modulus.inverse(pivotRow[k]));
        for (std::size_t i = k + 1; i < n; ++i) {
            std::uint64_t* __restrict row = rows.data() + i * n;
            if (row[k] == 0) {
                continue;
            }
            row[k] = modulus.multiply(row[k], inverse);
            const WordPrime::Factor factor = modulus.prepare(row[k]);
            for (std::size_t j = k + 1; j < n; ++j) {
                row[j] = modulus.subtractProduct(row[j], pivotRow[j], factor);
            }
        }
        poll(k + 1);
    }
    determinantValue = negated ? modulus.negate(product) : product;
}

void ModularLU::keepByColumns(const std::vector<std::uint64_t>& rows) {
    columns.resize(n * n);
    diagonalInverses.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            columns[j * n + i] = rows[i * n + j];
        }
        diagonalInverses[i] = modulus.prepare(modulus.inverse(rows[i * n + i]));
    }
}

// Column-oriented substitutions: each solved value is prepared once and then multiplies a
// contiguous column.
void ModularLU::solve(std::uint64_t* values) const {
    for (std::size_t k = 0; k < n; ++k) {
        std::swap(values[k], values[exchanges[k]]);
    }
    for (std::size_t j = 0; j < n; ++j) {
        const WordPrime::Factor factor = modulus.prepare(values[j]);
        const std::uint64_t* column = columns.data() + j * n;
        for (std::size_t i = j + 1; i < n; ++i) {
            values[i] = modulus.subtractProduct(values[i], column[i], factor);
        }
    }
    for (std::size_t j = n; j-- > 0;) {
        values[j] = modulus.multiply(values[j], diagonalInverses[j]);
        const WordPrime::Factor factor = modulus.prepare(values[j]);
        const std::uint64_t* column = columns.data() + j * n;
        for (std::size_t i = 0; i < j; ++i) {
            values[i] = modulus.subtractProduct(values[i], column[i], factor);
        }
    }
}
