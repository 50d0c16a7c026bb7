// ModularLU: the factors P A = L U of a square matrix modulo one word prime, kept so that each
// further right-hand side costs n^2 operations: the p-adic lifting solves one per digit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "exact/ModularElimination.h"
#include "exact/WordPrime.h"

class ModularLU {
public:
    // Factors n * n residues stored row by row, which it takes over; reports each step to `poll`.
    ModularLU(std::vector<std::uint64_t> residues, std::size_t n, const WordPrime& prime,
              const modular_elimination::Poll& poll);

    // The determinant modulo the prime; 0 when the matrix is singular modulo it.
    std::uint64_t determinant() const { return determinantValue; }
    const WordPrime& prime() const { return modulus; }

    // Replaces n residues b by A^-1 b; only for a determinant other than 0.
    void solve(std::uint64_t* values) const;

private:
    void eliminate(std::vector<std::uint64_t>& rows, const modular_elimination::Poll& poll);
    void keepByColumns(const std::vector<std::uint64_t>& rows);

    std::size_t n;
    WordPrime modulus;
    std::uint64_t determinantValue = 0;
    std::vector<std::size_t> exchanges;
    // Column by column, so that both substitutions run along contiguous words: L below the
    // diagonal (its ones left out), U on and above it.
    std::vector<std::uint64_t> columns;
    std::vector<WordPrime::Factor> diagonalInverses;
};
