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
#include <numeric>
#include <type_traits>
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
#pragma clang attribute push(__attribute__((target("avx2,avx512f,avx512vl"))), apply_to = function)
#else
#pragma GCC pop_options
#pragma GCC push_options
#pragma GCC target("avx2,avx512f,avx512vl")
#endif
namespace avx512At256Lanes {
#define TAVOLENT_KERNEL_WIDTH LaneWidth::Avx512At256
#include "matrix/elimination/LaneKernels.inc"
#undef TAVOLENT_KERNEL_WIDTH
}  // namespace avx512At256Lanes
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

// Whether T has kernels of its own in AVX-512's registers at 256 bits. Complex numbers keep
// AVX2's: where AVX-512VL allows it, GCC turns the textbook complex product of their scalar
// steps into a fused multiply-add (vfmaddsub), -ffp-contract=off notwithstanding, and that
// product would no longer be rounded before its sum.
template <typename T>
inline constexpr bool hasRegisterTiles = std::is_floating_point_v<T>;

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
using TileLimits = LargestTile<T, LaneWidth::Sse2, LaneWidth::Avx2, LaneWidth::Avx512At256, LaneWidth::Avx512>;
#else
template <typename T>
using TileLimits = LargestTile<T, LaneWidth::Sse2>;
#endif

// Calls the kernel of the lane width in use with the given arguments.
#if defined(TAVOLENT_WIDE_LANES)
#define TAVOLENT_WITH_LANES(T, kernel, ...)                           \
    switch (LaneChoice::current()) {                                  \
    case LaneWidth::Avx512:                                           \
        return avx512Lanes::Kernels<T>::kernel(__VA_ARGS__);          \
    case LaneWidth::Avx512At256:                                      \
        if constexpr (hasRegisterTiles<T>) {                          \
            return avx512At256Lanes::Kernels<T>::kernel(__VA_ARGS__); \
        }                                                             \
        return avx2Lanes::Kernels<T>::kernel(__VA_ARGS__);            \
    case LaneWidth::Avx2:                                             \
        return avx2Lanes::Kernels<T>::kernel(__VA_ARGS__);            \
    case LaneWidth::Sse2:                                             \
        break;                                                        \
    }                                                                 \
    return sse2Lanes::Kernels<T>::kernel(__VA_ARGS__);
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

