// SimdLanes: the few vector operations the block update needs, for each lane width of x86-64
// (SSE2 in every such processor, AVX2 and AVX-512 in many; LaneChoice picks one).
//
// Each lane is computed with exactly the rounding of the scalar operation: a product rounded,
// then a difference rounded, never a fused multiply-add. So every width gives the same bits.
// The wider operations carry their instruction set as a function attribute, so the program as a
// whole is built for any x86-64 and runs them only where the processor has them.
#pragma once

#include <complex>
#include <cstddef>
#include <utility>

#include "matrix/ElementTraits.h"
#include "matrix/elimination/LaneChoice.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(TAVOLENT_WIDE_LANES)
#include <immintrin.h>
#endif

namespace elimination {

template <typename T, LaneWidth Width>
struct SimdLanes {
    static constexpr bool available = false;
};

// A scalar as a lane of width 1, for element types without vector lanes: every operation on the
// element itself, taken by reference, since a copy of a fraction is reduced and checked against
// the memory left.
template <typename T>
struct ScalarLane {
    static constexpr std::size_t width = 1;
    using Vector = T;
    using Factor = const T&;
    static const T& load(const T* from) { return *from; }
    static const T& pivot(const T& u) { return u; }
    static const T& broadcast(const T& value) { return value; }
    static void store(T* to, T value) { *to = std::move(value); }
    static T subtractProduct(const T& c, const T& u, const T& f) { return c - elementProduct(u, f); }
};

// A packed multiplier is the value repeated as often as the lanes' load of it needs. The lanes
// of float and double take a multiplier as one more vector and a pivot row's piece as it is
// loaded.
template <typename T, std::size_t Copies>
struct RealMultipliers {
    static constexpr std::size_t multiplierCopies = Copies;
    static void packMultiplier(const T& value, T* out) {
        for (std::size_t copy = 0; copy < Copies; ++copy) {
            out[copy] = value;
        }
    }
};

// A complex multiplier f = (p, q) is taken as p and q each repeated across a vector. A piece of
// a pivot row u = (a, b) is taken with its parts exchanged and the new first one negated as
// well, (-b, a), so that
//     u * (p, p) + (-b, a) * (q, q) = (a p - b q, b p + a q),
// the textbook product, each product and each sum rounded on its own (a negation is exact, a
// sum with a negated product is the difference, and the order of a sum's operands does not
// change its bits). The load of a multiplier splits it into its parts, so it is stored once.
struct ComplexMultipliers {
    static constexpr std::size_t multiplierCopies = 1;
    static void packMultiplier(const std::complex<double>& value, std::complex<double>* out) { *out = value; }
};

#if defined(__SSE2__)
// Tiles of 4 rows x 2 vectors fill 8 of the 16 registers; multipliers are stored repeated across
// a vector, since SSE2 has no load that repeats one value.
template <>
struct SimdLanes<double, LaneWidth::Sse2> : RealMultipliers<double, 2> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 2, rowsPerTile = 4, vectorsPerTile = 2;
    using Vector = __m128d;
    using Factor = Vector;
    using Pivot = Vector;
    static Pivot pivot(Vector u) { return u; }
    static Vector load(const double* from) { return _mm_loadu_pd(from); }
    static void store(double* to, Vector value) { _mm_storeu_pd(to, value); }
    static Vector broadcast(double value) { return _mm_set1_pd(value); }
    static Vector loadMultiplier(const double* from) { return _mm_load_pd(from); }
    // c - u * f, with the product rounded before the subtraction.
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm_sub_pd(c, _mm_mul_pd(u, f)); }
    static Vector divide(Vector a, Vector b) { return _mm_div_pd(a, b); }
};

template <>
struct SimdLanes<float, LaneWidth::Sse2> : RealMultipliers<float, 4> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 4, rowsPerTile = 4, vectorsPerTile = 2;
    using Vector = __m128;
    using Factor = Vector;
    using Pivot = Vector;
    static Pivot pivot(Vector u) { return u; }
    static Vector load(const float* from) { return _mm_loadu_ps(from); }
    static void store(float* to, Vector value) { _mm_storeu_ps(to, value); }
    static Vector broadcast(float value) { return _mm_set1_ps(value); }
    static Vector loadMultiplier(const float* from) { return _mm_load_ps(from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm_sub_ps(c, _mm_mul_ps(u, f)); }
    static Vector divide(Vector a, Vector b) { return _mm_div_ps(a, b); }
};

// One complex number per vector; tiles of 4 rows x 2 vectors.
template <>
struct SimdLanes<std::complex<double>, LaneWidth::Sse2> : ComplexMultipliers {
    static constexpr bool available = true;
    static constexpr std::size_t width = 1, rowsPerTile = 4, vectorsPerTile = 2;
    using T = std::complex<double>;
    using Vector = __m128d;
    struct Factor {
        Vector real, imag;
    };
    struct Pivot {
        Vector value, turned;
    };
    static Vector load(const T* from) { return _mm_loadu_pd(reinterpret_cast<const double*>(from)); }
    static void store(T* to, Vector value) { _mm_storeu_pd(reinterpret_cast<double*>(to), value); }
    static Factor broadcast(const T& value) { return {_mm_set1_pd(value.real()), _mm_set1_pd(value.imag())}; }
    static Factor loadMultiplier(const T* from) {
        const auto* parts = reinterpret_cast<const double*>(from);
        return {_mm_load1_pd(parts), _mm_load1_pd(parts + 1)};
    }
    static Pivot pivot(Vector u) { return {u, _mm_xor_pd(_mm_shuffle_pd(u, u, 1), _mm_setr_pd(-0.0, 0.0))}; }
    static Vector subtractProduct(Vector c, const Pivot& u, const Factor& f) {
        return _mm_sub_pd(c, _mm_add_pd(_mm_mul_pd(u.value, f.real), _mm_mul_pd(u.turned, f.imag)));
    }
};
#endif

}  // namespace elimination
