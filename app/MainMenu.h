// MainMenu: the main menu and the loop that runs it for one element type.
#pragma once

#include "app/ErrorDisplay.h"
#include "app/InputMenu.h"
#include "app/OperationMenus.h"
#include "app/OutputMenu.h"
#include "app/Screen.h"
#include "app/SolverDialog.h"
#include "matrix/Matrix.h"

enum MainMenuChoice {
    InputChoice = 1,
    OutputChoice = 2,
    ArithmeticChoice = 3,
    OperationsChoice = 4,
    SolverChoice = 5,
    ChangeTypeChoice = 6,
    EndChoice = 7,
};

// Shows the main menu, starting on its first entry; returns the chosen code 1 to 7.
int runMainMenu();

// Whatever a submenu or dialog did not handle itself is shown here, followed by the pause,
// and the main menu comes back: only "Programm beenden", end of input or a signal end the
// program.
template <typename Action>
void runGuarded(Action action) {
    try {
        action();
        return;
    } catch (...) {
        showCaughtFailure();
    }
    waitForKey();
}

// Runs the main menu until the user changes the element type (6) or ends the program (7).
template <typename T>
int runMainMenuLoop(Matrix<T>& matrix1, Matrix<T>& matrix2) {
    for (;;) {
        switch (runMainMenu()) {
        case InputChoice:
            runGuarded([&] { runInputMenu(matrix1, matrix2); });
            break;
        case OutputChoice:
            runGuarded([&] { runOutputMenu(matrix1, matrix2); });
            break;
        case ArithmeticChoice:
            runGuarded([&] { runArithmeticMenu<T>(matrix1, matrix2); });
            break;
        case OperationsChoice:
            runGuarded([&] { runOperationsMenu<T>(matrix1, matrix2); });
            break;
        case SolverChoice:
            runGuarded([&] { runSolverDialog<T>(); });
            break;
        case ChangeTypeChoice:
            return ChangeTypeChoice;
        default:
            return EndChoice;
        }
    }
}
