// MatrixTable: a matrix written as a table of values, one line per row, every element
// followed by a tab.
#pragma once

#include <complex>
#include <ostream>

#include "elements/Elements.h"
#include "matrix/MatrixVector.h"

template <typename T>
std::ostream& operator<<(std::ostream& out, const MatrixVector<T>& matrix) {
    for (std::uint32_t i = 1; i <= matrix.getRowCount(); ++i) {
        for (std::uint32_t j = 1; j <= matrix.getColumnCount(); ++j) {
            out << matrix.element(i, j) << '\t';
        }
        out << std::endl;
    }
    return out;
}
