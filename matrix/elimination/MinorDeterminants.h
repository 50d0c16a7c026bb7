// MinorDeterminants: the determinants of all minors of a square matrix, as the adjugate needs
// them, each with exactly the bits of its own elimination.
//
// The minors that leave out column j share every elimination step before the row they leave
// out: step k < i of minor (i, j) is step k of the matrix without column j, with the same
// operands in the same order, only without row i. So the column-less matrix is eliminated once,
// step by step, and each minor branches off as a copy just before the step of its own row and
// finishes alone. A minor that is triangular as it stands is not eliminated at all, just as its
// own determinant would not be.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "matrix/ElementTraits.h"
#include "matrix/elimination/Elimination.h"
#include "matrix/elimination/EliminationDriver.h"
#include "matrix/elimination/TrailingUpdate.h"
#include "matrix/elimination/WorkingMemory.h"

namespace elimination {

template <typename T>
class MinorDeterminants {
public:
    // The n rows of the matrix, and the buffers to work in: n rows of n - 1 elements for the
    // column-less matrix, n - 1 rows of n - 1 elements for one minor.
    MinorDeterminants(std::vector<const T*> source, std::vector<T*> columnless, std::vector<T*> minor)
        : source(std::move(source)),
          columnless(std::move(columnless)),
          elimination(Elimination<T>::Columns::FromPivot) {
        elimination.rows() = std::move(minor);
        findNonZeroEnds();
    }

    // Puts the buffers of the minors' elimination into the operation's memory.
    void provideScratch(WorkingMemory& memory) { elimination.provideScratch(memory, source.size() - 1); }

    // Calls report(i, determinant of the minor without row i and column j) for i = 1 .. n in
    // this order.
    template <typename Report>
    void forColumn(std::uint32_t j, Report report) {
        const std::size_t n = source.size();
        const std::size_t column = j - 1;
        std::size_t lastEliminated = n;
        for (std::size_t i = n; i-- > 0;) {
            if (!isTriangular(i, column)) {
                lastEliminated = i;
                break;
            }
        }
        if (lastEliminated < n) {
            copyWithoutColumn(column);
        }
        std::size_t stepsDone = 0;
        bool stopped = false;
        for (std::size_t i = 0; i < n; ++i) {
            if (isTriangular(i, column)) {
                report(static_cast<std::uint32_t>(i + 1), triangularDeterminant(i, column));
                continue;
            }
            // Row i is still needed by the later minors, unless none of them is eliminated.
            const std::size_t leftOut = i == lastEliminated ? i : none;
            while (!stopped && stepsDone < i) {
                stopped = sharedStep(stepsDone, leftOut);
                stepsDone += stopped ? 0 : 1;
            }
            branch(i);
            if (!stopped) {
                // Each panel of a minor is a chance to cancel, as in a determinant of its own.
                EliminationDriver<T>::reduceByColumnExchanges(elimination, i);
            }
            report(static_cast<std::uint32_t>(i + 1), minorDiagonalProduct());
        }
    }

private:
    static constexpr std::size_t none = std::numeric_limits<std::size_t>::max();

    // The first two and the last two columns of each row that hold a non-zero element, so that
    // the triangular tests of a minor, which leaves out one of them, take one look per row.
    struct NonZeroEnds {
        std::size_t first[2] = {none, none};
        std::size_t last[2] = {none, none};
    };

    void findNonZeroEnds() {
        const std::size_t n = source.size();
        ends.resize(n);
        for (std::size_t r = 0; r < n; ++r) {
            NonZeroEnds& end = ends[r];
            for (std::size_t c = 0; c < n; ++c) {
                if (!isZeroElement(source[r][c])) {
                    if (end.first[0] == none) {
                        end.first[0] = c;
                    } else if (end.first[1] == none) {
                        end.first[1] = c;
                    }
                    end.last[1] = end.last[0];
                    end.last[0] = c;
                }
            }
        }
    }

    // Whether the minor without row i and column j is lower or upper triangular, tested on the
    // matrix itself.
    bool isTriangular(std::size_t i, std::size_t j) const {
        return isTriangular(
                   i, j, [](const NonZeroEnds& end) { return end.last; },
                   [](std::size_t column, std::size_t row) { return column <= row; }) ||
               isTriangular(
                   i, j, [](const NonZeroEnds& end) { return end.first; },
                   [](std::size_t column, std::size_t row) { return column >= row; });
    }

    template <typename Ends, typename Allowed>
    bool isTriangular(std::size_t i, std::size_t j, Ends outermost, Allowed allowed) const {
        for (std::size_t r = 0; r < source.size(); ++r) {
            if (r == i) {
                continue;
            }
            const std::size_t* candidates = outermost(ends[r]);
            const std::size_t c = candidates[0] == j ? candidates[1] : candidates[0];
            if (c != none && !allowed(c > j ? c - 1 : c, r > i ? r - 1 : r)) {
                return false;
            }
        }
        return true;
    }

    // The diagonal of the minor, each element a copy as the minor's working copy holds it.
    T triangularDeterminant(std::size_t i, std::size_t j) const {
        T product = ElementTraits<T>::one();
        for (std::size_t d = 0; d + 1 < source.size(); ++d) {
            const T value(source[d >= i ? d + 1 : d][d >= j ? d + 1 : d]);
            product = elementProduct(value, product);
        }
        return product;
    }

    // The working copy: each element copied, as a separately built minor's working copy is.
    void copyWithoutColumn(std::size_t j) {
        const std::size_t n = source.size();
        for (std::size_t r = 0; r < n; ++r) {
            for (std::size_t c = 0; c + 1 < n; ++c) {
                columnless[r][c] = T(source[r][c >= j ? c + 1 : c]);
            }
        }
    }

    // Step k of the column-less matrix, leaving out the given row; true when it has no pivot,
    // which ends the elimination of every minor that has not branched off yet.
    bool sharedStep(std::size_t k, std::size_t leftOut) {
        const std::size_t n = columnless.size();
        const std::size_t columns = n - 1;
        if (EliminationDriver<T>::pivotByColumnExchange(columnless.data(), n, columns, k)) {
            return true;
        }
        const T* pivot = columnless[k];
        for (std::size_t r = k + 1; r < n; ++r) {
            if (r != leftOut) {
                T* row = columnless[r];
                const T factor = row[k] / pivot[k];
                subtractScaledRow(row, pivot, factor, k, columns);
            }
        }
        return false;
    }

    // Minor i as its own elimination has it before its step i: the column-less matrix without
    // row i. Assignment keeps every value exactly as it is.
    void branch(std::size_t i) {
        std::vector<T*>& minor = elimination.rows();
        const std::size_t columns = minor.size();
        for (std::size_t r = 0; r < columns; ++r) {
            const T* from = columnless[r >= i ? r + 1 : r];
            T* to = minor[r];
            for (std::size_t c = 0; c < columns; ++c) {
                to[c] = from[c];
            }
        }
    }

    T minorDiagonalProduct() {
        return EliminationDriver<T>::diagonalProduct(elimination.rows().data(), elimination.rows().size());
    }

    std::vector<const T*> source;
    std::vector<T*> columnless;
    std::vector<NonZeroEnds> ends;
    Elimination<T> elimination;
};

}  // namespace elimination
