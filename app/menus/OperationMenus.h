// OperationMenus: the arithmetic menu (sum, difference, product) and the matrix-operations
// menu (determinant, adjugate, inverse). Each result is shown on a screen of its own; every
// failure is caught here, shown, and the menu comes back with the same entry highlighted.
#pragma once

#include <iostream>
#include <new>

#include "app/menus/ComputationWatch.h"
#include "app/menus/ErrorDisplay.h"
#include "app/menus/MatrixTable.h"
#include "app/menus/Menu.h"
#include "app/menus/ResultText.h"
#include "app/menus/Screen.h"
#include "matrix/Matrix.h"

namespace operation_menus_detail {

// A matrix ends with its last row's line end, so two more leave two empty lines; a single
// value gets its line end and one empty line. The text is made whole before it is written, so
// that a refusal of its storage shows no part of it.
template <typename Result>
void showResult(const Result& result) {
    ResultText text;
    text << std::endl << "Ergebnis: " << std::endl << std::endl << result << std::endl << std::endl;
    std::cout << text.take() << std::flush;
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
void runArithmeticMenu(const Matrix<T>& matrix1, const Matrix<T>& matrix2) {
    using operation_menus_detail::runResultScreen;
    runMenuTable({"Arithmetic - Menue: ",
                  {{"Matrix 1 + Matrix 2", [&] { runResultScreen([&] { return matrix1.add(matrix2); }); }},
                   {"Matrix 1 - Matrix 2", [&] { runResultScreen([&] { return matrix1.subtract(matrix2); }); }},
                   {"Matrix 1 * Matrix 2", [&] { runResultScreen([&] { return matrix1.multiply(matrix2); }); }},
                   {"Zurueck zum Hauptmenue", nullptr}}});
}

template <typename T>
void runOperationsMenu(const Matrix<T>& matrix1, const Matrix<T>& matrix2) {
    using operation_menus_detail::runResultScreen;
    runMenuTable({"Matrix - Operationen - Menue: ",
                  {{"Determinante Matrix 1", [&] { runResultScreen([&] { return matrix1.determinant(); }); }},
                   {"Determinante Matrix 2", [&] { runResultScreen([&] { return matrix2.determinant(); }); }},
                   {"Adjunkte Matrix 1", [&] { runResultScreen([&] { return matrix1.adjugate(); }); }},
                   {"Adjunkte Matrix 2", [&] { runResultScreen([&] { return matrix2.adjugate(); }); }},
                   {"Inverse Matrix 1", [&] { runResultScreen([&] { return matrix1.inverse(); }); }},
                   {"Inverse Matrix 2", [&] { runResultScreen([&] { return matrix2.inverse(); }); }},
                   {"Zurueck zum Hauptmenue", nullptr}}});
}