// The same for the many rows below a panel's pivot rows, in blocks of rows turned into columns.
template <typename T, typename From>
void eliminateTurnedPanelRows(T* const* rows, std::size_t first, std::size_t last, std::size_t start, std::size_t stop,
                              std::size_t end, From from, T* multipliers, std::size_t stride) {
    if constexpr (hasLanes<T>) {
        TAVOLENT_WITH_LANES(T, eliminateTurnedRows, rows, first, last, start, stop, end, from, multipliers, stride)
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
    // Bytes of WorkingMemory that provide() takes for an elimination of `order` rows and columns
    // in blocks of up to `steps` steps: for each thread that shares its updates, the packed pieces
    // it works on; with several threads also the packed multipliers of two whole panels, the one
    // being applied and the one factored ahead meanwhile.
    static std::size_t scratchBytes(std::size_t order, std::size_t steps) {
        if constexpr (hasLanes<T>) {
            const std::size_t threads = threadsFor(order);
            return threads * (WorkingMemory::bytesFor<T>(pivotScratch(order, steps)) +
                              WorkingMemory::bytesFor<T>(multiplierScratch(steps))) +
                   (threads > 1 ? 2 * WorkingMemory::bytesFor<T>(panelScratch(order, steps)) : 0);
        } else {
            return 0;
        }
    }

    void provide(WorkingMemory& memory, std::size_t order, std::size_t steps) {
        if constexpr (hasLanes<T>) {
            threadScratch.resize(threadsFor(order));
            for (Packed& packed : threadScratch) {
                packed.pivots.provide(memory, pivotScratch(order, steps));
                packed.multipliers.provide(memory, multiplierScratch(steps));
            }
            if (threadScratch.size() > 1) {
                for (Scratch<T>& panel : panels) {
                    panel.provide(memory, panelScratch(order, steps));
                }
            }
        }
    }

    // Threads whose memory provide() has set up: those that may share the updates.
    unsigned threads() const { return static_cast<unsigned>(threadScratch.size()); }

    // Columns that each part of an update shared by columns is a whole number of: whole tiles of
    // the lane width in use, and whole cache lines, so that no two threads write into one line.
    static std::size_t columnMultiple() {
        constexpr std::size_t perLine = std::max<std::size_t>(1, WorkingMemory::alignment / sizeof(T));
        if constexpr (hasLanes<T>) {
            return std::lcm(tileColumns(), perLine);
        } else {
            return perLine;
        }
    }

    // Rows targets[0 .. rowCount), columns [first, last), steps [0, steps); the multiplier of
    // target i and step s is multipliers[i * stride + s]. On the given thread's memory.
    void apply(unsigned thread, T* const* targets, std::size_t rowCount, const T* multipliers, std::size_t stride,
               T* const* pivots, std::size_t steps, std::size_t first, std::size_t last) {
        if (rowCount == 0 || steps == 0 || first >= last) {
            return;
        }
        if constexpr (hasLanes<T>) {
            Packed& packed = threadScratch[thread];
            TAVOLENT_WITH_LANES(T, apply, packed.pivots, packed.multipliers, targets, rowCount, multipliers, stride,
                                pivots, steps, first, last)
        } else {
            for (std::size_t i = 0; i < rowCount; ++i) {
                subtractPivotRows(targets[i], multipliers + i * stride, pivots, steps, first, last);
            }
        }
    }

    // Packs the multipliers of `rowCount` rows into the memory of one of the two panels (`panel`
    // 0 or 1), for applyPacked, which the threads that share an update by columns call. Only
    // with several threads.
    const T* packMultipliers(unsigned panel, const T* multipliers, std::size_t stride, std::size_t steps,
                             std::size_t rowCount) {
        if constexpr (hasLanes<T>) {
            T* const packed = panels[panel].take(multipliersPacked(steps, rowCount));
            packInto(packed, multipliers, stride, steps, rowCount);
            return packed;
        } else {
            return nullptr;
        }
    }

    // apply() with multipliers that packMultipliers() has packed.
    void applyPacked(unsigned thread, const T* packedMultipliers, T* const* targets, std::size_t rowCount,
                     T* const* pivots, std::size_t steps, std::size_t first, std::size_t last) {
        if constexpr (hasLanes<T>) {
            if (rowCount == 0 || steps == 0 || first >= last) {
                return;
            }
            Scratch<T>& packedPivots = threadScratch[thread].pivots;
            TAVOLENT_WITH_LANES(T, applyPacked, packedPivots, packedMultipliers, targets, rowCount, pivots, steps,
                                first, last)
        }
    }

private:
    static std::size_t pivotScratch(std::size_t columns, std::size_t steps) {
        return (std::min(columns, BlockSizes::columnBlock) + TileLimits<T>::columns) * steps;
    }
    static std::size_t multiplierScratch(std::size_t steps) {
        return (BlockSizes::rowBlock + TileLimits<T>::rows) * steps * TileLimits<T>::copies;
    }
    static std::size_t panelScratch(std::size_t order, std::size_t steps) {
        return (order + TileLimits<T>::rows) * steps * TileLimits<T>::copies;
    }
    static std::size_t threadsFor(std::size_t order) { return SharedWork::threadsFor<T>(order); }

    static std::size_t tileColumns() { TAVOLENT_WITH_LANES(T, columnsPerTile) }
    static std::size_t multipliersPacked(std::size_t steps, std::size_t rowCount) {
        TAVOLENT_WITH_LANES(T, multipliersPacked, steps, rowCount)
    }
    static void packInto(T* out, const T* multipliers, std::size_t stride, std::size_t steps, std::size_t rowCount) {
        TAVOLENT_WITH_LANES(T, packMultipliers, out, multipliers, stride, steps, rowCount)
    }

    // The packed pieces that one thread works on.
    struct Packed {
        Scratch<T> pivots;
        Scratch<T> multipliers;
    };

    std::vector<Packed> threadScratch = std::vector<Packed>(1);
    Scratch<T> panels[2];
};

#undef TAVOLENT_WITH_LANES

}  // namespace elimination
