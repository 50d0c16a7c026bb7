// WideLanes: the AVX2 and AVX-512 forms of SimdLanes, each function compiled for its own
// instruction set (and never with fused multiply-add). A multiplier is loaded once and repeated
// across the vector by the load itself, so it is stored only once.
#pragma once

#include <immintrin.h>

#include <complex>
#include <cstddef>

#include "matrix/elimination/SimdLanes.h"

namespace elimination {

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

// Tiles of 4 rows x 3 vectors keep 12 of the 16 registers for the targets.
template <>
struct SimdLanes<double, LaneWidth::Avx2> : RealMultipliers<double, 1> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 4, rowsPerTile = 4, vectorsPerTile = 3;
    using Vector = __m256d;
    using Factor = Vector;
    using Pivot = Vector;
    static Pivot pivot(Vector u) { return u; }
    static Vector load(const double* from) { return _mm256_loadu_pd(from); }
    static void store(double* to, Vector value) { _mm256_storeu_pd(to, value); }
    static Vector broadcast(double value) { return _mm256_set1_pd(value); }
    static Vector loadMultiplier(const double* from) { return _mm256_broadcast_sd(from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm256_sub_pd(c, _mm256_mul_pd(u, f)); }
    static Vector divide(Vector a, Vector b) { return _mm256_div_pd(a, b); }
};

template <>
struct SimdLanes<float, LaneWidth::Avx2> : RealMultipliers<float, 1> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 8, rowsPerTile = 4, vectorsPerTile = 3;
    using Vector = __m256;
    using Factor = Vector;
    using Pivot = Vector;
    static Pivot pivot(Vector u) { return u; }
    static Vector load(const float* from) { return _mm256_loadu_ps(from); }
    static void store(float* to, Vector value) { _mm256_storeu_ps(to, value); }
    static Vector broadcast(float value) { return _mm256_set1_ps(value); }
    static Vector loadMultiplier(const float* from) { return _mm256_broadcast_ss(from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm256_sub_ps(c, _mm256_mul_ps(u, f)); }
    static Vector divide(Vector a, Vector b) { return _mm256_div_ps(a, b); }
};

// Two complex numbers per vector; tiles of 4 rows x 2 vectors leave room for the pivot pieces,
// turned and not, and the two parts of a multiplier.
template <>
struct SimdLanes<std::complex<double>, LaneWidth::Avx2> : ComplexMultipliers {
    static constexpr bool available = true;
    static constexpr std::size_t width = 2, rowsPerTile = 4, vectorsPerTile = 2;
    using T = std::complex<double>;
    using Vector = __m256d;
    struct Factor {
        Vector real, imag;
    };
    struct Pivot {
        Vector value, turned;
    };
    static Vector load(const T* from) { return _mm256_loadu_pd(reinterpret_cast<const double*>(from)); }
    static void store(T* to, Vector value) { _mm256_storeu_pd(reinterpret_cast<double*>(to), value); }
    static Factor broadcast(const T& value) { return {_mm256_set1_pd(value.real()), _mm256_set1_pd(value.imag())}; }
    static Factor loadMultiplier(const T* from) {
        const auto* parts = reinterpret_cast<const double*>(from);
        return {_mm256_broadcast_sd(parts), _mm256_broadcast_sd(parts + 1)};
    }
    static Pivot pivot(Vector u) {
        return {u, _mm256_xor_pd(_mm256_permute_pd(u, 0b0101), _mm256_setr_pd(-0.0, 0.0, -0.0, 0.0))};
    }
    static Vector subtractProduct(Vector c, const Pivot& u, const Factor& f) {
        return _mm256_sub_pd(c, _mm256_add_pd(_mm256_mul_pd(u.value, f.real), _mm256_mul_pd(u.turned, f.imag)));
    }
};

// 256-bit vectors in AVX-512's 32 registers: the operations of the AVX2 lanes, which the
// kernels of this width (compiled for AVX-512VL) inline, in tiles of 8 rows x 3 vectors whose
// 24 targets leave room for the pivot pieces, the multiplier and a product. Complex numbers keep
// AVX2's kernels (hasRegisterTiles); their entry here only sizes the buffers.
template <>
struct SimdLanes<double, LaneWidth::Avx512At256> : SimdLanes<double, LaneWidth::Avx2> {
    static constexpr std::size_t rowsPerTile = 8;
};

template <>
struct SimdLanes<float, LaneWidth::Avx512At256> : SimdLanes<float, LaneWidth::Avx2> {
    static constexpr std::size_t rowsPerTile = 8;
};

template <>
struct SimdLanes<std::complex<double>, LaneWidth::Avx512At256> : SimdLanes<std::complex<double>, LaneWidth::Avx2> {};

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
struct SimdLanes<double, LaneWidth::Avx512> : RealMultipliers<double, 1> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 8, rowsPerTile = 8, vectorsPerTile = 2;
    using Vector = __m512d;
    using Factor = Vector;
    using Pivot = Vector;
    static Pivot pivot(Vector u) { return u; }
    static Vector load(const double* from) { return _mm512_loadu_pd(from); }
    static void store(double* to, Vector value) { _mm512_storeu_pd(to, value); }
    static Vector broadcast(double value) { return _mm512_set1_pd(value); }
    static Vector loadMultiplier(const double* from) { return _mm512_set1_pd(*from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm512_sub_pd(c, _mm512_mul_pd(u, f)); }
    static Vector divide(Vector a, Vector b) { return _mm512_div_pd(a, b); }
};

template <>
struct SimdLanes<float, LaneWidth::Avx512> : RealMultipliers<float, 1> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 16, rowsPerTile = 8, vectorsPerTile = 2;
    using Vector = __m512;
    using Factor = Vector;
    using Pivot = Vector;
    static Pivot pivot(Vector u) { return u; }
    static Vector load(const float* from) { return _mm512_loadu_ps(from); }
    static void store(float* to, Vector value) { _mm512_storeu_ps(to, value); }
    static Vector broadcast(float value) { return _mm512_set1_ps(value); }
    static Vector loadMultiplier(const float* from) { return _mm512_set1_ps(*from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm512_sub_ps(c, _mm512_mul_ps(u, f)); }
    static Vector divide(Vector a, Vector b) { return _mm512_div_ps(a, b); }
};

// Four complex numbers per vector; tiles of 8 rows x 2 vectors. The exchange of the parts
// takes the masked form of its instruction, whose every lane is defined.
template <>
struct SimdLanes<std::complex<double>, LaneWidth::Avx512> : ComplexMultipliers {
    static constexpr bool available = true;
    static constexpr std::size_t width = 4, rowsPerTile = 8, vectorsPerTile = 2;
    using T = std::complex<double>;
    using Vector = __m512d;
    struct Factor {
        Vector real, imag;
    };
    struct Pivot {
        Vector value, turned;
    };
    static Vector load(const T* from) { return _mm512_loadu_pd(reinterpret_cast<const double*>(from)); }
    static void store(T* to, Vector value) { _mm512_storeu_pd(reinterpret_cast<double*>(to), value); }
    static Factor broadcast(const T& value) { return {_mm512_set1_pd(value.real()), _mm512_set1_pd(value.imag())}; }
    static Factor loadMultiplier(const T* from) {
        const auto* parts = reinterpret_cast<const double*>(from);
        return {_mm512_set1_pd(parts[0]), _mm512_set1_pd(parts[1])};
    }
    static Pivot pivot(Vector u) {
        const __m512i firstParts = _mm512_set_epi64(0, signBit, 0, signBit, 0, signBit, 0, signBit);
        const __m512d exchanged = _mm512_mask_permute_pd(u, 0xFF, u, 0b01010101);
        return {u, _mm512_castsi512_pd(_mm512_xor_si512(_mm512_castpd_si512(exchanged), firstParts))};
    }
    static Vector subtractProduct(Vector c, const Pivot& u, const Factor& f) {
        return _mm512_sub_pd(c, _mm512_add_pd(_mm512_mul_pd(u.value, f.real), _mm512_mul_pd(u.turned, f.imag)));
    }

private:
    static constexpr long long signBit = static_cast<long long>(0x8000000000000000ULL);
};

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

}  // namespace elimination
