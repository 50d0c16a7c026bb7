// OutputMenu: shows Matrix 1 or Matrix 2 with its size, its properties and its values.
#pragma once

#include <iostream>

#include "app/menus/MatrixTable.h"
#include "app/menus/Menu.h"
#include "app/menus/Screen.h"
#include "matrix/Matrix.h"

inline const char* yesNo(bool answer) {
    return answer ? "Ja" : "Nein";
}

inline const char* triangularKindText(TriangularKind kind) {
    switch (kind) {
    case TriangularKind::Diagonal:
        return "Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix)";
    case TriangularKind::Upper:
        return "obere";
    case TriangularKind::Lower:
        return "untere";
    default:
        return "keine";
    }
}

template <typename T>
void showMatrix(const Matrix<T>& matrix) {
    beginScreen();
    std::cout << std::endl << "Eigenschaften der Matrix:" << std::endl << std::endl;
    std::cout << "Zeilen:" << matrix.getRowCount() << std::endl;
    std::cout << "Spalten: " << matrix.getColumnCount() << std::endl;
    std::cout << "quadratische Matrix: " << yesNo(matrix.isSquare()) << std::endl;
    std::cout << "Nullmatrix: " << yesNo(matrix.isZeroMatrix()) << std::endl;
    std::cout << "Einheitsmatrix: " << yesNo(matrix.isIdentityMatrix()) << std::endl;
    std::cout << "Skalarmatrix: " << yesNo(matrix.isScalarMatrix()) << std::endl;
    std::cout << "Dreiecksmatrix: " << triangularKindText(matrix.triangularKind()) << std::endl;
    std::cout << "Spaltenvektor: " << yesNo(matrix.isColumnVector()) << std::endl;
    std::cout << "Zeilenvektor: " << yesNo(matrix.isRowVector()) << std::endl;
    std::cout << std::endl << "Werte der Matrix: " << std::endl << std::endl;
    std::cout << static_cast<const MatrixVector<T>&>(matrix) << std::endl;
    waitForKey();
}

template <typename T>
void runOutputMenu(const Matrix<T>& matrix1, const Matrix<T>& matrix2) {
    runMenuTable({"Ausgabe - Menue: ",
                  {{"Matrix 1 ausgeben", [&] { showMatrix(matrix1); }},
                   {"Matrix 2 ausgeben", [&] { showMatrix(matrix2); }},
                   {"Zurueck zum Hauptmenue", nullptr}}});
}
