// BigNumber: the arbitrary-precision integers and rationals behind the fractions that leave
// 64 bits, and the few operations Bruch needs of them, under one name on every platform.
//
// On Linux they are GMP's (gmpxx), the fastest there is and a shared library of every
// distribution. The Windows program is linked statically and no mingw build of GMP is at hand,
// so there Boost.Multiprecision's header-only cpp_int and cpp_rational take their place: no
// library to build or ship, and the same exact values.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#if defined(_WIN32)
#include <boost/multiprecision/cpp_int.hpp>
#else
#include <gmpxx.h>
#endif

namespace bignumber {

#if defined(_WIN32)

using BigInteger = boost::multiprecision::cpp_int;
using BigRational = boost::multiprecision::cpp_rational;

inline BigInteger numeratorOf(const BigRational& value) {
    return boost::multiprecision::numerator(value);
}
inline BigInteger denominatorOf(const BigRational& value) {
    return boost::multiprecision::denominator(value);
}
// numerator / denominator in lowest terms with a positive denominator; denominator ≠ 0. Boost's
// rational refuses a negative denominator of an unbounded integer type ("non-zero singular
// denominator"), so the sign is moved to the numerator first.
inline BigRational rationalOf(const BigInteger& numerator, const BigInteger& denominator) {
    if (denominator < 0)
        return BigRational(BigInteger(-numerator), BigInteger(-denominator));
    return BigRational(numerator, denominator);
}
inline BigInteger integerOf(std::int64_t value) {
    return BigInteger(value);
}
inline BigInteger integerOf(std::uint64_t value) {
    return BigInteger(value);
}
inline bool fitsInt64(const BigInteger& value) {
    return value >= INT64_MIN && value <= INT64_MAX;
}
inline std::int64_t toInt64(const BigInteger& value) {
    return value.convert_to<std::int64_t>();
}
// Bytes of the magnitude.
inline std::size_t bytesOf(const BigInteger& value) {
    return value.backend().size() * sizeof(boost::multiprecision::limb_type);
}
inline std::string decimalText(const BigInteger& value) {
    return value.str();
}
inline BigInteger gcdOf(const BigInteger& a, const BigInteger& b) {
    return boost::multiprecision::gcd(a, b);
}
// The least non-negative residue modulo a word.
inline std::uint64_t residueOf(const BigInteger& value, std::uint64_t modulus) {
    BigInteger rest = value % modulus;
    if (rest < 0)
        rest += modulus;
    return rest.convert_to<std::uint64_t>();
}
// accumulator += factor * word.
inline void addProduct(BigInteger& accumulator, const BigInteger& factor, std::uint64_t word) {
    accumulator += factor * word;
}
// accumulator -= factor * word.
inline void subtractProduct(BigInteger& accumulator, const BigInteger& factor, std::uint64_t word) {
    accumulator -= factor * word;
}
// value /= divisor, which divides it.
inline void divideExactly(BigInteger& value, std::uint64_t divisor) {
    value /= divisor;
}
// Bits of the magnitude; 0 for zero.
inline std::size_t bitLength(const BigInteger& value) {
    return value == 0 ? 0 : boost::multiprecision::msb(abs(value)) + 1;
}
// digits: an optional '-' and at least one decimal digit. Boost reads a leading 0 as the
// prefix of an octal number, so leading zeros are dropped first.
inline BigInteger integerFromDecimal(const std::string& digits) {
    const std::size_t sign = digits[0] == '-' ? 1 : 0;
    const std::size_t first = std::min(digits.find_first_not_of('0', sign), digits.size() - 1);
    return BigInteger(digits.substr(0, sign) + digits.substr(first));
}

#else

using BigInteger = mpz_class;
using BigRational = mpq_class;

inline const BigInteger& numeratorOf(const BigRational& value) {
    return value.get_num();
}
inline const BigInteger& denominatorOf(const BigRational& value) {
    return value.get_den();
}
inline BigRational rationalOf(const BigInteger& numerator, const BigInteger& denominator) {
    BigRational value(numerator, denominator);
    value.canonicalize();
    return value;
}
// std::int64_t is long on every 64-bit Linux, the type GMP's conversions take.
inline BigInteger integerOf(std::int64_t value) {
    return BigInteger(static_cast<long>(value));
}
inline BigInteger integerOf(std::uint64_t value) {
    return BigInteger(static_cast<unsigned long>(value));
}
inline bool fitsInt64(const BigInteger& value) {
    return value.fits_slong_p();
}
inline std::int64_t toInt64(const BigInteger& value) {
    return value.get_si();
}
inline std::size_t bytesOf(const BigInteger& value) {
    return mpz_size(value.get_mpz_t()) * sizeof(mp_limb_t);
}
inline std::string decimalText(const BigInteger& value) {
    return value.get_str(10);
}
inline BigInteger gcdOf(const BigInteger& a, const BigInteger& b) {
    BigInteger result;
    mpz_gcd(result.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    return result;
}
inline std::uint64_t residueOf(const BigInteger& value, std::uint64_t modulus) {
    return mpz_fdiv_ui(value.get_mpz_t(), static_cast<unsigned long>(modulus));
}
inline void addProduct(BigInteger& accumulator, const BigInteger& factor, std::uint64_t word) {
    mpz_addmul_ui(accumulator.get_mpz_t(), factor.get_mpz_t(), static_cast<unsigned long>(word));
}
inline void subtractProduct(BigInteger& accumulator, const BigInteger& factor, std::uint64_t word) {
    mpz_submul_ui(accumulator.get_mpz_t(), factor.get_mpz_t(), static_cast<unsigned long>(word));
}
inline void divideExactly(BigInteger& value, std::uint64_t divisor) {
    mpz_divexact_ui(value.get_mpz_t(), value.get_mpz_t(), static_cast<unsigned long>(divisor));
}
inline std::size_t bitLength(const BigInteger& value) {
    return value == 0 ? 0 : mpz_sizeinbase(value.get_mpz_t(), 2);
}
inline BigInteger integerFromDecimal(const std::string& digits) {
    return BigInteger(digits, 10);
}

#endif

inline std::size_t bytesOf(const BigRational& value) {
    return bytesOf(numeratorOf(value)) + bytesOf(denominatorOf(value));
}

// The most memory an operation takes, its result and the library's temporaries together, so
// that it can be checked before it starts. Measured on GMP 6.2 as the peak of its allocations
// over the size of what it reads: a decimal text of n digits becomes a number through up to
// 3.7 n bytes, a number becomes decimal text through 9.5 times its bytes plus the text, a
// reduction takes 4.6 and an arithmetic operation 3.9 times its operands. Each bound leaves
// room above that.
inline std::size_t bytesToReadDecimal(std::size_t digits) {
    return 6 * digits + 256;
}
inline std::size_t bytesToWriteDecimal(std::size_t bytes) {
    return 16 * bytes + 256;
}
inline std::size_t bytesToReduce(std::size_t bytes) {
    return 8 * bytes + 256;
}
inline std::size_t bytesForArithmetic(std::size_t bytes) {
    return 6 * bytes + 256;
}

}  // namespace bignumber
