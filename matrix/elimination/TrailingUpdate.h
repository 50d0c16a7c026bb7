// TrailingUpdate: subtracts a block of finished pivot rows, each scaled by its multiplier, from
// many rows at once:
//     target(i)[j] = target(i)[j] - pivot(s)[j] * multiplier(i, s)   for s = 0, 1, ... in order.
// This is where an elimination spends nearly all of its time. Every element receives its
// subtractions one at a time in ascending s, each product rounded on its own, so the result is
// the same as that of the step-by-step elimination; only the order across elements changes.
// Decimal types take the vector-lane kernels of the lane width in use (LaneChoice).
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "matrix/ElementTraits.h"
#include "matrix/SharedWork.h"
#include "matrix/elimination/BlockSizes.h"
#include "matrix/elimination/Scratch.h"
#include "matrix/elimination/SimdLanes.h"
#include "matrix/elimination/WorkingMemory.h"
#if defined(TAVOLENT_WIDE_LANES)
#include "matrix/elimination/WideLanes.h"
#endif

namespace elimination {

namespace sse2Lanes {
#define TAVOLENT_KERNEL_WIDTH LaneWidth::Sse2
#include "matrix/elimination/LaneKernels.inc"
#undef TAVOLENT_KERNEL_WIDTH
}  // namespace sse2Lanes

#if defined(TAVOLENT_WIDE_LANES)
#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace avx2Lanes {
#define TAVOLENT_KERNEL_WIDTH LaneWidth::Avx2
#include "matrix/elimination/LaneKernels.inc"
#undef TAVOLENT_KERNEL_WIDTH
}  // namespace avx2Lanes
#if defined(__clang__)
#pragma clang attribute pop
#pragma clang attribute push(__attribute__((target("avx512f"))), apply_to = function)
#else
#pragma GCC pop_options
#pragma GCC push_options
#pragma GCC target("avx512f")
#endif
namespace avx512Lanes {
#define TAVOLENT_KERNEL_WIDTH LaneWidth::Avx512
#include "matrix/elimination/LaneKernels.inc"
#undef TAVOLENT_KERNEL_WIDTH
}  // namespace avx512Lanes
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

template <typename T>
inline constexpr bool hasLanes = SimdLanes<T, LaneWidth::Sse2>::available;

// The kernels of element types without vector lanes; the baseline namespace carries no
// instruction set of its own.
template <typename T>
using ScalarKernels = sse2Lanes::Kernels<T, ScalarLane<T>>;

// The largest tile, and the most copies of a multiplier, of any lane width that T has, which the
// buffers of the block update must hold.
template <typename T, LaneWidth... Widths>
struct LargestTile {
    static constexpr std::size_t columns =
        std::max({SimdLanes<T, Widths>::vectorsPerTile * SimdLanes<T, Widths>::width...});
    static constexpr std::size_t rows = std::max({SimdLanes<T, Widths>::rowsPerTile...});
    static constexpr std::size_t copies = std::max({SimdLanes<T, Widths>::multiplierCopies...});
};
#if defined(TAVOLENT_WIDE_LANES)
template <typename T>
using TileLimits = LargestTile<T, LaneWidth::Sse2, LaneWidth::Avx2, LaneWidth::Avx512>;
#else
template <typename T>
using TileLimits = LargestTile<T, LaneWidth::Sse2>;
#endif

// Calls the kernel of the lane width in use with the given arguments.
#if defined(TAVOLENT_WIDE_LANES)
#define TAVOLENT_WITH_LANES(T, kernel, ...)                  \
    switch (LaneChoice::current()) {                         \
    case LaneWidth::Avx512:                                  \
        return avx512Lanes::Kernels<T>::kernel(__VA_ARGS__); \
    case LaneWidth::Avx2:                                    \
        return avx2Lanes::Kernels<T>::kernel(__VA_ARGS__);   \
    case LaneWidth::Sse2:                                    \
        return sse2Lanes::Kernels<T>::kernel(__VA_ARGS__);   \
    }
#else
#define TAVOLENT_WITH_LANES(T, kernel, ...) return sse2Lanes::Kernels<T>::kernel(__VA_ARGS__);
#endif

// row[j] = row[j] - pivot[j] * factor for j in [first, last): one step on a short piece of a
// row, as the panel's own columns need it.
template <typename T>
void subtractScaledRow(T* row, const T* pivot, const T& factor, std::size_t first, std::size_t last) {
    if constexpr (hasLanes<T>) {
        TAVOLENT_WITH_LANES(T, subtractScaledRow, row, pivot, factor, first, last)
    } else {
        ScalarKernels<T>::subtractScaledRow(row, pivot, factor, first, last);
    }
}

