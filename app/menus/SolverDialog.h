// SolverDialog: asks for n, an n x n coefficient matrix and n absolute terms, solves the
// system and shows the solution or that there is none or infinitely many.
#pragma once

#include <cstdint>
#include <iostream>
#include <limits>

#include "app/menus/ComputationWatch.h"
#include "app/menus/ErrorDisplay.h"
#include "app/menus/InputDialogs.h"
#include "app/menus/ResultText.h"
#include "app/menus/Screen.h"
#include "app/menus/TypedInput.h"
#include "matrix/Matrix.h"
#include "memory/StorageRefused.h"

namespace solver_dialog_detail {

// The count is read wider than any size, so that none wraps around: below 1 is refused as a
// matrix refuses 0, past the largest size as storage that cannot be had.
inline std::uint32_t equationCount(std::int64_t typed) {
    if (typed < 1) {
        throw MatrixException(MatrixError::SizeBelowOne);
    }
    if (typed > std::numeric_limits<std::uint32_t>::max()) {
        throw StorageRefused();
    }
    return static_cast<std::uint32_t>(typed);
}

template <typename T>
void writeOutcome(std::ostream& out, SolveResult outcome, const Matrix<T>& x) {
    switch (outcome) {
    case SolveResult::NoSolution:
        out << "Das Gleichungssystem hat keine Loesung." << std::endl << std::endl;
        break;
    case SolveResult::InfinitelyManySolutions:
        out << "Das Gleichungssystem hat unendlich viele Loesungen." << std::endl << std::endl;
        break;
    case SolveResult::UniqueSolution:
        for (std::uint32_t i = 1; i <= x.getRowCount(); ++i) {
            out << "x" << i << " = " << x.element(i, 1) << std::endl;
        }
        out << std::endl;
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
    const char* const heading = "\nErgebnis: \n\n";
    try {
        const SolveResult outcome = watched([&] { return a.solve(b, x); });
        // Made whole before it is written: a refusal of its storage shows no part of it.
        ResultText text;
        text << heading;
        writeOutcome(text, outcome, x);
        std::cout << text.take() << std::flush;
    } catch (const MatrixException& exception) {
        std::cout << heading;
        showMatrixException(exception);
    }
}

}  // namespace solver_dialog_detail

template <typename T>
void runSolverDialog() {
    beginScreen();
    std::cout << std::endl << "Gleichungsloeser:" << std::endl;
    std::int64_t n = 0;
    readTypedValue(n, "\nAnzahl der Koeffizienten: ");
    try {
        solver_dialog_detail::solveSystemOfSize<T>(solver_dialog_detail::equationCount(n));
    } catch (...) {
        showCaughtFailure();
    }
    waitForKey();
}
