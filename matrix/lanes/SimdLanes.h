// SimdLanes: the few vector operations the block update needs, for each lane width of x86-64
// (SSE2 in every such processor, AVX2 and AVX-512 in many), and the choice of the widest one
// the processor has, made once when the program starts.
//
// Each lane is computed with exactly the rounding of the scalar operation: a product rounded,
// then a difference rounded, never a fused multiply-add. So every width gives the same bits.
// The wider operations carry their instruction set as a function attribute, so the program as a
// whole is built for any x86-64 and runs them only where the processor has them.
#pragma once

#include <cstddef>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The Windows toolchain cannot align the stack for spilled 256- and 512-bit registers, so the
// wide lanes are left to the other platforms.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(_WIN32)
#include <immintrin.h>
#define TAVOLENT_WIDE_LANES 1
#endif

namespace lanes {

enum class LaneWidth { Sse2, Avx2, Avx512 };

// The lane width in use: the widest the processor has, unless a test asks for another one.
class LaneChoice {
public:
    static LaneWidth current() { return chosen(); }
    static std::vector<LaneWidth> available() {
        std::vector<LaneWidth> widths{LaneWidth::Sse2};
#if defined(TAVOLENT_WIDE_LANES)
        if (__builtin_cpu_supports("avx2")) {
            widths.push_back(LaneWidth::Avx2);
        }
        if (__builtin_cpu_supports("avx512f")) {
            widths.push_back(LaneWidth::Avx512);
        }
#endif
        return widths;
    }
    // Only widths that available() lists may be chosen.
    static void choose(LaneWidth width) {
        chosen() = width;
    }

private:
    static LaneWidth& chosen() {
        static LaneWidth width = available().back();
        return width;
    }
};

template <typename T, LaneWidth Width>
struct SimdLanes {
    static constexpr bool available = false;
};

#if defined(__SSE2__)
// Tiles of 4 rows x 2 vectors fill 8 of the 16 registers; multipliers are stored repeated across
// a vector, since SSE2 has no load that repeats one value.
template <>
struct SimdLanes<double, LaneWidth::Sse2> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 2, rowsPerTile = 4, vectorsPerTile = 2, multiplierCopies = 2;
    using Vector = __m128d;
    static Vector load(const double* from) { return _mm_loadu_pd(from); }
    static void store(double* to, Vector value) { _mm_storeu_pd(to, value); }
    static Vector broadcast(double value) { return _mm_set1_pd(value); }
    static Vector loadMultiplier(const double* from) { return _mm_load_pd(from); }
    // c - u * f, with the product rounded before the subtraction.
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm_sub_pd(c, _mm_mul_pd(u, f)); }
};

template <>
struct SimdLanes<float, LaneWidth::Sse2> {
    static constexpr bool available = true;
    static constexpr std::size_t width = 4, rowsPerTile = 4, vectorsPerTile = 2, multiplierCopies = 4;
    using Vector = __m128;
    static Vector load(const float* from) { return _mm_loadu_ps(from); }
    static void store(float* to, Vector value) { _mm_storeu_ps(to, value); }
    static Vector broadcast(float value) { return _mm_set1_ps(value); }
    static Vector loadMultiplier(const float* from) { return _mm_load_ps(from); }
    static Vector subtractProduct(Vector c, Vector u, Vector f) { return _mm_sub_ps(c, _mm_mul_ps(u, f)); }
};
#endif

}  // namespace lanes
