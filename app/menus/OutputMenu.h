// OutputMenu: shows Matrix 1 or Matrix 2 with its size, its properties and its values.
#pragma once

#include <iostream>

#include "app/menus/MatrixTable.h"
#include "app/menus/Menu.h"
#include "app/menus/ResultText.h"
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
    // Made whole before it is written, as a result is: a matrix too large to write out is
    // refused on a screen that shows no part of it.
    ResultText text;
    text << std::endl << "Eigenschaften der Matrix:" << std::endl << std::endl;
    text << "Zeilen:" << matrix.getRowCount() << std::endl;
    text << "Spalten: " << matrix.getColumnCount() << std::endl;
    text << "quadratische Matrix: " << yesNo(matrix.isSquare()) << std::endl;
    text << "Nullmatrix: " << yesNo(matrix.isZeroMatrix()) << std::endl;
    text << "Einheitsmatrix: " << yesNo(matrix.isIdentityMatrix()) << std::endl;
    text << "Skalarmatrix: " << yesNo(matrix.isScalarMatrix()) << std::endl;
    text << "Dreiecksmatrix: " << triangularKindText(matrix.triangularKind()) << std::endl;
    text << "Spaltenvektor: " << yesNo(matrix.isColumnVector()) << std::endl;
    text << "Zeilenvektor: " << yesNo(matrix.isRowVector()) << std::endl;
    text << std::endl << "Werte der Matrix: " << std::endl << std::endl;
    text << static_cast<const MatrixVector<T>&>(matrix) << std::endl;
    std::cout << text.take() << std::flush;
    waitForKey();
}

template <typename T>
void runOutputMenu(const Matrix<T>& matrix1, const Matrix<T>& matrix2) {
    runMenuTable({"Ausgabe - Menue: ",
                  {{"Matrix 1 ausgeben", [&] { showMatrix(matrix1); }},
                   {"Matrix 2 ausgeben", [&] { showMatrix(matrix2); }},
                   {"Zurueck zum Hauptmenue", nullptr}}});
}
