// MatrixMath: determinant, adjugate and inverse of square matrices.
#pragma once

#include <cstdint>

#include "matrix/MatrixVector.h"

template <typename T>
class MatrixMath : public virtual MatrixVector<T> {
public:
    MatrixMath() = default;
    MatrixMath(std::uint32_t rows, std::uint32_t cols) : MatrixVector<T>(rows, cols) {}
    MatrixMath(const MatrixMath&) = default;
    ~MatrixMath() override = default;

    MatrixMath& operator=(const MatrixMath& source) {
        MatrixVector<T>::operator=(source);
        return *this;
    }
};
