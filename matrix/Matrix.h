// Matrix: the complete matrix, with the arithmetic and the determinant family on one shared
// storage, and the linear equation solver. Including this header gives the whole library.
#pragma once

#include <cstdint>

#include "matrix/MatrixArithmetic.h"
#include "matrix/MatrixException.h"
#include "matrix/MatrixMath.h"
#include "matrix/MatrixVector.h"

template <typename T>
class Matrix : public MatrixArithmetic<T>, public MatrixMath<T> {
public:
    Matrix() = default;
    Matrix(std::uint32_t rows, std::uint32_t cols) : MatrixVector<T>(rows, cols) {}
    Matrix(const Matrix&) = default;
    ~Matrix() override = default;

    // One assignment of the shared storage, not one per base class.
    Matrix& operator=(const Matrix& source) {
        MatrixVector<T>::operator=(source);
        return *this;
    }
};
