// WorkingMatrix: the copy of a matrix that an elimination of decimal or complex numbers changes,
// laid out for the vector lanes: all rows in one block of WorkingMemory, each row starting on a
// 64-byte boundary, and the rows an odd number of cache lines apart, so that the rows of a tile
// never compete for the same cache sets however wide the matrix is.
#pragma once

#include <cstddef>

#include "matrix/elimination/WorkingMemory.h"

namespace elimination {

template <typename T>
class WorkingMatrix {
public:
    // Elements from the start of one row to the start of the next.
    static std::size_t strideFor(std::size_t columns) {
        constexpr std::size_t perLine = WorkingMemory::alignment / sizeof(T);
        std::size_t lines = (columns + perLine - 1) / perLine;
        if (lines % 2 == 0) {
            ++lines;
        }
        return lines * perLine;
    }

    static std::size_t bytesFor(std::size_t rows, std::size_t columns) {
        return WorkingMemory::bytesFor<T>(rows * strideFor(columns)) + WorkingMemory::bytesFor<T*>(rows);
    }

    WorkingMatrix(WorkingMemory& memory, std::size_t rows, std::size_t columns)
        : columnCount(columns),
          stride(strideFor(columns)),
          values(memory.take<T>(rows * stride)),
          pointers(memory.take<T*>(rows)) {
        for (std::size_t i = 0; i < rows; ++i) {
            pointers[i] = values + i * stride;
        }
    }

    // The rows in their current order; an exchange of rows exchanges these pointers.
    T** rows() { return pointers; }
    T* row(std::size_t index) { return pointers[index]; }
    std::size_t columns() const { return columnCount; }

    // Row i (0-based, in the original order) takes the values of `from`, each by assignment.
    void setRow(std::size_t i, const T* from) {
        T* to = values + i * stride;
        for (std::size_t c = 0; c < columnCount; ++c) {
            to[c] = from[c];
        }
    }

private:
    std::size_t columnCount;
    std::size_t stride;
    T* values;
    T** pointers;
};

}  // namespace elimination
