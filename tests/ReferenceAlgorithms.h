// ReferenceAlgorithms: the determinant, adjugate, inverse and equation solver written out
// literally, step by step through element(), in the order of their definitions. Slow on purpose;
// the tests compare the library's loops with them bit for bit.
#pragma once

#include "TestMatrices.h"

namespace reference {

template <typename T>
Matrix<T> triangularForm(const Matrix<T>& a) {
    if (a.isLowerTriangular() || a.isUpperTriangular()) {
        return a;
    }
    Matrix<T> w(a);
    const std::uint32_t n = a.getRowCount();
    for (std::uint32_t k = 1; k <= n; ++k) {
        for (std::uint32_t r = 1; k < n && isZeroElement(w.element(k, k)) && r <= n; ++r) {
            if (r != k && !isZeroElement(w.element(k, r))) {
                w.swapColumns(k, r);
                for (std::uint32_t j = 1; j <= n; ++j) {
                    w.element(k, j) = -w.element(k, j);
                }
            }
        }
        if (isZeroElement(w.element(k, k))) {
            return w;
        }
        for (std::uint32_t i = k + 1; i <= n; ++i) {
            const T f = w.element(i, k) / w.element(k, k);
            for (std::uint32_t j = k; j <= n; ++j) {
                w.element(i, j) = w.element(i, j) - elementProduct(w.element(k, j), f);
            }
        }
    }
    return w;
}

template <typename T>
T determinant(const Matrix<T>& a) {
    const Matrix<T> w = triangularForm(a);
    T d = ElementTraits<T>::one();
    for (std::uint32_t i = 1; i <= a.getRowCount(); ++i) {
        d = elementProduct(w.element(i, i), d);
    }
    return d;
}

template <typename T>
Matrix<T> adjugate(const Matrix<T>& a) {
    const std::uint32_t n = a.getRowCount();
    Matrix<T> p(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            Matrix<T> minor(n - 1, n - 1);
            for (std::uint32_t k = 0; k < (n - 1) * (n - 1); ++k) {
                const std::uint32_t r = k / (n - 1) + 1, c = k % (n - 1) + 1;
                minor.element(r, c) = a.element(r < i ? r : r + 1, c < j ? c : c + 1);
            }
            const T d = determinant(minor);
            p.element(j, i) = (i + j) % 2 == 0 ? d : -d;
        }
    }
    return p;
}

template <typename T>
Matrix<T> inverse(const Matrix<T>& a) {
    const T d = determinant(a);
    if (isZeroElement(d)) {
        throw MatrixException(MatrixError::Singular);
    }
    Matrix<T> r = adjugate(a);
    const T reciprocal = ElementTraits<T>::one() / d;
    for (std::uint32_t i = 1; i <= a.getRowCount(); ++i) {
        for (std::uint32_t j = 1; j <= a.getRowCount(); ++j) {
            r.element(i, j) = elementProduct(reciprocal, r.element(i, j));
        }
    }
    return r;
}

template <typename T>
SolveResult solve(const Matrix<T>& a, const Matrix<T>& b, Matrix<T>& x) {
    const std::uint32_t n = a.getRowCount();
    Matrix<T> w(n, n);
    w = a;
    std::vector<T> v = b.getColumn(1);
    for (std::uint32_t k = 1; k <= n; ++k) {
        for (std::uint32_t i = k + 1; i <= n; ++i) {
            for (std::uint32_t r = i; isZeroElement(w.element(k, k)) && r <= n; ++r) {
                if (!isZeroElement(w.element(r, k))) {
                    w.swapRows(k, r);
                    std::swap(v[k - 1], v[r - 1]);
                }
            }
            if (isZeroElement(w.element(k, k))) {
                continue;
            }
            const T f = w.element(i, k) / w.element(k, k);
            v[i - 1] = v[i - 1] - elementProduct(v[k - 1], f);
            for (std::uint32_t j = 1; j <= n; ++j) {
                w.element(i, j) = w.element(i, j) - elementProduct(w.element(k, j), f);
            }
        }
    }
    T p = w.element(1, 1);
    for (std::uint32_t i = 2; i <= n && !isZeroElement(p); ++i) {
        p = elementProduct(p, w.element(i, i));
    }
    if (isZeroElement(p)) {
        for (std::uint32_t i = 1; i <= n; ++i) {
            bool zeroRow = !isZeroElement(v[i - 1]);
            for (std::uint32_t j = 1; j <= n; ++j) {
                zeroRow = zeroRow && isZeroElement(w.element(i, j));
            }
            if (zeroRow) {
                return SolveResult::NoSolution;
            }
        }
        return SolveResult::InfinitelyManySolutions;
    }
    for (std::uint32_t r = n; r >= 1; --r) {
        v[r - 1] = v[r - 1] / w.element(r, r);
        w.element(r, r) = w.element(r, r) / w.element(r, r);
        for (std::uint32_t i = r - 1; i >= 1; --i) {
            w.element(i, r) = elementProduct(w.element(i, r), v[r - 1]);
            v[i - 1] = v[i - 1] - w.element(i, r);
            w.element(i, r) = w.element(i, r) - w.element(i, r);
        }
    }
    for (std::uint32_t i = 1; i <= n; ++i) {
        x.element(i, 1) = v[i - 1];
    }
    return SolveResult::UniqueSolution;
}

}  // namespace reference
