#include "exact/RationalReconstruction.h"

#include <utility>

using bignumber::BigInteger;

namespace rational_reconstruction {

// The remainders r and the cofactors t of the Euclidean algorithm on (modulus, residue) keep
// r = t * residue modulo m; the first remainder within the numerator's bound is the candidate.
bool reconstruct(const BigInteger& residue, const BigInteger& modulus, const BigInteger& numeratorBound,
                 const BigInteger& denominatorBound, BigInteger& numerator, BigInteger& denominator) {
    BigInteger previousRemainder = modulus;
    BigInteger remainder = residue;
    BigInteger previousCofactor = 0;
    BigInteger cofactor = 1;
    BigInteger quotient;
    while (remainder > numeratorBound) {
        quotient = previousRemainder / remainder;
        previousRemainder -= quotient * remainder;
        std::swap(previousRemainder, remainder);
        previousCofactor -= quotient * cofactor;
        std::swap(previousCofactor, cofactor);
    }
    if (cofactor < 0) {
        cofactor = -cofactor;
        remainder = -remainder;
    }
    if (cofactor == 0 || cofactor > denominatorBound || bignumber::gcdOf(remainder, cofactor) != 1) {
        return false;
    }
    numerator = std::move(remainder);
    denominator = std::move(cofactor);
    return true;
}

}  // namespace rational_reconstruction
