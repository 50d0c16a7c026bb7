// WideLanes: the AVX2 and AVX-512 forms of SimdLanes, each function compiled for its own
// instruction set (and never with fused multiply-add). A multiplier is loaded once and repeated
// across the vector by the load itself, so it is stored only once.
#pragma once

#include <immintrin.h>

#include <cstddef>

#include "matrix/lanes/SimdLanes.h"

namespace lanes {

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

// Tiles of 4 rows x 3 vectors keep 12 of the 16 registers for the targets.
template <>
struct SimdLanes<double, LaneWidth::Avx2> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 4, rowsPerTile = 4, vectorsPerTile = 3, multiplierCopies = 1;
    using Vector = __m256d;
    static Vector load(const double* from) { return _mm256_loadu_pd(from); }
    static void store(double* to, Vector value) { _mm256_storeu_pd(to, value); }
    static Vector broadcast(double value) { return _mm256_set1_pd(value); }
    static Vector loadMultiplier(const double* from) { return _mm256_broadcast_sd(from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm256_sub_pd(c, _mm256_mul_pd(u, f)); }
};

template <>
struct SimdLanes<float, LaneWidth::Avx2> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 8, rowsPerTile = 4, vectorsPerTile = 3, multiplierCopies = 1;
    using Vector = __m256;
    static Vector load(const float* from) { return _mm256_loadu_ps(from); }
    static void store(float* to, Vector value) { _mm256_storeu_ps(to, value); }
    static Vector broadcast(float value) { return _mm256_set1_ps(value); }
    static Vector loadMultiplier(const float* from) { return _mm256_broadcast_ss(from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm256_sub_ps(c, _mm256_mul_ps(u, f)); }
};

#if defined(__clang__)
#pragma clang attribute pop
#pragma clang attribute push(__attribute__((target("avx512f"))), apply_to = function)
#else
#pragma GCC pop_options
#pragma GCC push_options
#pragma GCC target("avx512f")
#endif

// Tiles of 8 rows x 2 vectors keep 16 of the 32 registers for the targets.
template <>
struct SimdLanes<double, LaneWidth::Avx512> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 8, rowsPerTile = 8, vectorsPerTile = 2, multiplierCopies = 1;
    using Vector = __m512d;
    static Vector load(const double* from) { return _mm512_loadu_pd(from); }
    static void store(double* to, Vector value) { _mm512_storeu_pd(to, value); }
    static Vector broadcast(double value) { return _mm512_set1_pd(value); }
    static Vector loadMultiplier(const double* from) { return _mm512_set1_pd(*from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm512_sub_pd(c, _mm512_mul_pd(u, f)); }
};

template <>
struct SimdLanes<float, LaneWidth::Avx512> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 16, rowsPerTile = 8, vectorsPerTile = 2, multiplierCopies = 1;
    using Vector = __m512;
    static Vector load(const float* from) { return _mm512_loadu_ps(from); }
    static void store(float* to, Vector value) { _mm512_storeu_ps(to, value); }
    static Vector broadcast(float value) { return _mm512_set1_ps(value); }
    static Vector loadMultiplier(const float* from) { return _mm512_set1_ps(*from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm512_sub_ps(c, _mm512_mul_ps(u, f)); }
};

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

}  // namespace lanes
