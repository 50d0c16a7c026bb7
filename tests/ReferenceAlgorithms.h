// ReferenceAlgorithms: the determinant, adjugate, inverse and equation solver written out
// literally, step by step through element(), in exactly the order of their definitions. Slow on
// purpose; the tests compare the library's optimised loops with them bit for bit.
#pragma once

#include <cstdint>
#include <vector>

#include "matrix/Matrix.h"
#include "matrix/SolveResult.h"

namespace reference {

template <typename T>
bool isZero(const T& value) {
    return value == T{};
}

template <typename T>
bool preparePivot(Matrix<T>& w, std::uint32_t n, std::uint32_t k) {
    if (k < n && isZero(w.element(k, k))) {
        for (std::uint32_t r = 1; r <= n; ++r) {
            if (r != k && !isZero(w.element(k, r))) {
                w.swapColumns(k, r);
                for (std::uint32_t j = 1; j <= n; ++j) {
                    w.element(k, j) = -w.element(k, j);
                }
                break;
            }
        }
    }
    return isZero(w.element(k, k));
}

template <typename T>
Matrix<T> triangularForm(const Matrix<T>& a) {
    if (a.isLowerTriangular()) {
        return a;
    }
    if (a.isUpperTriangular()) {
        return a;
    }
    Matrix<T> w(a);
    const std::uint32_t n = a.getRowCount();
    for (std::uint32_t k = 1; k <= n; ++k) {
        if (preparePivot(w, n, k)) {
            return w;
        }
        for (std::uint32_t i = k + 1; i <= n; ++i) {
            const T f = w.element(i, k) / w.element(k, k);
            for (std::uint32_t j = k; j <= n; ++j) {
                w.element(i, j) = w.element(i, j) - w.element(k, j) * f;
            }
        }
    }
    return w;
}

template <typename T>
T determinant(const Matrix<T>& a) {
    if (a.getRowCount() != a.getColumnCount()) {
        throw MatrixException(MatrixError::NotSquare);
    }
    const Matrix<T> w = triangularForm(a);
    T d = ElementTraits<T>::one();
    for (std::uint32_t i = 1; i <= a.getRowCount(); ++i) {
        d = w.element(i, i) * d;
    }
    return d;
}

template <typename T>
Matrix<T> minor(const Matrix<T>& a, std::uint32_t row, std::uint32_t col) {
    const std::uint32_t n = a.getRowCount();
    Matrix<T> s(n - 1, n - 1);
    std::uint32_t placed = 0;
    for (std::uint32_t r = 1; r <= n; ++r) {
        for (std::uint32_t c = 1; c <= n; ++c) {
            if (r != row && c != col) {
                s.element(placed / (n - 1) + 1, placed % (n - 1) + 1) = a.element(r, c);
                ++placed;
            }
        }
    }
    return s;
}

template <typename T>
Matrix<T> adjugate(const Matrix<T>& a) {
    const std::uint32_t n = a.getRowCount();
    if (n != a.getColumnCount()) {
        throw MatrixException(MatrixError::NotSquare);
    }
    Matrix<T> k(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            const T d = determinant(minor(a, i, j));
            k.element(i, j) = (i + j) % 2 == 0 ? d : -d;
        }
    }
    Matrix<T> p(n, n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            p.element(j, i) = k.element(i, j);
        }
    }
    return p;
}

template <typename T>
Matrix<T> inverse(const Matrix<T>& a) {
    const T d = determinant(a);
    if (isZero(d)) {
        throw MatrixException(MatrixError::Singular);
    }
    Matrix<T> r = adjugate(a);
    const std::uint32_t n = a.getRowCount();
    for (std::uint32_t i = 1; i <= n; ++i) {
        for (std::uint32_t j = 1; j <= n; ++j) {
            r.element(i, j) = (ElementTraits<T>::one() / d) * r.element(i, j);
        }
    }
    return r;
}

template <typename T>
void eliminateForward(Matrix<T>& w, std::vector<T>& v) {
    const std::uint32_t n = w.getRowCount();
    for (std::uint32_t k = 1; k <= n; ++k) {
        for (std::uint32_t i = k + 1; i <= n; ++i) {
            if (isZero(w.element(k, k))) {
                bool found = false;
                for (std::uint32_t r = i; r <= n && !found; ++r) {
                    if (!isZero(w.element(r, k))) {
                        w.swapRows(k, r);
                        const T held = v[k - 1];
                        v[k - 1] = v[r - 1];
                        v[r - 1] = held;
                        found = true;
                    }
                }
                if (!found) {
                    continue;
                }
            }
            const T f = w.element(i, k) / w.element(k, k);
            v[i - 1] = v[i - 1] - v[k - 1] * f;
            for (std::uint32_t j = 1; j <= n; ++j) {
                w.element(i, j) = w.element(i, j) - w.element(k, j) * f;
            }
        }
    }
}

template <typename T>
bool isInconsistent(Matrix<T>& w, const std::vector<T>& v) {
    for (std::uint32_t i = 1; i <= w.getRowCount(); ++i) {
        bool allZero = true;
        for (std::uint32_t j = 1; j <= w.getColumnCount(); ++j) {
            allZero = allZero && isZero(w.element(i, j));
        }
        if (allZero && !isZero(v[i - 1])) {
            return true;
        }
    }
    return false;
}

template <typename T>
SolveResult solve(const Matrix<T>& a, const Matrix<T>& b, Matrix<T>& x) {
    const std::uint32_t n = a.getRowCount();
    Matrix<T> w(n, n);
    w = a;
    std::vector<T> v = b.getColumn(1);
    eliminateForward(w, v);
    T p = w.element(1, 1);
    for (std::uint32_t i = 2; i <= n && !isZero(p); ++i) {
        p = p * w.element(i, i);
    }
    if (isZero(p)) {
        return isInconsistent(w, v) ? SolveResult::NoSolution : SolveResult::InfinitelyManySolutions;
    }
    for (std::uint32_t r = n; r >= 1; --r) {
        v[r - 1] = v[r - 1] / w.element(r, r);
        w.element(r, r) = w.element(r, r) / w.element(r, r);
        for (std::uint32_t i = r - 1; i >= 1; --i) {
            w.element(i, r) = w.element(i, r) * v[r - 1];
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
