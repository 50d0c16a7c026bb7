// MatrixVector: the storage shared by every matrix (a vector of rows), the storage operations
// and the structural property tests. The definitions are in MatrixVector-inl.h, which only the
// units that build the templates for an element type include (elements/).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "matrix/TriangularKind.h"

template <typename T>
class MatrixVector {
public:
    MatrixVector();
    // A copy is a new storage, so it must fit in the memory that is left.
    MatrixVector(const MatrixVector& source);
    virtual ~MatrixVector() = default;

    // Copies the values; never changes the size of the target.
    MatrixVector& operator=(const MatrixVector& source);

    std::uint32_t getRowCount() const { return rowCount; }
    std::uint32_t getColumnCount() const { return columnCount; }

    T& element(std::uint32_t row, std::uint32_t col);
    const T& element(std::uint32_t row, std::uint32_t col) const;

    // Resizes in place: the top-left block keeps its values, new positions hold zero. Every
    // allocation is made before anything changes, so a failing one leaves the old size and
    // values. Rows that must grow beyond their capacity are copied, as a vector copies on
    // reallocation (a fraction is reduced then); all other values stay as they are.
    void setSize(std::uint32_t rows, std::uint32_t cols);

    std::vector<T> getColumn(std::uint32_t col) const;

    // Row and column exchanges work in place; values move by assignment only, so fractions
    // keep the form in which they are stored.
    void swapRows(std::uint32_t a, std::uint32_t b);
    void swapColumns(std::uint32_t a, std::uint32_t b);

    bool isSquare() const { return rowCount == columnCount; }
    bool isColumnVector() const { return columnCount == 1 && rowCount >= 2; }
    bool isRowVector() const { return rowCount == 1 && columnCount >= 2; }

    bool isZeroMatrix() const;
    bool isIdentityMatrix() const;
    bool isScalarMatrix() const;
    bool isUpperTriangular() const;
    bool isLowerTriangular() const;
    bool isDiagonalMatrix() const;
    TriangularKind triangularKind() const;

protected:
    // Sized construction: empty storage, then setSize, so a count below 1 throws code 100.
    MatrixVector(std::uint32_t rows, std::uint32_t cols);

    void requireSameSize(const MatrixVector& other) const;

    // The start of every row, in order, for loops that work on rows by pointer.
    void collectRowPointers(std::vector<T*>& pointers) {
        pointers.resize(rowCount);
        for (std::uint32_t i = 0; i < rowCount; ++i) {
            pointers[i] = elements[i].data();
        }
    }

    // Direct row access for the operations, after they have checked their indices once.
    std::vector<T>& row(std::uint32_t index) { return elements[index - 1]; }
    const std::vector<T>& row(std::uint32_t index) const { return elements[index - 1]; }

private:
    static void requireStorage(std::uint32_t rows, std::uint32_t cols, std::size_t alreadyHeld);
    void checkPosition(std::uint32_t row, std::uint32_t col) const;

    // Walks row by row, left to right, and stops at the first element that fails the test.
    template <typename Test>
    bool allElements(Test test) const;

    std::vector<std::vector<T>> elements;
    std::uint32_t rowCount = 0;
    std::uint32_t columnCount = 0;
};
