// ExactMatrixEngine: determinant, inverse, adjugate and the solution of a linear system for
// square fraction matrices, exactly and in about n^3 word operations per prime.
//
// Each row is multiplied by the common multiple of its denominators, which leaves an integer
// matrix. Its determinant and adjugate (or, for a system, the numerators of Cramer's rule) are
// computed modulo word primes until the product of the primes exceeds twice Hadamard's bound,
// and the Chinese remainder theorem gives them back exactly; the fractions follow by one
// division each. A prime that divides the determinant is passed over, or, for the adjugate,
// serves through the kernels of the matrix modulo it, so that no determinant, however made,
// sends a matrix elsewhere; a singular matrix's adjugate comes from the engine too. The primes,
// independent of each other, are shared among the worker pool's threads (PrimeWorkers), each with
// working memory of its own, checked before any starts. A long computation reports how far
// it is through `progress`, which may throw to cancel it; every large allocation is checked against the memory left
// first.
//
// FLINT's rational matrices are as fast, but a call into them cannot be cancelled, allocates
// past the memory check, and has no build for the Windows program; so FLINT is only the
// tests' oracle and the benchmark's peer.
#pragma once

#include <cstddef>
#include <functional>

class Bruch;

namespace exact_matrix {

// Called often, with the fraction done (0 to 1).
using Progress = std::function<void(double fractionDone)>;

// Done, or Singular: proven, by primes whose product passes the determinant's bound.
enum class Outcome { Done, Singular };

// rows: n pointers to n fractions each, n >= 1; results go to n rows of n fractions.
Bruch determinant(const Bruch* const* rows, std::size_t n, const Progress& progress);
// Done or Singular.
Outcome inverse(const Bruch* const* rows, std::size_t n, Bruch* const* result, const Progress& progress);
// Of any matrix, singular or not.
void adjugate(const Bruch* const* rows, std::size_t n, Bruch* const* result, const Progress& progress);
// The one solution of rows * solution = constants (n fractions each): Done or Singular.
Outcome solve(const Bruch* const* rows, std::size_t n, const Bruch* constants, Bruch* solution,
              const Progress& progress);

}  // namespace exact_matrix
