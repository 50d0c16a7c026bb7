// MainMenu: the main menu and the loop that runs it for one element type.
#pragma once

#include "app/menus/ErrorDisplay.h"
#include "app/menus/InputMenu.h"
#include "app/menus/Menu.h"
#include "app/menus/OperationMenus.h"
#include "app/menus/OutputMenu.h"
#include "app/menus/Screen.h"
#include "app/menus/SolverDialog.h"
#include "matrix/Matrix.h"

// The main menu's entry that ends the program; the one before it (6) changes the element type.
enum MainMenuExit { EndChoice = 7 };

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

// Runs the main menu until the user changes the element type or ends the program; returns
// that entry.
template <typename T>
int runMainMenuLoop(Matrix<T>& matrix1, Matrix<T>& matrix2) {
    return runMenuTable({"Hauptmenue: ",
                         {{"Eingabe", [&] { runGuarded([&] { runInputMenu(matrix1, matrix2); }); }},
                          {"Ausgabe", [&] { runGuarded([&] { runOutputMenu(matrix1, matrix2); }); }},
                          {"Arithmetic", [&] { runGuarded([&] { runArithmeticMenu(matrix1, matrix2); }); }},
                          {"Matrix-Operationen", [&] { runGuarded([&] { runOperationsMenu(matrix1, matrix2); }); }},
                          {"Gleichungsloeser", [] { runGuarded([] { runSolverDialog<T>(); }); }},
                          {"Datentyp der Matrizen aendern", nullptr},
                          {"Programm beenden", nullptr}},
                         true});
}
