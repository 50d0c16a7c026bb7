// SimdLanes: the few vector operations the block update needs, for the element types that
// have them (SSE2 double and float, part of every x86-64 processor).
//
// Each lane is computed with exactly the rounding of the scalar operation, so a vectorised
// update gives the same bits as the element-by-element one. No fused multiply-add is used.
#pragma once

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

template <typename T>
struct SimdLanes {
    static constexpr bool available = false;
};

#if defined(__SSE2__)
template <>
struct SimdLanes<double> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 2;
    using Vector = __m128d;

    static Vector load(const double* from) { return _mm_loadu_pd(from); }
    static void store(double* to, Vector value) { _mm_storeu_pd(to, value); }
    static Vector broadcast(double value) { return _mm_set1_pd(value); }
    // c - u * f, with the product rounded before the subtraction.
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm_sub_pd(c, _mm_mul_pd(u, f)); }
};

template <>
struct SimdLanes<float> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 4;
    using Vector = __m128;

    static Vector load(const float* from) { return _mm_loadu_ps(from); }
    static void store(float* to, Vector value) { _mm_storeu_ps(to, value); }
    static Vector broadcast(float value) { return _mm_set1_ps(value); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm_sub_ps(c, _mm_mul_ps(u, f)); }
};
#endif
