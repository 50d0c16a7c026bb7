// MatrixArithmetic: sum, difference, product and vector product of matrices.
#pragma once

#include <cstdint>

#include "matrix/MatrixVector.h"

template <typename T>
class MatrixArithmetic : public virtual MatrixVector<T> {
public:
    MatrixArithmetic() = default;
    MatrixArithmetic(std::uint32_t rows, std::uint32_t cols) : MatrixVector<T>(rows, cols) {}
    MatrixArithmetic(const MatrixArithmetic&) = default;
    ~MatrixArithmetic() override = default;

    MatrixArithmetic& operator=(const MatrixArithmetic& source) {
        MatrixVector<T>::operator=(source);
        return *this;
    }
};
