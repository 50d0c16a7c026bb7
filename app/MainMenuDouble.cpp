// The main menu of double precision decimals, built in this unit only.
#include "app/MainMenus.h"
#include "app/menus/MainMenu.h"
#include "elements/DoubleElement.h"

int runDoubleMainMenu() {
    Matrix<double> matrix1;
    Matrix<double> matrix2;
    return runMainMenuLoop<double>(matrix1, matrix2);
}
