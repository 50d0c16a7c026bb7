// ModularElimination: determinant, inverse and solution of a square matrix of residues modulo
// one word prime, in place on n * n words stored row by row. Pivots are the first non-zero
// entries of their columns; any choice gives the same residues. Each step calls `poll` with
// the number of steps done, so that a long elimination can report progress and be cancelled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "exact/WordPrime.h"

namespace modular_elimination {

using Poll = std::function<void(std::size_t stepsDone)>;

// The determinant modulo the prime; destroys the matrix.
std::uint64_t determinant(std::uint64_t* matrix, std::size_t n, const WordPrime& prime, const Poll& poll);

// Replaces the matrix by its inverse and returns its determinant, or returns 0 (and leaves the
// matrix in an unspecified state) when it is singular modulo the prime.
std::uint64_t invert(std::uint64_t* matrix, std::size_t n, const WordPrime& prime, const Poll& poll);

// Replaces `values` by the solution x of matrix * x = values and returns the determinant, or
// returns 0 (both left unspecified) when the matrix is singular modulo the prime.
std::uint64_t solve(std::uint64_t* matrix, std::uint64_t* values, std::size_t n, const WordPrime& prime,
                    const Poll& poll);

}  // namespace modular_elimination
