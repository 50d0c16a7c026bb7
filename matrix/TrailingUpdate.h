// TrailingUpdate: subtracts a block of finished pivot rows, each scaled by its multiplier, from
// many rows at once:
//     target(i)[j] = target(i)[j] - pivot(s)[j] * multiplier(i, s)   for s = 0, 1, ... in order.
// This is where an elimination spends nearly all of its time. Every element receives its
// subtractions one at a time in ascending s, each product rounded on its own, so the result is
// the same as that of the step-by-step elimination; only the order across elements changes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "matrix/ElementTraits.h"
#include "matrix/SimdLanes.h"

// row[j] = row[j] - pivot[j] * factor for j in [first, last): one step on a short piece of a
// row, as the panel's own columns need it.
template <typename T>
void subtractScaledRow(T* row, const T* pivot, const T& factor, std::size_t first, std::size_t last) {
    std::size_t j = first;
    if constexpr (SimdLanes<T>::available) {
        using Lanes = SimdLanes<T>;
        const typename Lanes::Vector f = Lanes::broadcast(factor);
        for (; j + Lanes::width <= last; j += Lanes::width) {
            Lanes::store(row + j, Lanes::subtractProduct(Lanes::load(row + j), Lanes::load(pivot + j), f));
        }
    }
    for (; j < last; ++j) {
        row[j] = row[j] - elementProduct(pivot[j], factor);
    }
}

// One row at a time with vector lanes: a piece of the row stays in registers while all steps
// pass over it, so it is loaded and stored once instead of once per step.
template <typename T>
void subtractPivotRowsInLanes(T* target, const T* multipliers, T* const* pivots, std::size_t steps, std::size_t first,
                              std::size_t last) {
    using Lanes = SimdLanes<T>;
    using Vector = typename Lanes::Vector;
    constexpr std::size_t w = Lanes::width;
    std::size_t from = first;
    for (; from + 4 * w <= last; from += 4 * w) {
        T* piece = target + from;
        Vector c0 = Lanes::load(piece), c1 = Lanes::load(piece + w);
        Vector c2 = Lanes::load(piece + 2 * w), c3 = Lanes::load(piece + 3 * w);
        for (std::size_t s = 0; s < steps; ++s) {
            const Vector f = Lanes::broadcast(multipliers[s]);
            const T* pivot = pivots[s] + from;
            c0 = Lanes::subtractProduct(c0, Lanes::load(pivot), f);
            c1 = Lanes::subtractProduct(c1, Lanes::load(pivot + w), f);
            c2 = Lanes::subtractProduct(c2, Lanes::load(pivot + 2 * w), f);
            c3 = Lanes::subtractProduct(c3, Lanes::load(pivot + 3 * w), f);
        }
        Lanes::store(piece, c0), Lanes::store(piece + w, c1);
        Lanes::store(piece + 2 * w, c2), Lanes::store(piece + 3 * w, c3);
    }
    for (; from + w <= last; from += w) {
        Vector c = Lanes::load(target + from);
        for (std::size_t s = 0; s < steps; ++s) {
            c = Lanes::subtractProduct(c, Lanes::load(pivots[s] + from), Lanes::broadcast(multipliers[s]));
        }
        Lanes::store(target + from, c);
    }
    for (; from < last; ++from) {
        T value = target[from];
        for (std::size_t s = 0; s < steps; ++s) {
            value = value - elementProduct(pivots[s][from], multipliers[s]);
        }
        target[from] = value;
    }
}