// Steps [start, stop) on rows [first, last) of a panel, each step on the columns from(s) to
// end, rows in groups of four so that the divisions of different rows overlap; the multiplier
// of row r and step s goes to multipliers[r * stride + s - start].
template <typename T, typename From>
void eliminatePanelRows(T* const* rows, std::size_t first, std::size_t last, std::size_t start, std::size_t stop,
                        std::size_t end, From from, T* multipliers, std::size_t stride) {
    if constexpr (hasLanes<T>) {
        TAVOLENT_WITH_LANES(T, eliminateRows, rows, first, last, start, stop, end, from, multipliers, stride)
    } else {
        ScalarKernels<T>::eliminateRows(rows, first, last, start, stop, end, from, multipliers, stride);
    }
}

// One row at a time, for the pivot rows of a panel and for element types without lanes.
template <typename T>
void subtractPivotRows(T* target, const T* multipliers, T* const* pivots, std::size_t steps, std::size_t first,
                       std::size_t last) {
    if constexpr (hasLanes<T>) {
        TAVOLENT_WITH_LANES(T, subtractPivotRows, target, multipliers, pivots, steps, first, last)
    } else {
        // Not the kernel of a width-1 lane, which holds a piece of the row in registers: here
        // each value is changed where it is, never copied. Column chunks keep the pivot rows'
        // pieces in the cache while all steps pass over them.
        constexpr std::size_t chunk = 256;
        for (std::size_t from = first; from < last; from += chunk) {
            const std::size_t to = std::min(last, from + chunk);
            for (std::size_t s = 0; s < steps; ++s) {
                const T& factor = multipliers[s];
                const T* pivot = pivots[s];
                for (std::size_t j = from; j < to; ++j) {
                    target[j] = target[j] - elementProduct(pivot[j], factor);
                }
            }
        }
    }
}

template <typename T>
class TrailingUpdate {
public:
    // Bytes of WorkingMemory that provide() takes for blocks of up to `steps` steps on `columns`
    // columns; enough for every lane width, for each thread that shares the update.
    static std::size_t scratchBytes(std::size_t columns, std::size_t steps) {
        if constexpr (hasLanes<T>) {
            return threadsFor(columns) * (WorkingMemory::bytesFor<T>(pivotScratch(columns, steps)) +
                                          WorkingMemory::bytesFor<T>(multiplierScratch(steps)));
        } else {
            return 0;
        }
    }

    void provide(WorkingMemory& memory, std::size_t columns, std::size_t steps) {
        if constexpr (hasLanes<T>) {
            threadScratch.resize(threadsFor(columns));
            for (Packed& packed : threadScratch) {
                packed.pivots.provide(memory, pivotScratch(columns, steps));
                packed.multipliers.provide(memory, multiplierScratch(steps));
            }
        }
    }

    // Rows targets[0 .. rowCount), columns [first, last), steps [0, steps); the multiplier of
    // target i and step s is multipliers[i * stride + s]. With memory for several threads, and
    // enough work, row ranges go to the threads.
    void apply(T* const* targets, std::size_t rowCount, const T* multipliers, std::size_t stride, T* const* pivots,
               std::size_t steps, std::size_t first, std::size_t last) {
        if (rowCount == 0 || steps == 0 || first >= last) {
            return;
        }
        if constexpr (hasLanes<T>) {
            const auto threads = static_cast<unsigned>(threadScratch.size());
            if (SharedWork::worthSharing(threads, rowCount, rowCount * steps * (last - first))) {
                const std::size_t size =
                    SharedWork::rowsPerPart(rowCount, threads, TileLimits<T>::rows, steps * (last - first));
                SharedWork::run((rowCount + size - 1) / size, [&](std::size_t part, unsigned thread) {
                    const std::size_t from = part * size;
                    applyRows(threadScratch[thread], targets + from, std::min(size, rowCount - from),
                              multipliers + from * stride, stride, pivots, steps, first, last);
                });
                return;
            }
            applyRows(threadScratch.front(), targets, rowCount, multipliers, stride, pivots, steps, first, last);
        } else {
            for (std::size_t i = 0; i < rowCount; ++i) {
                subtractPivotRows(targets[i], multipliers + i * stride, pivots, steps, first, last);
            }
        }
    }

private:
    static std::size_t pivotScratch(std::size_t columns, std::size_t steps) {
        return (std::min(columns, BlockSizes::columnBlock) + TileLimits<T>::columns) * steps;
    }
    static std::size_t multiplierScratch(std::size_t steps) {
        return (BlockSizes::rowBlock + TileLimits<T>::rows) * steps * TileLimits<T>::copies;
    }
    static std::size_t threadsFor(std::size_t columns) { return SharedWork::threadsFor(columns); }

    // The packed pieces that one thread works on.
    struct Packed {
        Scratch<T> pivots;
        Scratch<T> multipliers;
    };

    static void applyRows(Packed& packed, T* const* targets, std::size_t rowCount, const T* multipliers,
                          std::size_t stride, T* const* pivots, std::size_t steps, std::size_t first, std::size_t last){
        TAVOLENT_WITH_LANES(T, apply, packed.pivots, packed.multipliers, targets, rowCount, multipliers, stride, pivots,
                            steps, first, last)}

    std::vector<Packed> threadScratch = std::vector<Packed>(1);
};

#undef TAVOLENT_WITH_LANES

}  // namespace elimination
