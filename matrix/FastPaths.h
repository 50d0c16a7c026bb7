// FastPaths: lets an element type take over a whole determinant, inverse, adjugate or solution
// with a method of its own, where the literal algorithm is too slow for it and another method
// is known to give the same values. The type's ElementTraits may offer any of
//
//   static bool fastDeterminant(const T* const* rows, std::size_t n, T& result);
//   static FastPathOutcome fastInverse(const T* const* rows, std::size_t n, T* const* result);
//   static FastPathOutcome fastAdjugate(const T* const* rows, std::size_t n, T* const* result);
//   static FastPathOutcome fastSolve(const T* const* rows, std::size_t n, const T* constants, T* solution);
//
// on the n rows of a square matrix, together with
//
//   static bool takesFastPath(FastOperation operation, std::size_t n);
//
// which is asked first, before any result storage is made (fastDeterminant returns false when
// it declines after all). A declined or singular request goes on through the literal
// algorithm, whose steps decide what a singular matrix gives; a type without them always takes
// the literal algorithm.
#pragma once

#include <concepts>
#include <cstddef>

#include "matrix/ElementTraits.h"
#include "matrix/FastPathOutcome.h"

template <typename T>
concept HasFastPaths = requires(FastOperation operation, std::size_t n) {
    { ElementTraits<T>::takesFastPath(operation, n) } -> std::same_as<bool>;
};

template <typename T>
concept HasFastDeterminant = HasFastPaths<T> && requires(const T* const* rows, std::size_t n, T& result) {
    { ElementTraits<T>::fastDeterminant(rows, n, result) } -> std::same_as<bool>;
};

template <typename T>
concept HasFastInverse = HasFastPaths<T> && requires(const T* const* rows, std::size_t n, T* const* result) {
    { ElementTraits<T>::fastInverse(rows, n, result) } -> std::same_as<FastPathOutcome>;
};

template <typename T>
concept HasFastAdjugate = HasFastPaths<T> && requires(const T* const* rows, std::size_t n, T* const* result) {
    { ElementTraits<T>::fastAdjugate(rows, n, result) } -> std::same_as<FastPathOutcome>;
};

template <typename T>
concept HasFastSolve = HasFastPaths<T> &&
    requires(const T* const* rows, std::size_t n, const T* constants, T* solution) {
    { ElementTraits<T>::fastSolve(rows, n, constants, solution) } -> std::same_as<FastPathOutcome>;
};
