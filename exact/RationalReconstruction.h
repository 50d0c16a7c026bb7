// RationalReconstruction: the fraction a / b with |a| <= numeratorBound and 0 < b <=
// denominatorBound that is congruent to a given residue modulo m, found by stopping the
// extended Euclidean algorithm half-way (Wang). When 2 * numeratorBound * denominatorBound < m
// there is at most one such fraction, and if there is one, this is the one found.
#pragma once

#include "number/BigNumber.h"

namespace rational_reconstruction {

// residue in [0, modulus); numerator / denominator in lowest terms with a positive denominator.
// False when no fraction within the bounds fits.
bool reconstruct(const bignumber::BigInteger& residue, const bignumber::BigInteger& modulus,
                 const bignumber::BigInteger& numeratorBound, const bignumber::BigInteger& denominatorBound,
                 bignumber::BigInteger& numerator, bignumber::BigInteger& denominator);

}  // namespace rational_reconstruction
