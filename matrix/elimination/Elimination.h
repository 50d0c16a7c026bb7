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
#include <optional>
#include <utility>
#include <vector>

#include "matrix/ElementTraits.h"
#include "matrix/SharedWork.h"
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

    // The row pointers of the matrix being eliminated; callers fill and refresh them. Since the
    // rows may change through them, a panel factored ahead is forgotten.
    std::vector<T*>& rows() {
        ahead.reset();
        return rowPointers;
    }

    // Bytes of WorkingMemory that the buffers of an elimination of the given order use: the
    // multipliers of one panel, or of two when threads share the work (one panel is applied while
    // the next is factored), and the buffers of the block updates.
    static std::size_t scratchBytes(std::size_t order) {
        if (order <= stepwiseOrder) {
            return 0;
        }
        return panelsInFlight(order) * WorkingMemory::bytesFor<T>(order * panelWidth) +
               TrailingUpdate<T>::scratchBytes(order, panelWidth);
    }

    // Puts the buffers for an elimination of up to this order into the operation's memory.
    void provideScratch(WorkingMemory& memory, std::size_t order) {
        if (order > stepwiseOrder) {
            for (std::size_t panel = 0; panel < panelsInFlight(order); ++panel) {
                multipliers[panel].provide(memory, order * panelWidth);
            }
            trailing.provide(memory, order, panelWidth);
        }
    }

    // Carries out the steps start, start + 1, ... (0-based) up to the end of one panel or up to
    // the first later step whose pivot is zero, and returns the first step not carried out.
    // The pivot of `start` must be non-zero. The right-hand sides, if given, take part like
    // one more column.
    //
    // With several threads the next panel may already be factored when this one returns, on its
    // own columns and only if its first pivot is not zero: those columns receive this panel's
    // steps first, so one thread factors the next panel while the others update the columns
    // beyond it. Every element still receives its steps one at a time in ascending order.
    std::size_t runPanel(std::size_t start, T* rightSides) {
        const std::size_t order = rowPointers.size();
        if (order - start <= stepwiseOrder) {
            return runStepwise(start, rightSides);
        }
        const std::size_t end = std::min(order, start + panelWidth);
        Panel panel;
        std::size_t stop;
        if (ahead && ahead->panel.start == start) {
            panel = ahead->panel;
            stop = ahead->stop;
        } else {
            panel = newPanel(0, start, end);
            stop = columns == Columns::FromPivot ? factor(panel, start, end, end, 0)
                                                 : factorFlat(panel, start, end, end, 0);
        }
        ahead.reset();
        updateBeyond(panel, stop, end, rightSides);
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

    // Panels of 64 steps keep the panel's own work small beside the block update, and the block
    // update reads and writes its targets once for every 64 steps; inside, halves are split
    // until 16 columns remain, which two 512-bit vectors of doubles cover. (32 steps, twice the
    // traffic of the targets, measured 71-80 ms against 66-75 ms for a double determinant of
    // order 2000 on two threads of a Zen 4, and 46-85 ms against 43-49 ms for floats.)
    static constexpr std::size_t panelWidth = 64;
    static constexpr std::size_t flatWidth = 16;

    static std::size_t panelsInFlight(std::size_t order) {
        return hasLanes<T> && SharedWork::threadsFor<T>(order) > 1 ? 2 : 1;
    }

    // The multipliers of a panel's steps [start, start + stride) in one of the two buffers, and
    // those of the rows below its pivot rows once packed for a shared update.
    struct Panel {
        T* values = nullptr;
        std::size_t start = 0;
        std::size_t stride = 0;
        unsigned buffer = 0;
        const T* packed = nullptr;

        T& multiplier(std::size_t row, std::size_t step) const { return values[row * stride + step - start]; }
    };

    // A panel factored ahead on its own columns: its steps [panel.start, stop) are done there.
    struct Ahead {
        Panel panel;
        std::size_t stop;
    };

    Panel newPanel(unsigned buffer, std::size_t start, std::size_t end) {
        Panel panel;
        panel.values = multipliers[buffer].take(rowPointers.size() * (end - start));
        panel.start = start;
        panel.stride = end - start;
        panel.buffer = buffer;
        return panel;
    }

    // Steps from `start` within [start, end) on the columns [start, columnEnd): the left half
    // first, then the right half with the left half's steps already in it, then the columns
    // beyond `end` with all of them in one block update. Splitting turns most of a panel's own
    // work into block updates too. `thread` is the one that runs it, whose memory it uses.
    std::size_t factor(const Panel& panel, std::size_t start, std::size_t end, std::size_t columnEnd, unsigned thread) {
        if (end - start <= flatWidth) {
            return factorFlat(panel, start, end, columnEnd, thread);
        }
        const std::size_t middle = start + (end - start) / 2;
        std::size_t stop = factor(panel, start, middle, end, thread);
        if (stop == middle && !isZeroElement(rowPointers[middle][middle])) {
            stop = factor(panel, middle, end, end, thread);
        }
        updateColumns(panel, start, stop, end, columnEnd, thread);
        return stop;
    }

    // Step by step on the panel's own columns [start, end), then the columns [end, columnEnd).
    std::size_t factorFlat(const Panel& panel, std::size_t start, std::size_t end, std::size_t columnEnd,
                           unsigned thread) {
        T* const* rows = rowPointers.data();
        const std::size_t stop = eliminatePivotRows(panel, rows, start, end);
        eliminatePanelBelow(panel, rows, rowPointers.size(), start, stop, end);
        updateColumns(panel, start, stop, end, columnEnd, thread);
        return stop;
    }

    // The panel's steps [panel.start, stop), done on its own columns up to `end`, on the
    // columns beyond it (and, when every column takes part, before it) and on the right-hand
    // sides. Shared among the threads by columns when that is worth it; then, if the next step
    // starts a panel as this one ends, the first part factors it ahead.
    void updateBeyond(Panel& panel, std::size_t stop, std::size_t end, T* rightSides) {
        const std::size_t order = rowPointers.size();
        const std::size_t start = panel.start;
        const std::size_t before = columns == Columns::All ? start : 0;
        if (!sharesUpdate(order - start, stop - start, order - end + before)) {
            updateColumns(panel, start, stop, end, order, 0);
            updateColumns(panel, start, stop, 0, before, 0);
            if (rightSides != nullptr) {
                updateRightSides(panel, rightSides, stop);
            }
            return;
        }
        if (panel.packed == nullptr) {
            panel.packed = trailing.packMultipliers(panel.buffer, &panel.multiplier(stop, start), panel.stride,
                                                    stop - start, order - stop);
        }
        const bool lookAhead = columns == Columns::FromPivot && stop == end && order - end > stepwiseOrder;
        const std::size_t nextEnd = lookAhead ? std::min(order, end + panelWidth) : end;
        parts.clear();
        const std::size_t multiple = TrailingUpdate<T>::columnMultiple();
        const std::size_t workPerColumn = (order - start) * (stop - start);
        SharedWork::cutColumns(parts, nextEnd, order, trailing.threads(), multiple, workPerColumn);
        SharedWork::cutColumns(parts, 0, before, trailing.threads(), multiple, workPerColumn);
        const std::size_t first = lookAhead ? 1 : 0;
        SharedWork::run(first + parts.size(), [&](std::size_t part, unsigned thread) {
            if (part < first) {
                factorAhead(panel, stop, end, nextEnd, rightSides, thread);
            } else {
                updateColumnsPacked(panel, stop, parts[part - first].first, parts[part - first].second, thread);
            }
        });
        if (rightSides != nullptr && !lookAhead) {
            updateRightSides(panel, rightSides, stop);
        }
    }

    // The first part of a shared update with look-ahead: the right-hand sides, the next panel's
    // columns [end, nextEnd), and then the next panel itself on them, unless its first pivot is
    // zero; its multipliers are packed for its own shared update.
    void factorAhead(const Panel& panel, std::size_t stop, std::size_t end, std::size_t nextEnd, T* rightSides,
                     unsigned thread) {
        if (rightSides != nullptr) {
            updateRightSides(panel, rightSides, stop);
        }
        updateColumnsPacked(panel, stop, end, nextEnd, thread);
        if (isZeroElement(rowPointers[end][end])) {
            return;
        }
        Panel next = newPanel(1 - panel.buffer, end, nextEnd);
        const std::size_t nextStop = factor(next, end, nextEnd, nextEnd, thread);
        const std::size_t order = rowPointers.size();
        next.packed = trailing.packMultipliers(next.buffer, &next.multiplier(nextStop, end), next.stride,
                                               nextStop - end, order - nextStop);
        ahead = Ahead{next, nextStop};
    }

    // Whether threads share an update of `steps` steps on `rowCount` rows and `columnCount`
    // columns; never for element types without lanes.
    bool sharesUpdate(std::size_t rowCount, std::size_t steps, std::size_t columnCount) const {
        if constexpr (hasLanes<T>) {
            return SharedWork::worthSharing(trailing.threads(), rowCount, rowCount * steps * columnCount);
        } else {
            return false;
        }
    }

    // Applies the steps [start, stop) to the columns [first, last): to the pivot rows of these
    // steps as soon as their earlier steps are known, and to all rows below in one block.
    void updateColumns(const Panel& panel, std::size_t start, std::size_t stop, std::size_t first, std::size_t last,
                       unsigned thread) {
        if (first >= last) {
            return;
        }
        updatePivotRows(panel, start, stop, first, last);
        const std::size_t order = rowPointers.size();
        if (stop < order) {
            T* const* rows = rowPointers.data();
            trailing.apply(thread, rows + stop, order - stop, &panel.multiplier(stop, start), panel.stride,
                           rows + start, stop - start, first, last);
        }
    }

    // The same for all of a panel's steps, with its multipliers packed.
    void updateColumnsPacked(const Panel& panel, std::size_t stop, std::size_t first, std::size_t last,
                             unsigned thread) {
        if (first >= last) {
            return;
        }
        updatePivotRows(panel, panel.start, stop, first, last);
        T* const* rows = rowPointers.data();
        trailing.applyPacked(thread, panel.packed, rows + stop, rowPointers.size() - stop, rows + panel.start,
                             stop - panel.start, first, last);
    }

    void updatePivotRows(const Panel& panel, std::size_t start, std::size_t stop, std::size_t first, std::size_t last) {
        T* const* rows = rowPointers.data();
        for (std::size_t i = start + 1; i < stop; ++i) {
            subtractPivotRows(rows[i], &panel.multiplier(i, start), rows + start, i - start, first, last);
        }
    }

    // The pivot rows of the panel one by one, on the panel's columns; stops at the first row
    // whose pivot comes out zero, which then belongs to the rows below.
    std::size_t eliminatePivotRows(const Panel& panel, T* const* rows, std::size_t start, std::size_t end) {
        for (std::size_t i = start + 1; i < end; ++i) {
            eliminateRows(panel, rows, i, i + 1, start, i, end, false);
            if (isZeroElement(rows[i][i])) {
                return i;
            }
        }
        return end;
    }

    // The rows below the pivot rows.
    void eliminatePanelBelow(const Panel& panel, T* const* rows, std::size_t order, std::size_t start, std::size_t stop,
                             std::size_t end) {
        eliminateRows(panel, rows, stop < end ? stop + 1 : end, order, start, stop, end, true);
    }

    // Steps [start, stop) on the panel's columns of rows [first, last); with lanes the whole
    // loop runs at the lane width in use, so the width is looked up once, not once a step. Many
    // rows go in turned blocks.
    void eliminateRows(const Panel& panel, T* const* rows, std::size_t first, std::size_t last, std::size_t start,
                       std::size_t stop, std::size_t end, bool many) {
        T* factors = &panel.multiplier(0, start);
        if (columns == Columns::All) {
            eliminateRows(
                rows, first, last, start, stop, end, [start](std::size_t) { return start; }, factors, panel.stride,
                many);
        } else {
            eliminateRows(
                rows, first, last, start, stop, end, [](std::size_t s) { return s; }, factors, panel.stride, many);
        }
    }

    template <typename From>
    static void eliminateRows(T* const* rows, std::size_t first, std::size_t last, std::size_t start, std::size_t stop,
                              std::size_t end, From from, T* factors, std::size_t stride, bool many) {
        if (many) {
            eliminateTurnedPanelRows(rows, first, last, start, stop, end, from, factors, stride);
        } else {
            eliminatePanelRows(rows, first, last, start, stop, end, from, factors, stride);
        }
    }

    void updateRightSides(const Panel& panel, T* values, std::size_t stop) {
        const std::size_t order = rowPointers.size();
        for (std::size_t i = panel.start + 1; i < order; ++i) {
            const std::size_t last = std::min(i, stop);
            for (std::size_t s = panel.start; s < last; ++s) {
                values[i] = values[i] - elementProduct(values[s], panel.multiplier(i, s));
            }
        }
    }

    Columns columns;
    std::vector<T*> rowPointers;
    Scratch<T> multipliers[2];
    TrailingUpdate<T> trailing;
    std::optional<Ahead> ahead;
    std::vector<std::pair<std::size_t, std::size_t>> parts;
};

}  // namespace elimination
