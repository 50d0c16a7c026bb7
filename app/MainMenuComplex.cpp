// The main menu of complex numbers, built in this unit only.
#include <complex>

#include "app/MainMenus.h"
#include "app/menus/MainMenu.h"
#include "elements/ComplexElement.h"

int runComplexMainMenu() {
    Matrix<std::complex<double>> matrix1;
    Matrix<std::complex<double>> matrix2;
    return runMainMenuLoop<std::complex<double>>(matrix1, matrix2);
}
