// SolverDialog: asks for n, an n x n coefficient matrix and n absolute terms, solves the
// system and shows the solution or that there is none or infinitely many.
#pragma once

#include <cstdint>
#include <iostream>

#include "app/menus/ComputationWatch.h"
#include "app/menus/ErrorDisplay.h"
#include "app/menus/InputDialogs.h"
#include "app/menus/Screen.h"
#include "app/menus/TypedInput.h"
#include "matrix/Matrix.h"

namespace solver_dialog_detail {

template <typename T>
void showOutcome(SolveResult outcome, const Matrix<T>& x) {
    switch (outcome) {
    case SolveResult::NoSolution:
        std::cout << "Das Gleichungssystem hat keine Loesung." << std::endl << std::endl;
        break;
    case SolveResult::InfinitelyManySolutions:
        std::cout << "Das Gleichungssystem hat unendlich viele Loesungen." << std::endl << std::endl;
        break;
    case SolveResult::UniqueSolution:
        for (std::uint32_t i = 1; i <= x.getRowCount(); ++i) {
            std::cout << "x" << i << " = " << x.element(i, 1) << std::endl;
        }
        std::cout << std::endl;
        break;
    }
}

// Everything after the count: the three matrices, the two entry screens and the result.
template <typename T>
void solveSystemOfSize(std::uint32_t n) {
    Matrix<T> a(n, n);
    Matrix<T> b(n, 1);
    Matrix<T> x(n, 1);
    runValueEntryDialog(a, "Geben Sie bitte die Koeffizientenmatrix ein: ");
    runValueEntryDialog(b, "Geben Sie bitte den Spaltenvektor der absoluten Glieder ein: ");
    beginScreen();
    std::cout << std::endl << "Ergebnis: " << std::endl << std::endl;
    try {
        showOutcome(watched([&] { return a.solve(b, x); }), x);
    } catch (const MatrixException& exception) {
        showMatrixException(exception);
    }
}

}  // namespace solver_dialog_detail

template <typename T>
void runSolverDialog() {
    beginScreen();
    std::cout << std::endl << "Gleichungsloeser:" << std::endl;
    std::uint32_t n = 0;
    readTypedValue(n, "\nAnzahl der Koeffizienten: ");
    try {
        solver_dialog_detail::solveSystemOfSize<T>(n);
    } catch (...) {
        // A count of 0 is refused by the construction of the coefficient matrix (code 100).
        showCaughtFailure();
    }
    waitForKey();
}
