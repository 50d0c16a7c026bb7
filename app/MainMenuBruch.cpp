// The main menu of exact fractions, built in this unit only.
#include "app/MainMenus.h"
#include "app/menus/MainMenu.h"
#include "elements/BruchElement.h"

int runBruchMainMenu() {
    Matrix<Bruch> matrix1;
    Matrix<Bruch> matrix2;
    return runMainMenuLoop<Bruch>(matrix1, matrix2);
}
