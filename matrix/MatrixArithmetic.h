// MatrixArithmetic: sum, difference, product and vector product of matrices. Large products of
// decimal and complex numbers share their result rows among the worker pool's threads. The
// definitions are in MatrixArithmetic-inl.h.
#pragma once

#include <cstdint>

#include "matrix/ComputationMonitor.h"
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

    MatrixArithmetic add(const MatrixArithmetic& right) const;
    MatrixArithmetic subtract(const MatrixArithmetic& right) const;
    // Two column vectors are multiplied as a vector product, so they never meet the size check.
    MatrixArithmetic multiply(const MatrixArithmetic& right) const;
    // The cross product taken cyclically over n components; a two-component vector wraps its
    // second index at once, giving (a2 b1 - a1 b2, a1 b2 - a2 b1).
    MatrixArithmetic vectorProduct(const MatrixArithmetic& right) const;

private:
    void multiplyRow(std::uint32_t i, const MatrixArithmetic& right, MatrixArithmetic& result) const;
    void multiplyShared(const MatrixArithmetic& right, MatrixArithmetic& result,
                        const ComputationMonitor::Scope& progress, unsigned threads) const;
    bool hasSameSize(const MatrixArithmetic& other) const;
    const T& component(std::uint32_t index) const { return this->row(index)[0]; }
    template <typename Operation>
    MatrixArithmetic combine(const MatrixArithmetic& right, Operation operation) const;
};
