// EliminationDriver: the pivot searches and the order of panels behind the determinant, the
// triangular form, the minors of the adjugate and the equation solver, written once for every
// element type and every row storage: the working copy of decimal and complex numbers, or a
// literal copy of a fraction matrix, whose every operation may throw. The driver sees only
// row pointers, so both take exactly the same steps.
//
// Where the two must differ, `if constexpr` picks the branch and the other one is never built:
// with silent arithmetic the back substitution computes only the values, while a fraction
// carries out every operation of the Gauss-Jordan sweep, since any of them may be the one that
// throws.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "matrix/ComputationMonitor.h"
#include "matrix/ElementTraits.h"
#include "matrix/SilentArithmetic.h"
#include "matrix/elimination/Elimination.h"

namespace elimination {

template <typename T>
class EliminationDriver {
public:
    // Makes the pivot of step k (0-based) non-zero by exchanging column k with the first column
    // whose entry in row k is not zero, and negates row k to keep the determinant's sign; true
    // when there is no pivot. The scan starts at the first column, where rounding may have left
    // residues, and the last step exchanges nothing. The rows hold `columns` elements each.
    static bool pivotByColumnExchange(T* const* rows, std::size_t rowCount, std::size_t columns, std::size_t k) {
        T* pivotRow = rows[k];
        if (k + 1 < columns && isZeroElement(pivotRow[k])) {
            for (std::size_t r = 0; r < columns; ++r) {
                if (r != k && !isZeroElement(pivotRow[r])) {
                    exchangeColumns(rows, rowCount, k, r);
                    for (std::size_t c = 0; c < columns; ++c) {
                        pivotRow[c] = -pivotRow[c];
                    }
                    break;
                }
            }
        }
        return isZeroElement(pivotRow[k]);
    }

    // The determinant's elimination from step `firstStep` on: column exchanges at zero pivots,
    // ended by the first step without one. Column exchanges move values within the rows, so the
    // row pointers stay valid. Each panel is one unit of progress, and a chance to cancel.
    static void reduceByColumnExchanges(Elimination<T>& elimination, std::size_t firstStep = 0) {
        std::vector<T*>& rows = elimination.rows();
        const std::size_t order = rows.size();
        const ComputationMonitor::Scope progress(order);
        for (std::size_t k = firstStep; k < order;) {
            if (pivotByColumnExchange(rows.data(), order, order, k)) {
                return;
            }
            k = elimination.runPanel(k, nullptr);
            progress.step(k);
        }
    }

    // The solver's elimination: a zero pivot is replaced by the first row below with a non-zero
    // entry in its column, whose value moves along; without one, the step changes nothing.
    static void reduceByRowExchanges(Elimination<T>& elimination, std::vector<T>& values) {
        std::vector<T*>& rows = elimination.rows();
        const std::size_t order = rows.size();
        const ComputationMonitor::Scope progress(order);
        for (std::size_t k = 0; k < order;) {
            if (isZeroElement(rows[k][k])) {
                exchangeRowsForPivot(rows, values, k);
                if (isZeroElement(rows[k][k])) {
                    ++k;
                    continue;
                }
            }
            k = elimination.runPanel(k, values.data());
            progress.step(k);
        }
    }

    // The determinant of a triangular matrix: the diagonal product, each element the left
    // factor, the first one times one.
    static T diagonalProduct(T* const* rows, std::size_t order) {
        T product = ElementTraits<T>::one();
        for (std::size_t i = 0; i < order; ++i) {
            product = elementProduct(rows[i][i], product);
        }
        return product;
    }

    // Whether the solver's diagonal has a zero: the running product the left factor, given up
    // as soon as it is zero.
    static bool diagonalVanishes(T* const* rows, std::size_t order) {
        T product = rows[0][0];
        for (std::size_t i = 1; i < order && !isZeroElement(product); ++i) {
            product = elementProduct(product, rows[i][i]);
        }
        return isZeroElement(product);
    }

    // A row of zeros whose value is not zero: the system has no solution.
    static bool hasContradiction(T* const* rows, std::size_t order, const std::vector<T>& values) {
        for (std::size_t i = 0; i < order; ++i) {
            if (!isZeroElement(values[i]) && std::all_of(rows[i], rows[i] + order, isZeroElement<T>)) {
                return true;
            }
        }
        return false;
    }

    // Gauss-Jordan from the last row upwards; the values become the solution. With silent
    // arithmetic each value takes the products of its row with the finished values below it in
    // the order in which the column-by-column sweep would subtract them. A few rows go at once:
    // their subtractions of the values below them are independent chains that overlap, then the
    // rows finish among themselves from the last one up.
    static void solveBackward(T* const* rows, std::size_t order, std::vector<T>& values) {
        if constexpr (hasSilentArithmetic<T>) {
            constexpr std::size_t group = 8;
            for (std::size_t end = order; end > 0;) {
                const std::size_t begin = end > group ? end - group : 0;
                T value[group];
                for (std::size_t k = 0; k < end - begin; ++k) {
                    value[k] = values[begin + k];
                }
                for (std::size_t r = order; r-- > end;) {
                    for (std::size_t k = 0; k < end - begin; ++k) {
                        value[k] = value[k] - elementProduct(rows[begin + k][r], values[r]);
                    }
                }
                for (std::size_t i = end; i-- > begin;) {
                    T finished = value[i - begin];
                    for (std::size_t r = end; r-- > i + 1;) {
                        finished = finished - elementProduct(rows[i][r], values[r]);
                    }
                    values[i] = finished / rows[i][i];
                }
                end = begin;
            }
        } else {
            sweepBackward(rows, order, values);
        }
    }

private:
    static void exchangeColumns(T* const* rows, std::size_t rowCount, std::size_t a, std::size_t b) {
        T held;
        for (std::size_t i = 0; i < rowCount; ++i) {
            held = rows[i][a];
            rows[i][a] = rows[i][b];
            rows[i][b] = held;
        }
    }

    static void exchangeRowsForPivot(std::vector<T*>& rows, std::vector<T>& values, std::size_t k) {
        for (std::size_t r = k + 1; r < rows.size(); ++r) {
            if (!isZeroElement(rows[r][k])) {
                std::swap(rows[k], rows[r]);
                T held;
                held = values[k];
                values[k] = values[r];
                values[r] = held;
                return;
            }
        }
    }

    // Every operation of the sweep on the matrix as well, in the column-by-column order.
    static void sweepBackward(T* const* rows, std::size_t order, std::vector<T>& values) {
        for (std::size_t r = order; r-- > 0;) {
            T& pivot = rows[r][r];
            values[r] = values[r] / pivot;
            pivot = pivot / pivot;
            for (std::size_t i = r; i-- > 0;) {
                T& entry = rows[i][r];
                entry = elementProduct(entry, values[r]);
                values[i] = values[i] - entry;
                entry = entry - entry;
            }
        }
    }
};

}  // namespace elimination
