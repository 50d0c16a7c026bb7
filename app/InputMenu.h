// InputMenu: where the user sets the sizes of Matrix 1 and Matrix 2 and types their values.
#pragma once

#include <cstdint>
#include <iostream>
#include <string>

#include "app/InputDialogs.h"
#include "app/Menu.h"
#include "matrix/Matrix.h"

template <typename T>
void runInputMenu(Matrix<T>& matrix1, Matrix<T>& matrix2) {
    const MenuText menu{"Eingabe - Menue: ",
                        {"Groesze der Matrix 1 anpassen", "Groesze der Matrix 2 anpassen",
                         "Werte der Matrix 1 eingeben", "Werte der Matrix 2 eingeben", "Zurueck zum Hauptmenue"}};
    int selection = 1;
    for (;;) {
        switch (runMenu(menu, selection)) {
        case 1:
            runSizeDialog(matrix1);
            break;
        case 2:
            runSizeDialog(matrix2);
            break;
        case 3:
            runValueEntryDialog(matrix1, valueRequestLine);
            break;
        case 4:
            runValueEntryDialog(matrix2, valueRequestLine);
            break;
        default:
            return;
        }
    }
}
