// LaneKernels: the vector-lane loops of the block update, written once for every lane width.
// TrailingUpdate.h includes this file once per width, each time in a namespace of its own with
// TAVOLENT_KERNEL_WIDTH set and that width's instruction set enabled, so there is no include
// guard. Every element receives its subtractions one at a time in ascending step order, each
// product rounded on its own, exactly as in the step-by-step elimination.

template <typename T>
struct Kernels {
    using Lanes = SimdLanes<T, TAVOLENT_KERNEL_WIDTH>;
    using Vector = typename Lanes::Vector;
    using Factor = typename Lanes::Factor;
    static constexpr std::size_t w = Lanes::width;
    // A tile of tileRows x tileColumns targets stays in registers while all steps pass over it.
    static constexpr std::size_t tileRows = Lanes::rowsPerTile;
    static constexpr std::size_t tileVectors = Lanes::vectorsPerTile;
    static constexpr std::size_t tileColumns = tileVectors * w;
    static constexpr std::size_t copies = Lanes::multiplierCopies;
    // Packed pivot columns sized for the level-2 cache, packed multipliers for the level 1.
    static constexpr std::size_t columnBlock = 1024;
    static constexpr std::size_t rowBlock = 128;

    // row[j] = row[j] - pivot[j] * factor for j in [first, last).
    static void subtractScaledRow(T* row, const T* pivot, T factor, std::size_t first, std::size_t last) {
        const Factor f = Lanes::broadcast(factor);
        std::size_t j = first;
        for (; j + w <= last; j += w) {
            Lanes::store(row + j,
                         Lanes::subtractProduct(Lanes::load(row + j), Lanes::pivot(Lanes::load(pivot + j)), f));
        }
        for (; j < last; ++j) {
            row[j] = row[j] - elementProduct(pivot[j], factor);
        }
    }

    // Steps [start, stop) on rows [first, last) of a panel, each step on the columns from
    // `from(s)` up to `end`; the multiplier of row r and step s goes to
    // multipliers[r * stride + s - start]. Rows go in groups, so that the divisions of different
    // rows overlap instead of each waiting for the previous step of its own row; each row still
    // receives its steps in ascending order.
    template <typename From>
    static void eliminateRows(T* const* rows, std::size_t first, std::size_t last, std::size_t start,
                              std::size_t stop, std::size_t end, From from, T* multipliers, std::size_t stride) {
        constexpr std::size_t group = 4;
        for (; first + group <= last; first += group) {
            for (std::size_t s = start; s < stop; ++s) {
                const T* pivot = rows[s];
                for (std::size_t r = first; r < first + group; ++r) {
                    multipliers[r * stride + s - start] = rows[r][s] / pivot[s];
                }
                for (std::size_t r = first; r < first + group; ++r) {
                    subtractScaledRow(rows[r], pivot, multipliers[r * stride + s - start], from(s), end);
                }
            }
        }
        for (; first < last; ++first) {
            for (std::size_t s = start; s < stop; ++s) {
                const T* pivot = rows[s];
                T& factor = multipliers[first * stride + s - start];
                factor = rows[first][s] / pivot[s];
                subtractScaledRow(rows[first], pivot, factor, from(s), end);
            }
        }
    }

