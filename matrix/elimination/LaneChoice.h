// LaneChoice: the lane widths of x86-64 that the block update has kernels for, and the choice of
// the fastest one the processor has, made once when the program starts: the widest, unless the
// processor carries out 512-bit vectors in halves; then 256-bit vectors in AVX-512's 32
// registers. Apart from the kernels (SimdLanes), so that choosing a width needs none of the
// vector headers. Every width gives the same bits.
#pragma once

#include <vector>

// On Windows the compiler cannot align the stack for spilled 256- and 512-bit registers; the
// Windows build has its assembler make every aligned vector move an unaligned one
// (-muse-unaligned-vector-move, cmake/mingw-w64.cmake), which is as fast on aligned data.
#if defined(__x86_64__) && defined(__GNUC__)
#define TAVOLENT_WIDE_LANES 1
#include <cpuid.h>
#endif

namespace elimination {

// Avx512At256: AVX2's 256-bit operations with AVX-512's 32 vector registers (AVX-512VL), which
// hold larger tiles.
enum class LaneWidth { Sse2, Avx2, Avx512At256, Avx512 };

// The lane width in use: the fastest the processor has, unless a test asks for another one.
class LaneChoice {
public:
    static LaneWidth current() { return chosen(); }
    static std::vector<LaneWidth> available() {
        std::vector<LaneWidth> widths{LaneWidth::Sse2};
#if defined(TAVOLENT_WIDE_LANES)
        if (__builtin_cpu_supports("avx2")) {
            widths.push_back(LaneWidth::Avx2);
        }
        if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl")) {
            widths.push_back(LaneWidth::Avx512At256);
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
        static LaneWidth width = fastest();
        return width;
    }

    static LaneWidth fastest() {
        const std::vector<LaneWidth> widths = available();
        if (widths.back() == LaneWidth::Avx512 && splitsWideVectors()) {
            return widths[widths.size() - 2];
        }
        return widths.back();
    }

    // AMD's family 19h (Zen 4) runs each 512-bit operation as two 256-bit halves. There the
    // 256-bit kernels measured faster: a double determinant of order 2000 took 146-157 ms in
    // AVX2 lanes and 168-186 ms in AVX-512 lanes on one thread, 80-97 ms and 90-110 ms on two;
    // in AVX-512's registers, whose tiles are twice as tall, 128-133 ms against 134-142 ms in
    // AVX2's on one thread, 72-82 ms against 79-86 ms on two (lower in each of four turns).
    // Family 1Ah (Zen 5) has whole 512-bit units, and its AVX-512 lanes are the faster ones.
    static bool splitsWideVectors() {
#if defined(TAVOLENT_WIDE_LANES)
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) == 0) {
            return false;
        }
        const bool amd = ebx == 0x68747541 && edx == 0x69746e65 && ecx == 0x444d4163;  // "AuthenticAMD"
        if (!amd || __get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) {
            return false;
        }
        const unsigned baseFamily = (eax >> 8) & 0xf;
        const unsigned family = baseFamily == 0xf ? baseFamily + ((eax >> 20) & 0xff) : baseFamily;
        return family == 0x19;
#else
        return false;
#endif
    }
};

}  // namespace elimination
