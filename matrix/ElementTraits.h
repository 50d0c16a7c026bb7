// ElementTraits: the constant one of each element type, its zero test, and the product that
// every matrix operation multiplies two elements with. A type whose one is not T(1)
// specializes the traits beside the type (elements/).
//
// Zero is every type's value-initialised T{}; the zero tests compare with it by the type's
// own equality, so a negative zero counts as zero and a NaN never does.
#pragma once

#include <complex>

template <typename T>
struct ElementTraits {
    static T one() { return T(1); }
};

template <typename T>
bool isZeroElement(const T& value) {
    return value == T{};
}

template <typename T>
T elementProduct(const T& left, const T& right) {
    return left * right;
}

// The textbook product (ac - bd, ad + bc), each product and each sum rounded on its own. The
// standard operator* gives the same bits for finite results, but where both parts come out NaN
// it tries to recover infinities instead, so a result would depend on that repair.
template <typename U>
std::complex<U> elementProduct(const std::complex<U>& left, const std::complex<U>& right) {
    const U a = left.real(), b = left.imag(), c = right.real(), d = right.imag();
    return {a * c - b * d, a * d + b * c};
}
