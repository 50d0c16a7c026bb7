// Elimination: the forward Gaussian elimination behind the determinant and the equation
// solver, carried out a panel of pivot steps at a time.
//
// Step s subtracts pivot row s, scaled by f(i, s) = W(i, s) / W(s, s), from every row i below
// it. Within a panel the pivot rows and the panel's own columns are eliminated first; the rest
// of the rows and columns then receive the panel's steps in one block update. Every element
// still gets exactly the subtractions of the step-by-step elimination, in ascending step order
// and with the same operands, so the results agree bit for bit. Row and column exchanges are
// the caller's business: a panel ends just before a step whose pivot is zero, with the whole
// matrix in the state the step-by-step elimination has there.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "matrix/ElementTraits.h"
#include "matrix/TrailingUpdate.h"

template <typename T>
class Elimination {
public:
    // Which columns a step changes: from the pivot column on (what the determinant does), or
    // all of them (what the solver does).
    enum class Columns { FromPivot, All };

    explicit Elimination(Columns columns) : columns(columns) {}

    // The row pointers of the matrix being eliminated; callers fill and refresh them.
    std::vector<T*>& rows() { return rowPointers; }

    // Carries out the steps start, start + 1, ... (0-based) up to the end of one panel or up to
    // the first later step whose pivot is zero, and returns the first step not carried out.
    // The pivot of `start` must be non-zero. The right-hand sides, if given, take part like
    // one more column.
    std::size_t runPanel(std::size_t start, T* rightSides) {
        const std::size_t order = rowPointers.size();
        T* const* rows = rowPointers.data();
        const std::size_t end = std::min(order, start + panelWidth(order));
        stride = end - start;
        if (multipliers.size() < order * stride) {
            multipliers.resize(order * stride);
        }
        const std::size_t stop = eliminatePivotRows(rows, start, end);
        eliminatePanelBelow(rows, order, start, stop, end);
        for (std::size_t i = start + 1; i < stop; ++i) {
            updateOutsidePanel(rows[i], multiplierRow(i), rows + start, i - start, start, end, order);
        }
        if (rightSides != nullptr) {
            updateRightSides(rightSides, order, start, stop);
        }
        const std::size_t below = order - stop;
        trailing.apply(rows + stop, below, multiplierRow(stop), stride, rows + start, stop - start, end, order);
        if (columns == Columns::All) {
            trailing.apply(rows + stop, below, multiplierRow(stop), stride, rows + start, stop - start, 0, start);
        }
        return stop;
    }

private:
    // Wide enough for the block update to dominate, narrow enough for a panel to stay cached.
    static std::size_t panelWidth(std::size_t order) { return order <= 160 ? 32 : 64; }

    T* multiplierRow(std::size_t row) { return multipliers.data() + row * stride; }

    // The pivot rows of the panel one by one, on the panel's columns; stops at the first row
    // whose pivot comes out zero, which then belongs to the rows below.
    std::size_t eliminatePivotRows(T* const* rows, std::size_t start, std::size_t end) {
        for (std::size_t i = start + 1; i < end; ++i) {
            eliminateInPanel(rows, rows[i], multiplierRow(i), start, i, end);
            if (isZeroElement(rows[i][i])) {
                return i;
            }
        }
        return end;
    }

    // Steps [start, stop) on the panel's columns of the row, recording its multipliers.
    void eliminateInPanel(T* const* rows, T* row, T* factors, std::size_t start, std::size_t stop,
                          std::size_t end) const {
        for (std::size_t s = start; s < stop; ++s) {
            const T* pivot = rows[s];
            T& factor = factors[s - start];
            factor = row[s] / pivot[s];
            for (std::size_t j = columns == Columns::All ? start : s; j < end; ++j) {
                row[j] = row[j] - pivot[j] * factor;
            }
        }
    }

    // The rows below the pivot rows, a group at a time so that the divisions of different rows
    // overlap instead of each waiting for the previous step of its own row.
    void eliminatePanelBelow(T* const* rows, std::size_t order, std::size_t start, std::size_t stop,
                             std::size_t end) {
        constexpr std::size_t group = 4;
        std::size_t first = stop < end ? stop + 1 : end;
        for (; first + group <= order; first += group) {
            for (std::size_t s = start; s < stop; ++s) {
                const T* pivot = rows[s];
                const std::size_t from = columns == Columns::All ? start : s;
                for (std::size_t r = first; r < first + group; ++r) {
                    T& factor = multiplierRow(r)[s - start];
                    factor = rows[r][s] / pivot[s];
                }
                for (std::size_t r = first; r < first + group; ++r) {
                    T* row = rows[r];
                    const T& factor = multiplierRow(r)[s - start];
                    for (std::size_t j = from; j < end; ++j) {
                        row[j] = row[j] - pivot[j] * factor;
                    }
                }
            }
        }
        for (; first < order; ++first) {
            eliminateInPanel(rows, rows[first], multiplierRow(first), start, stop, end);
        }
    }

    // A pivot row's columns outside the panel, once all its earlier steps of the panel are known.
    void updateOutsidePanel(T* row, const T* factors, T* const* pivots, std::size_t steps, std::size_t start,
                            std::size_t end, std::size_t order) const {
        subtractPivotRows(row, factors, pivots, steps, end, order);
        if (columns == Columns::All) {
            subtractPivotRows(row, factors, pivots, steps, 0, start);
        }
    }

    void updateRightSides(T* values, std::size_t order, std::size_t start, std::size_t stop) {
        for (std::size_t i = start + 1; i < order; ++i) {
            const T* factors = multiplierRow(i);
            const std::size_t last = std::min(i, stop);
            for (std::size_t s = start; s < last; ++s) {
                values[i] = values[i] - values[s] * factors[s - start];
            }
        }
    }

    Columns columns;
    std::vector<T*> rowPointers;
    std::vector<T> multipliers;
    std::size_t stride = 0;
    TrailingUpdate<T> trailing;
};
