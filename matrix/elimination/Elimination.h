// Elimination: the forward Gaussian elimination behind the determinant and the equation
// solver, carried out a panel of pivot steps at a time.
//
// Step s subtracts pivot row s, scaled by f(i, s) = W(i, s) / W(s, s), from every row i below
// it. A panel's own columns are eliminated first (its halves in turn, down to a few columns
// done step by step); the columns beyond it then receive the panel's steps in one block
// update. Every element still gets exactly the subtractions of the step-by-step elimination,
// in ascending step order and with the same operands, so the results agree bit for bit. Row
// and column exchanges are the driver's business (EliminationDriver): a panel ends just before a step whose pivot
// is zero, with the whole matrix in the state the step-by-step elimination has there.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "matrix/ElementTraits.h"
#include "matrix/elimination/Scratch.h"
#include "matrix/elimination/TrailingUpdate.h"
#include "matrix/elimination/WorkingMemory.h"

namespace elimination {

template <typename T>
class Elimination {
public:
    // Which columns a step changes: from the pivot column on (what the determinant does), or
    // all of them (what the solver does).
    enum class Columns { FromPivot, All };

    explicit Elimination(Columns columns) : columns(columns) {}

    // The row pointers of the matrix being eliminated; callers fill and refresh them.
    std::vector<T*>& rows() { return rowPointers; }

    // Bytes of WorkingMemory that the buffers of an elimination of the given order use.
    static std::size_t scratchBytes(std::size_t order) {
        if (order <= stepwiseOrder) {
            return 0;
        }
        const std::size_t steps = panelWidth;
        return WorkingMemory::bytesFor<T>(order * steps) + TrailingUpdate<T>::scratchBytes(order, steps);
    }

    // Puts the buffers for an elimination of up to this order into the operation's memory.
    void provideScratch(WorkingMemory& memory, std::size_t order) {
        if (order > stepwiseOrder) {
            const std::size_t steps = panelWidth;
            multipliers.provide(memory, order * steps);
            trailing.provide(memory, order, steps);
        }
    }

    // Carries out the steps start, start + 1, ... (0-based) up to the end of one panel or up to
    // the first later step whose pivot is zero, and returns the first step not carried out.
    // The pivot of `start` must be non-zero. The right-hand sides, if given, take part like
    // one more column.
    std::size_t runPanel(std::size_t start, T* rightSides) {
        const std::size_t order = rowPointers.size();
        if (order - start <= stepwiseOrder) {
            return runStepwise(start, rightSides);
        }
        const std::size_t end = std::min(order, start + panelWidth);
        panelStart = start;
        stride = end - start;
        multiplierValues = multipliers.take(order * stride);
        std::size_t stop;
        if (columns == Columns::FromPivot) {
            stop = factor(start, end, order);
        } else {
            stop = factorFlat(start, end, order);
            updateColumns(start, stop, 0, start);
        }
        if (rightSides != nullptr) {
            updateRightSides(rightSides, order, start, stop);
        }
        return stop;
    }

private:
    // Up to this many remaining steps, whole rows updated step by step in vector lanes beat the
    // packing and tiling of the block update.
    static constexpr std::size_t stepwiseOrder = 64;

    std::size_t runStepwise(std::size_t start, T* rightSides) {
        T* const* rows = rowPointers.data();
        const std::size_t order = rowPointers.size();
        std::size_t s = start;
        do {
            const T* pivot = rows[s];
            for (std::size_t i = s + 1; i < order; ++i) {
                const T factor = rows[i][s] / pivot[s];
                if (rightSides != nullptr) {
                    rightSides[i] = rightSides[i] - elementProduct(rightSides[s], factor);
                }
                subtractScaledRow(rows[i], pivot, factor, columns == Columns::All ? 0 : s, order);
            }
            ++s;
        } while (s < order && !isZeroElement(rows[s][s]));
        return s;
    }

    // Panels of 32 steps keep the panel's own work small beside the block update; inside,
    // halves are split until 16 columns remain, which two 512-bit vectors of doubles cover.
    static constexpr std::size_t panelWidth = 32;
    static constexpr std::size_t flatWidth = 16;

    T& multiplier(std::size_t row, std::size_t step) { return multiplierValues[row * stride + step - panelStart]; }

