// MatrixArithmetic-inl.h: the definitions of MatrixArithmetic, for the units that build the
// templates for an element type.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "matrix/ComputationMonitor.h"
#include "matrix/ElementTraits.h"
#include "matrix/MatrixArithmetic.h"
#include "matrix/MatrixException.h"
#include "matrix/MatrixVector-inl.h"
#include "matrix/SharedWork.h"
#include "matrix/SilentArithmetic.h"
#include "parallel/WorkerPool.h"

template <typename T>
MatrixArithmetic<T> MatrixArithmetic<T>::add(const MatrixArithmetic& right) const {
    if (!hasSameSize(right)) {
        throw MatrixException(MatrixError::SumSizes);
    }
    return combine(right, [](const T& a, const T& b) { return a + b; });
}

template <typename T>
MatrixArithmetic<T> MatrixArithmetic<T>::subtract(const MatrixArithmetic& right) const {
    if (!hasSameSize(right)) {
        throw MatrixException(MatrixError::DifferenceSizes);
    }
    return combine(right, [](const T& a, const T& b) { return a - b; });
}

template <typename T>
MatrixArithmetic<T> MatrixArithmetic<T>::multiply(const MatrixArithmetic& right) const {
    if (this->isColumnVector() && right.isColumnVector()) {
        return vectorProduct(right);
    }
    const std::uint32_t inner = this->getColumnCount();
    if (inner != right.getRowCount()) {
        throw MatrixException(MatrixError::ProductSizes);
    }
    MatrixArithmetic result(this->getRowCount(), right.getColumnCount());
    const ComputationMonitor::Scope progress(this->getRowCount());
    if constexpr (hasSilentArithmetic<T>) {
        const unsigned threads = parallel::WorkerPool::shared().threads();
        const std::size_t rows = this->getRowCount();
        if (SharedWork::worthSharing(threads, rows, rows * inner * right.getColumnCount())) {
            multiplyShared(right, result, progress, threads);
            return result;
        }
    }
    for (std::uint32_t i = 1; i <= this->getRowCount(); ++i) {
        multiplyRow(i, right, result);
        progress.step(i);
    }
    return result;
}

template <typename T>
MatrixArithmetic<T> MatrixArithmetic<T>::vectorProduct(const MatrixArithmetic& right) const {
    if (!this->isColumnVector() || !right.isColumnVector()) {
        throw MatrixException(MatrixError::NotColumnVectors);
    }
    const std::uint32_t n = this->getRowCount();
    if (n != right.getRowCount()) {
        throw MatrixException(MatrixError::VectorLengths);
    }
    MatrixArithmetic result(n, 1);
    std::uint32_t s = 2;
    std::uint32_t t = 3 > n ? 1 : 3;
    for (std::uint32_t r = 1; r <= n; ++r) {
        result.row(r)[0] =
            elementProduct(component(s), right.component(t)) - elementProduct(component(t), right.component(s));
        s = s == n ? 1 : s + 1;
        t = t == n ? 1 : t + 1;
    }
    return result;
}

// Each result element still sums its products from k = 1 upwards starting at zero; only the
// loops are turned so that the innermost one runs along contiguous rows.
template <typename T>
void MatrixArithmetic<T>::multiplyRow(std::uint32_t i, const MatrixArithmetic& right, MatrixArithmetic& result) const {
    std::vector<T>& sums = result.row(i);
    const std::vector<T>& leftRow = this->row(i);
    const std::uint32_t columns = right.getColumnCount();
    for (std::uint32_t k = 1; k <= this->getColumnCount(); ++k) {
        const T& factor = leftRow[k - 1];
        const std::vector<T>& rightRow = right.row(k);
        for (std::uint32_t j = 0; j < columns; ++j) {
            sums[j] = sums[j] + elementProduct(factor, rightRow[j]);
        }
    }
}

// Ranges of result rows go to the threads; the calling thread reports the rows finished so far
// between its ranges, which is also where a cancel stops them all.
template <typename T>
void MatrixArithmetic<T>::multiplyShared(const MatrixArithmetic& right, MatrixArithmetic& result,
                                         const ComputationMonitor::Scope& progress, unsigned threads) const {
    const std::uint32_t rows = this->getRowCount();
    const std::size_t size =
        SharedWork::rowsPerPart(rows, threads, 1, std::size_t{this->getColumnCount()} * right.getColumnCount());
    std::atomic<std::uint64_t> finished{0};
    parallel::WorkerPool::shared().run((rows + size - 1) / size,
                                       [&](std::size_t part, unsigned) {
                                           const auto from = static_cast<std::uint32_t>(part * size);
                                           const auto to =
                                               static_cast<std::uint32_t>(std::min<std::size_t>(rows, from + size));
                                           for (std::uint32_t i = from + 1; i <= to; ++i) {
                                               multiplyRow(i, right, result);
                                           }
                                           finished += to - from;
                                       },
                                       [&] { progress.step(finished.load()); });
    progress.step(rows);
}

template <typename T>
bool MatrixArithmetic<T>::hasSameSize(const MatrixArithmetic& other) const {
    return this->getRowCount() == other.getRowCount() && this->getColumnCount() == other.getColumnCount();
}

template <typename T>
template <typename Operation>
MatrixArithmetic<T> MatrixArithmetic<T>::combine(const MatrixArithmetic& right, Operation operation) const {
    const std::uint32_t columns = this->getColumnCount();
    MatrixArithmetic result(this->getRowCount(), columns);
    for (std::uint32_t i = 1; i <= this->getRowCount(); ++i) {
        std::vector<T>& out = result.row(i);
        const std::vector<T>& a = this->row(i);
        const std::vector<T>& b = right.row(i);
        for (std::uint32_t j = 0; j < columns; ++j) {
            out[j] = operation(a[j], b[j]);
        }
    }
    return result;
}