// One row at a time, for the pivot rows of a panel and for element types without lanes.
template <typename T>
void subtractPivotRows(T* target, const T* multipliers, T* const* pivots, std::size_t steps, std::size_t first,
                       std::size_t last) {
    if constexpr (SimdLanes<T>::available) {
        subtractPivotRowsInLanes(target, multipliers, pivots, steps, first, last);
    } else {
        // Column chunks keep the pivot rows' pieces in the cache while all steps pass over them.
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
    // Rows targets[0 .. rowCount), columns [first, last), steps [0, steps); the multiplier of
    // target i and step s is multipliers[i * stride + s].
    void apply(T* const* targets, std::size_t rowCount, const T* multipliers, std::size_t stride, T* const* pivots,
               std::size_t steps, std::size_t first, std::size_t last) {
        if (rowCount == 0 || steps == 0 || first >= last) {
            return;
        }
        if constexpr (SimdLanes<T>::available) {
            applyPacked(targets, rowCount, multipliers, stride, pivots, steps, first, last);
        } else {
            for (std::size_t i = 0; i < rowCount; ++i) {
                subtractPivotRows(targets[i], multipliers + i * stride, pivots, steps, first, last);
            }
        }
    }

private:
    using Lanes = SimdLanes<T>;
    static constexpr std::size_t lanes = Lanes::available ? Lanes::width : 1;
    // A tile of rowsPerTile x columnsPerTile targets stays in registers for all steps.
    static constexpr std::size_t rowsPerTile = 4;
    static constexpr std::size_t columnsPerTile = 2 * lanes;
    // Packed pivot columns sized for the level-2 cache, packed multipliers for the level 1.
    static constexpr std::size_t columnBlock = 1024;
    static constexpr std::size_t rowBlock = 128;

    void applyPacked(T* const* targets, std::size_t rowCount, const T* multipliers, std::size_t stride,
                     T* const* pivots, std::size_t steps, std::size_t first, std::size_t last) {
        for (std::size_t columnStart = first; columnStart < last; columnStart += columnBlock) {
            const std::size_t columnEnd = std::min(last, columnStart + columnBlock);
            packPivots(pivots, steps, columnStart, columnEnd);
            for (std::size_t rowStart = 0; rowStart < rowCount; rowStart += rowBlock) {
                const std::size_t rowEnd = std::min(rowCount, rowStart + rowBlock);
                packMultipliers(multipliers + rowStart * stride, stride, steps, rowEnd - rowStart);
                updateBlock(targets + rowStart, rowEnd - rowStart, steps, columnStart, columnEnd);
            }
        }
    }

    void updateBlock(T* const* targets, std::size_t rowCount, std::size_t steps, std::size_t columnStart,
                     std::size_t columnEnd) {
        for (std::size_t tileRow = 0; tileRow < rowCount; tileRow += rowsPerTile) {
            const std::size_t rows = std::min(rowsPerTile, rowCount - tileRow);
            const T* packedLeft = packedMultipliers.data() + (tileRow / rowsPerTile) * steps * rowsPerTile * lanes;
            for (std::size_t column = columnStart; column < columnEnd; column += columnsPerTile) {
                const std::size_t columns = std::min(columnsPerTile, columnEnd - column);
                const T* packedTop =
                    packedPivots.data() + ((column - columnStart) / columnsPerTile) * steps * columnsPerTile;
                if (rows == rowsPerTile && columns == columnsPerTile) {
                    updateTile(steps, packedLeft, packedTop, targets + tileRow, column);
                } else {
                    updatePartialTile(steps, packedLeft, packedTop, targets + tileRow, column, rows, columns);
                }
            }
        }
    }

    // Pivot rows, tile by tile: for each step the columnsPerTile values of one tile in a row,
    // padded with zeros beyond the last column.
    void packPivots(T* const* pivots, std::size_t steps, std::size_t columnStart, std::size_t columnEnd) {
        const std::size_t tiles = (columnEnd - columnStart + columnsPerTile - 1) / columnsPerTile;
        growTo(packedPivots, tiles * steps * columnsPerTile);
        T* out = packedPivots.data();
        for (std::size_t tile = 0; tile < tiles; ++tile) {
            const std::size_t from = columnStart + tile * columnsPerTile;
            const std::size_t count = std::min(columnsPerTile, columnEnd - from);
            for (std::size_t s = 0; s < steps; ++s) {
                const T* pivot = pivots[s] + from;
                for (std::size_t j = 0; j < columnsPerTile; ++j) {
                    out[j] = j < count ? pivot[j] : T{};
                }
                out += columnsPerTile;
            }
        }
    }

    // Multipliers, tile row by tile row: for each step the multipliers of the tile's rows, each
    // repeated across a vector so that the kernel loads it without a shuffle.
    void packMultipliers(const T* multipliers, std::size_t stride, std::size_t steps, std::size_t rowCount) {
        const std::size_t groups = (rowCount + rowsPerTile - 1) / rowsPerTile;
        growTo(packedMultipliers, groups * steps * rowsPerTile * lanes);
        T* out = packedMultipliers.data();
        for (std::size_t group = 0; group < groups; ++group) {
            for (std::size_t s = 0; s < steps; ++s) {
                for (std::size_t r = 0; r < rowsPerTile; ++r) {
                    const std::size_t row = group * rowsPerTile + r;
                    const T value = row < rowCount ? multipliers[row * stride + s] : T{};
                    for (std::size_t lane = 0; lane < lanes; ++lane) {
                        out[lane] = value;
                    }
                    out += lanes;
                }
            }
        }
    }

    static void updateTile(std::size_t steps, const T* left, const T* top, T* const* targets, std::size_t column) {
        if constexpr (Lanes::available) {
            using Vector = typename Lanes::Vector;
            constexpr std::size_t w = Lanes::width;
            T* r0 = targets[0] + column;
            T* r1 = targets[1] + column;
            T* r2 = targets[2] + column;
            T* r3 = targets[3] + column;
            Vector c00 = Lanes::load(r0), c01 = Lanes::load(r0 + w);
            Vector c10 = Lanes::load(r1), c11 = Lanes::load(r1 + w);
            Vector c20 = Lanes::load(r2), c21 = Lanes::load(r2 + w);
            Vector c30 = Lanes::load(r3), c31 = Lanes::load(r3 + w);
            for (std::size_t s = 0; s < steps; ++s) {
                const Vector u0 = Lanes::load(top);
                const Vector u1 = Lanes::load(top + w);
                Vector f = Lanes::load(left);
                c00 = Lanes::subtractProduct(c00, u0, f);
                c01 = Lanes::subtractProduct(c01, u1, f);
                f = Lanes::load(left + w);
                c10 = Lanes::subtractProduct(c10, u0, f);
                c11 = Lanes::subtractProduct(c11, u1, f);
                f = Lanes::load(left + 2 * w);
                c20 = Lanes::subtractProduct(c20, u0, f);
                c21 = Lanes::subtractProduct(c21, u1, f);
                f = Lanes::load(left + 3 * w);
                c30 = Lanes::subtractProduct(c30, u0, f);
                c31 = Lanes::subtractProduct(c31, u1, f);
                top += columnsPerTile;
                left += rowsPerTile * w;
            }
            Lanes::store(r0, c00), Lanes::store(r0 + w, c01);
            Lanes::store(r1, c10), Lanes::store(r1 + w, c11);
            Lanes::store(r2, c20), Lanes::store(r2 + w, c21);
            Lanes::store(r3, c30), Lanes::store(r3 + w, c31);
        }
    }

    // A tile at the bottom or right edge goes through a full-size copy; the padding computes
    // values that are thrown away.
    static void updatePartialTile(std::size_t steps, const T* left, const T* top, T* const* targets, std::size_t column,
                                  std::size_t rows, std::size_t columns) {
        alignas(16) T tile[rowsPerTile][columnsPerTile] = {};
        T* tileRows[rowsPerTile];
        for (std::size_t r = 0; r < rowsPerTile; ++r) {
            tileRows[r] = tile[r];
            if (r < rows) {
                std::copy(targets[r] + column, targets[r] + column + columns, tile[r]);
            }
        }
        updateTile(steps, left, top, tileRows, 0);
        for (std::size_t r = 0; r < rows; ++r) {
            std::copy(tile[r], tile[r] + columns, targets[r] + column);
        }
    }

    static void growTo(std::vector<T>& buffer, std::size_t size) {
        if (buffer.size() < size) {
            buffer.resize(size);
        }
    }

    std::vector<T> packedPivots;
    std::vector<T> packedMultipliers;
};