    // Steps from `start` within [start, end) on the columns [start, columnEnd): the left half
    // first, then the right half with the left half's steps already in it, then the columns
    // beyond `end` with all of them in one block update. Splitting turns most of a panel's own
    // work into block updates too.
    std::size_t factor(std::size_t start, std::size_t end, std::size_t columnEnd) {
        if (end - start <= flatWidth) {
            return factorFlat(start, end, columnEnd);
        }
        const std::size_t middle = start + (end - start) / 2;
        std::size_t stop = factor(start, middle, end);
        if (stop == middle && !isZeroElement(rowPointers[middle][middle])) {
            stop = factor(middle, end, end);
        }
        updateColumns(start, stop, end, columnEnd);
        return stop;
    }

    // Step by step on the panel's own columns [start, end), then the columns [end, columnEnd).
    std::size_t factorFlat(std::size_t start, std::size_t end, std::size_t columnEnd) {
        T* const* rows = rowPointers.data();
        const std::size_t stop = eliminatePivotRows(rows, start, end);
        eliminatePanelBelow(rows, rowPointers.size(), start, stop, end);
        updateColumns(start, stop, end, columnEnd);
        return stop;
    }

    // Applies the steps [start, stop) to the columns [first, last): to the pivot rows of these
    // steps as soon as their earlier steps are known, and to all rows below in one block.
    void updateColumns(std::size_t start, std::size_t stop, std::size_t first, std::size_t last) {
        if (first >= last) {
            return;
        }
        T* const* rows = rowPointers.data();
        for (std::size_t i = start + 1; i < stop; ++i) {
            subtractPivotRows(rows[i], &multiplier(i, start), rows + start, i - start, first, last);
        }
        const std::size_t order = rowPointers.size();
        if (stop < order) {
            const T* factors = &multiplier(stop, start);
            trailing.apply(rows + stop, order - stop, factors, stride, rows + start, stop - start, first, last);
        }
    }

    // The pivot rows of the panel one by one, on the panel's columns; stops at the first row
    // whose pivot comes out zero, which then belongs to the rows below.
    std::size_t eliminatePivotRows(T* const* rows, std::size_t start, std::size_t end) {
        for (std::size_t i = start + 1; i < end; ++i) {
            eliminateInPanel(rows, i, start, i, end);
            if (isZeroElement(rows[i][i])) {
                return i;
            }
        }
        return end;
    }

    // Steps [start, stop) on the panel's columns of row i, recording its multipliers.
    void eliminateInPanel(T* const* rows, std::size_t i, std::size_t start, std::size_t stop, std::size_t end) {
        eliminateRows(rows, i, i + 1, start, stop, end);
    }

    // The rows below the pivot rows.
    void eliminatePanelBelow(T* const* rows, std::size_t order, std::size_t start, std::size_t stop, std::size_t end) {
        eliminateRows(rows, stop < end ? stop + 1 : end, order, start, stop, end);
    }

    // Steps [start, stop) on the panel's columns of rows [first, last); with lanes the whole
    // loop runs at the lane width in use, so the width is looked up once, not once a step.
    void eliminateRows(T* const* rows, std::size_t first, std::size_t last, std::size_t start, std::size_t stop,
                       std::size_t end) {
        T* factors = &multiplier(0, start);
        if (columns == Columns::All) {
            eliminatePanelRows(
                rows, first, last, start, stop, end, [start](std::size_t) { return start; }, factors, stride);
        } else {
            eliminatePanelRows(
                rows, first, last, start, stop, end, [](std::size_t s) { return s; }, factors, stride);
        }
    }

    void updateRightSides(T* values, std::size_t order, std::size_t start, std::size_t stop) {
        for (std::size_t i = start + 1; i < order; ++i) {
            const std::size_t last = std::min(i, stop);
            for (std::size_t s = start; s < last; ++s) {
                values[i] = values[i] - elementProduct(values[s], multiplier(i, s));
            }
        }
    }

    Columns columns;
    std::vector<T*> rowPointers;
    Scratch<T> multipliers;
    T* multiplierValues = nullptr;
    std::size_t panelStart = 0;
    std::size_t stride = 0;
    TrailingUpdate<T> trailing;
};

}  // namespace elimination
