// The main menu of single precision decimals, built in this unit only.
#include "app/MainMenus.h"
#include "app/menus/MainMenu.h"
#include "elements/FloatElement.h"

int runFloatMainMenu() {
    Matrix<float> matrix1;
    Matrix<float> matrix2;
    return runMainMenuLoop<float>(matrix1, matrix2);
}
