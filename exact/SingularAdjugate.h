// SingularAdjugate: the adjugate modulo a word prime of a matrix that is singular modulo it.
// The adjugate of any matrix reduces to the adjugate of its residues, so these residues serve the
// Chinese remainder theorem as well as those of an invertible matrix do; the adjugate of a
// singular matrix, and of one whose determinant the prime divides, is had this way.
//
// Of rank n - 1, A adj(A) = adj(A) A = det(A) I = 0 makes every column of the adjugate a multiple
// of the kernel vector x of A, and every row one of the kernel vector y of its transpose:
// adj(A) = c x y^T, where one cofactor, a determinant of order n - 1, fixes c. Of lower rank every
// minor of order n - 1 vanishes, and so does the adjugate.
#pragma once

#include <cstddef>
#include <cstdint>

#include "exact/ModularElimination.h"
#include "exact/WordPrime.h"

// The working memory it takes, which the caller checks beforehand: a computation shared among
// threads checks every thread's before any starts.
std::size_t singularAdjugateBytes(std::size_t n);

// matrix: n * n residues row by row, singular modulo the prime (kept as it is); the adjugate's
// residues go to n * n words, row by row.
void singularAdjugate(const std::uint64_t* matrix, std::size_t n, const WordPrime& prime, std::uint64_t* adjugate,
                      const modular_elimination::Poll& poll);
