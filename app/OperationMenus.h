// OperationMenus: the arithmetic menu (sum, difference, product) and the matrix-operations
// menu (determinant, adjugate, inverse). Each result is shown on a screen of its own; every
// failure is caught here, shown, and the menu comes back with the same entry highlighted.
#pragma once

#include <iostream>
#include <new>

#include "app/ComputationWatch.h"
#include "app/ErrorDisplay.h"
#include "app/MatrixTable.h"
#include "app/Menu.h"
#include "app/Screen.h"
#include "matrix/Matrix.h"

namespace operation_menus_detail {

// A matrix ends with its last row's line end, so two more leave two empty lines; a single
// value gets its line end and one empty line.
template <typename Result>
void showResult(const Result& result) {
    std::cout << std::endl << "Ergebnis: " << std::endl << std::endl;
    std::cout << result << std::endl << std::endl;
}

// Runs one entry: clears the screen, computes and shows the result; a failure shows no
// "Ergebnis: " line, only the error. The pause follows in every case.
template <typename Compute>
void runResultScreen(Compute compute) {
    beginScreen();
    try {
        showResult(watched(compute));
    } catch (...) {
        showCaughtFailure();
    }
    waitForKey();
}

}  // namespace operation_menus_detail

template <typename T>
void runArithmeticMenu(Matrix<T>& matrix1, Matrix<T>& matrix2) {
    using operation_menus_detail::runResultScreen;
    const MenuText menu{
        "Arithmetic - Menue: ",
        {"Matrix 1 + Matrix 2", "Matrix 1 - Matrix 2", "Matrix 1 * Matrix 2", "Zurueck zum Hauptmenue"}};
    const Matrix<T>& left = matrix1;
    const Matrix<T>& right = matrix2;
    int selection = 1;
    for (;;) {
        switch (runMenu(menu, selection)) {
        case 1:
            runResultScreen([&] { return left.add(right); });
            break;
        case 2:
            runResultScreen([&] { return left.subtract(right); });
            break;
        case 3:
            runResultScreen([&] { return left.multiply(right); });
            break;
        default:
            return;
        }
    }
}

template <typename T>
void runOperationsMenu(Matrix<T>& matrix1, Matrix<T>& matrix2) {
    using operation_menus_detail::runResultScreen;
    const MenuText menu{"Matrix - Operationen - Menue: ",
                        {"Determinante Matrix 1", "Determinante Matrix 2", "Adjunkte Matrix 1", "Adjunkte Matrix 2",
                         "Inverse Matrix 1", "Inverse Matrix 2", "Zurueck zum Hauptmenue"}};
    const Matrix<T>& first = matrix1;
    const Matrix<T>& second = matrix2;
    int selection = 1;
    for (;;) {
        switch (runMenu(menu, selection)) {
        case 1:
            runResultScreen([&] { return first.determinant(); });
            break;
        case 2:
            runResultScreen([&] { return second.determinant(); });
            break;
        case 3:
            runResultScreen([&] { return first.adjugate(); });
            break;
        case 4:
            runResultScreen([&] { return second.adjugate(); });
            break;
        case 5:
            runResultScreen([&] { return first.inverse(); });
            break;
        case 6:
            runResultScreen([&] { return second.inverse(); });
            break;
        default:
            return;
        }
    }
}
