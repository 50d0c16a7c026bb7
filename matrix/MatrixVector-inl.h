// MatrixVector-inl.h: the definitions of MatrixVector, for the units that build the templates
// for an element type.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "matrix/ElementTraits.h"
#include "matrix/MatrixException.h"
#include "matrix/MatrixVector.h"
#include "memory/StorageLimit.h"

// A matrix made without a size is 3 x 3.
template <typename T>
MatrixVector<T>::MatrixVector() {
    setSize(3, 3);
}

template <typename T>
MatrixVector<T>::MatrixVector(std::uint32_t rows, std::uint32_t cols) {
    setSize(rows, cols);
}

template <typename T>
MatrixVector<T>::MatrixVector(const MatrixVector& source)
    : elements((requireStorage(source.rowCount, source.columnCount, 0), source.elements)),
      rowCount(source.rowCount),
      columnCount(source.columnCount) {}

template <typename T>
MatrixVector<T>& MatrixVector<T>::operator=(const MatrixVector& source) {
    requireSameSize(source);
    if (this != &source) {
        for (std::uint32_t r = 0; r < rowCount; ++r) {
            std::vector<T>& target = elements[r];
            const std::vector<T>& from = source.elements[r];
            for (std::uint32_t c = 0; c < columnCount; ++c) {
                target[c] = from[c];
            }
        }
    }
    return *this;
}

template <typename T>
T& MatrixVector<T>::element(std::uint32_t row, std::uint32_t col) {
    checkPosition(row, col);
    return elements.at(row - 1).at(col - 1);
}

template <typename T>
const T& MatrixVector<T>::element(std::uint32_t row, std::uint32_t col) const {
    checkPosition(row, col);
    return elements.at(row - 1).at(col - 1);
}

template <typename T>
void MatrixVector<T>::setSize(std::uint32_t rows, std::uint32_t cols) {
    if (rows < 1 || cols < 1) {
        throw MatrixException(MatrixError::SizeBelowOne);
    }
    const std::uint32_t kept = std::min(rows, rowCount);
    std::vector<std::uint32_t> regrowing;
    for (std::uint32_t r = 0; r < kept; ++r) {
        if (elements[r].capacity() < cols) {
            regrowing.push_back(r);
        }
    }
    // Regrown rows live beside the old ones until the end; otherwise only the growth is new.
    requireStorage(rows, cols, regrowing.empty() ? StorageLimit::bytesFor<T>(rowCount, columnCount) : 0);
    std::vector<std::vector<T>> added(rows - kept, std::vector<T>(cols));
    std::vector<std::vector<T>> regrown(regrowing.size());
    for (std::vector<T>& row : regrown) {
        row.reserve(cols);
    }
    elements.reserve(rows);
    // Nothing below allocates.
    for (std::size_t i = 0; i < regrowing.size(); ++i) {
        std::vector<T>& row = elements[regrowing[i]];
        regrown[i].assign(row.begin(), row.end());
        row.swap(regrown[i]);
    }
    elements.resize(kept);
    for (std::vector<T>& row : elements) {
        row.resize(cols);
    }
    for (std::vector<T>& row : added) {
        elements.push_back(std::move(row));
    }
    rowCount = rows;
    columnCount = cols;
}

template <typename T>
std::vector<T> MatrixVector<T>::getColumn(std::uint32_t col) const {
    if (col < 1 || col > columnCount) {
        throw MatrixException(MatrixError::ColumnOutOfRange);
    }
    std::vector<T> column;
    column.reserve(rowCount);
    for (const std::vector<T>& row : elements) {
        column.push_back(row[col - 1]);
    }
    return column;
}

template <typename T>
void MatrixVector<T>::swapRows(std::uint32_t a, std::uint32_t b) {
    if (a < 1 || a > rowCount || b < 1 || b > rowCount) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    elements[a - 1].swap(elements[b - 1]);
}

template <typename T>
void MatrixVector<T>::swapColumns(std::uint32_t a, std::uint32_t b) {
    if (a < 1 || a > columnCount || b < 1 || b > columnCount) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
    if (a == b) {
        return;
    }
    T held;
    for (std::vector<T>& row : elements) {
        held = row[a - 1];
        row[a - 1] = row[b - 1];
        row[b - 1] = held;
    }
}

template <typename T>
bool MatrixVector<T>::isZeroMatrix() const {
    const T zero{};
    return isSquare() && allElements([&](std::uint32_t, std::uint32_t, const T& value) { return value == zero; });
}

template <typename T>
bool MatrixVector<T>::isIdentityMatrix() const {
    const T zero{};
    const T one = ElementTraits<T>::one();
    return isSquare() && allElements([&](std::uint32_t r, std::uint32_t c, const T& value) {
               return value == (r == c ? one : zero);
           });
}

template <typename T>
bool MatrixVector<T>::isScalarMatrix() const {
    if (!isSquare()) {
        return false;
    }
    const T zero{};
    // Read in place: a copy of a fraction is reduced, and element (1, 1) must equal itself
    // by the same rule as every other element is held against it.
    const T& reference = element(1, 1);
    return allElements(
        [&](std::uint32_t r, std::uint32_t c, const T& value) { return value == (r == c ? reference : zero); });
}

template <typename T>
bool MatrixVector<T>::isUpperTriangular() const {
    const T zero{};
    return isSquare() &&
           allElements([&](std::uint32_t r, std::uint32_t c, const T& value) { return r <= c || value == zero; });
}

template <typename T>
bool MatrixVector<T>::isLowerTriangular() const {
    const T zero{};
    return isSquare() &&
           allElements([&](std::uint32_t r, std::uint32_t c, const T& value) { return r >= c || value == zero; });
}

template <typename T>
bool MatrixVector<T>::isDiagonalMatrix() const {
    const T zero{};
    return isSquare() &&
           allElements([&](std::uint32_t r, std::uint32_t c, const T& value) { return r == c || value == zero; });
}

template <typename T>
TriangularKind MatrixVector<T>::triangularKind() const {
    if (isDiagonalMatrix()) {
        return TriangularKind::Diagonal;
    }
    if (isUpperTriangular()) {
        return TriangularKind::Upper;
    }
    if (isLowerTriangular()) {
        return TriangularKind::Lower;
    }
    return TriangularKind::None;
}

template <typename T>
void MatrixVector<T>::requireSameSize(const MatrixVector& other) const {
    if (other.rowCount != rowCount || other.columnCount != columnCount) {
        throw MatrixException(MatrixError::SizeMismatch);
    }
}

template <typename T>
void MatrixVector<T>::requireStorage(std::uint32_t rows, std::uint32_t cols, std::size_t alreadyHeld) {
    const std::size_t needed = StorageLimit::bytesFor<T>(rows, cols);
    if (needed > alreadyHeld && !StorageLimit::reserve(needed - alreadyHeld)) {
        throw StorageRefused();
    }
}

template <typename T>
void MatrixVector<T>::checkPosition(std::uint32_t row, std::uint32_t col) const {
    if (row < 1 || row > rowCount || col < 1 || col > columnCount) {
        throw MatrixException(MatrixError::IndexOutOfRange);
    }
}

template <typename T>
template <typename Test>
bool MatrixVector<T>::allElements(Test test) const {
    for (std::uint32_t r = 1; r <= rowCount; ++r) {
        const std::vector<T>& values = elements[r - 1];
        for (std::uint32_t c = 1; c <= columnCount; ++c) {
            if (!test(r, c, values[c - 1])) {
                return false;
            }
        }
    }
    return true;
}
