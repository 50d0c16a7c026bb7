// LaneChoice: the lane widths of x86-64 that the block update has kernels for, and the choice of
// the widest one the processor has, made once when the program starts. Apart from the kernels
// (SimdLanes), so that choosing a width needs none of the vector headers.
#pragma once

#include <vector>

// On Windows the compiler cannot align the stack for spilled 256- and 512-bit registers; the
// Windows build has its assembler make every aligned vector move an unaligned one
// (-muse-unaligned-vector-move, cmake/mingw-w64.cmake), which is as fast on aligned data.
#if defined(__x86_64__) && defined(__GNUC__)
#define TAVOLENT_WIDE_LANES 1
#endif

namespace elimination {

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

}  // namespace elimination
