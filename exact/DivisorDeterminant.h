// DivisorDeterminant: the determinant of an integer matrix from a large divisor of it. The
// common denominator d of A^-1 b, found by p-adic lifting, divides det A and is nearly always
// nearly all of it; det A / d is then bounded by Hadamard's bound over d, and takes only as many
// primes as that bound needs. Proven whatever b is: d divides det A by Cramer's rule, and the
// quotient's residues pass twice its bound.
#pragma once

#include <functional>

#include "number/BigNumber.h"

class IntegerRows;

namespace divisor_determinant {

// The progress runs from 0 to 1 and may throw to cancel.
bignumber::BigInteger determinant(const IntegerRows& matrix, const std::function<void(double)>& progress);

}  // namespace divisor_determinant
