// InputMenu: where the user sets the sizes of Matrix 1 and Matrix 2 and types their values.
#pragma once

#include <cstdint>
#include <iostream>
#include <string>

#include "app/menus/InputDialogs.h"
#include "app/menus/Menu.h"
#include "matrix/Matrix.h"

template <typename T>
void runInputMenu(Matrix<T>& matrix1, Matrix<T>& matrix2) {
    runMenuTable({"Eingabe - Menue: ",
                  {{"Groesze der Matrix 1 anpassen", [&] { runSizeDialog(matrix1); }},
                   {"Groesze der Matrix 2 anpassen", [&] { runSizeDialog(matrix2); }},
                   {"Werte der Matrix 1 eingeben", [&] { runValueEntryDialog(matrix1, valueRequestLine); }},
                   {"Werte der Matrix 2 eingeben", [&] { runValueEntryDialog(matrix2, valueRequestLine); }},
                   {"Zurueck zum Hauptmenue", nullptr}}});
}