    // One row at a time: a piece of the row stays in registers while all steps pass over it.
    static void subtractPivotRows(T* target, const T* multipliers, T* const* pivots, std::size_t steps,
                                  std::size_t first, std::size_t last) {
        constexpr std::size_t pieces = 4;
        std::size_t from = first;
        for (; from + pieces * w <= last; from += pieces * w) {
            Vector c[pieces];
#pragma GCC unroll 4
            for (std::size_t p = 0; p < pieces; ++p) {
                c[p] = Lanes::load(target + from + p * w);
            }
            for (std::size_t s = 0; s < steps; ++s) {
                const Factor f = Lanes::broadcast(multipliers[s]);
                const T* pivot = pivots[s] + from;
#pragma GCC unroll 4
                for (std::size_t p = 0; p < pieces; ++p) {
                    c[p] = Lanes::subtractProduct(c[p], Lanes::pivot(Lanes::load(pivot + p * w)), f);
                }
            }
#pragma GCC unroll 4
            for (std::size_t p = 0; p < pieces; ++p) {
                Lanes::store(target + from + p * w, c[p]);
            }
        }
        for (; from + w <= last; from += w) {
            Vector c = Lanes::load(target + from);
            for (std::size_t s = 0; s < steps; ++s) {
                c = Lanes::subtractProduct(c, Lanes::pivot(Lanes::load(pivots[s] + from)),
                                           Lanes::broadcast(multipliers[s]));
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

    // Rows targets[0 .. rowCount), columns [first, last), steps [0, steps); the multiplier of
    // target i and step s is multipliers[i * stride + s].
    static void apply(Scratch<T>& packedPivots, Scratch<T>& packedMultipliers, T* const* targets,
                      std::size_t rowCount, const T* multipliers, std::size_t stride, T* const* pivots,
                      std::size_t steps, std::size_t first, std::size_t last) {
        for (std::size_t columnStart = first; columnStart < last; columnStart += columnBlock) {
            const std::size_t columnEnd = std::min(last, columnStart + columnBlock);
            const T* top = packPivots(packedPivots, pivots, steps, columnStart, columnEnd);
            for (std::size_t rowStart = 0; rowStart < rowCount; rowStart += rowBlock) {
                const std::size_t rowEnd = std::min(rowCount, rowStart + rowBlock);
                const T* left =
                    packMultipliers(packedMultipliers, multipliers + rowStart * stride, stride, steps, rowEnd - rowStart);
                updateBlock(top, left, targets + rowStart, rowEnd - rowStart, steps, columnStart, columnEnd);
            }
        }
    }

private:
    static void updateBlock(const T* pivots, const T* multipliers, T* const* targets, std::size_t rowCount,
                            std::size_t steps, std::size_t columnStart, std::size_t columnEnd) {
        for (std::size_t tileRow = 0; tileRow < rowCount; tileRow += tileRows) {
            const std::size_t rows = std::min(tileRows, rowCount - tileRow);
            const T* left = multipliers + (tileRow / tileRows) * steps * tileRows * copies;
            for (std::size_t column = columnStart; column < columnEnd; column += tileColumns) {
                const std::size_t columns = std::min(tileColumns, columnEnd - column);
                const T* top = pivots + ((column - columnStart) / tileColumns) * steps * tileColumns;
                if (rows == tileRows && columns == tileColumns) {
                    updateTile(steps, left, top, targets + tileRow, column);
                } else {
                    updatePartialTile(steps, left, top, targets + tileRow, column, rows, columns);
                }
            }
        }
    }

    // Pivot rows, tile by tile: for each step the tileColumns values of one tile in a row,
    // padded with zeros beyond the last column.
    static const T* packPivots(Scratch<T>& packed, T* const* pivots, std::size_t steps, std::size_t columnStart,
                               std::size_t columnEnd) {
        const std::size_t tiles = (columnEnd - columnStart + tileColumns - 1) / tileColumns;
        T* const start = packed.take(tiles * steps * tileColumns);
        T* out = start;
        for (std::size_t tile = 0; tile < tiles; ++tile) {
            const std::size_t from = columnStart + tile * tileColumns;
            const std::size_t count = std::min(tileColumns, columnEnd - from);
            for (std::size_t s = 0; s < steps; ++s) {
                const T* pivot = pivots[s] + from;
                for (std::size_t j = 0; j < tileColumns; ++j) {
                    out[j] = j < count ? pivot[j] : T{};
                }
                out += tileColumns;
            }
        }
        return start;
    }

    // Multipliers, tile row by tile row: for each step the multipliers of the tile's rows, each
    // stored as many times as the lanes' multiplier load needs.
    static const T* packMultipliers(Scratch<T>& packed, const T* multipliers, std::size_t stride, std::size_t steps,
                                    std::size_t rowCount) {
        const std::size_t groups = (rowCount + tileRows - 1) / tileRows;
        T* const start = packed.take(groups * steps * tileRows * copies);
        T* out = start;
        for (std::size_t group = 0; group < groups; ++group) {
            for (std::size_t s = 0; s < steps; ++s) {
                for (std::size_t r = 0; r < tileRows; ++r) {
                    const std::size_t row = group * tileRows + r;
                    Lanes::packMultiplier(row < rowCount ? multipliers[row * stride + s] : T{}, out);
                    out += copies;
                }
            }
        }
        return start;
    }

    static void updateTile(std::size_t steps, const T* left, const T* top, T* const* targets, std::size_t column) {
        Vector c[tileRows][tileVectors];
#pragma GCC unroll 16
        for (std::size_t r = 0; r < tileRows; ++r) {
#pragma GCC unroll 4
            for (std::size_t v = 0; v < tileVectors; ++v) {
                c[r][v] = Lanes::load(targets[r] + column + v * w);
            }
        }
        for (std::size_t s = 0; s < steps; ++s) {
            typename Lanes::Pivot u[tileVectors];
#pragma GCC unroll 4
            for (std::size_t v = 0; v < tileVectors; ++v) {
                u[v] = Lanes::pivot(Lanes::load(top + v * w));
            }
#pragma GCC unroll 16
            for (std::size_t r = 0; r < tileRows; ++r) {
                const Factor f = Lanes::loadMultiplier(left + r * copies);
#pragma GCC unroll 4
                for (std::size_t v = 0; v < tileVectors; ++v) {
                    c[r][v] = Lanes::subtractProduct(c[r][v], u[v], f);
                }
            }
            top += tileColumns;
            left += tileRows * copies;
        }
#pragma GCC unroll 16
        for (std::size_t r = 0; r < tileRows; ++r) {
#pragma GCC unroll 4
            for (std::size_t v = 0; v < tileVectors; ++v) {
                Lanes::store(targets[r] + column + v * w, c[r][v]);
            }
        }
    }

    // A tile at the bottom or right edge goes through a full-size copy; the padding computes
    // values that are thrown away.
    static void updatePartialTile(std::size_t steps, const T* left, const T* top, T* const* targets, std::size_t column,
                                  std::size_t rows, std::size_t columns) {
        alignas(64) T tile[tileRows][tileColumns] = {};
        T* tileRowPointers[tileRows];
        for (std::size_t r = 0; r < tileRows; ++r) {
            tileRowPointers[r] = tile[r];
            if (r < rows) {
                std::copy(targets[r] + column, targets[r] + column + columns, tile[r]);
            }
        }
        updateTile(steps, left, top, tileRowPointers, 0);
        for (std::size_t r = 0; r < rows; ++r) {
            std::copy(tile[r], tile[r] + columns, targets[r] + column);
        }
    }
};
