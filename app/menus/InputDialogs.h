// InputDialogs: the two dialogs that fill a matrix, the size dialog and the value entry, used
// by the input menu and the equation solver.
#pragma once

#include <cstdint>
#include <iostream>
#include <new>
#include <string>

#include "app/menus/ErrorDisplay.h"
#include "app/menus/Screen.h"
#include "app/menus/TypedInput.h"
#include "matrix/Matrix.h"

inline constexpr const char* valueRequestLine = "Bitte geben Sie die Werte der Matrixelemente ein. ";

// Reads a row count and a column count and resizes the matrix; a refused size is shown,
// followed by the pause, and the matrix keeps its old size and values.
template <typename T>
void runSizeDialog(Matrix<T>& matrix) {
    beginScreen();
    std::cout << std::endl << "Geben Sie bitte folgende Daten ein:" << std::endl << std::endl;
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    readTypedValue(rows, "Anzahl der Zeilen = ");
    readTypedValue(columns, "Anzahl der Spalten = ");
    try {
        if (rows < 0 || columns < 0) {
            throw MatrixException(MatrixError::SizeBelowOne);
        }
        matrix.setSize(static_cast<std::uint32_t>(rows), static_cast<std::uint32_t>(columns));
    } catch (const MatrixException& exception) {
        showMatrixException(exception);
        waitForKey();
    } catch (const std::bad_alloc&) {
        showThrownText(outOfMemoryText);
        waitForKey();
    }
}

// Asks for every element, row by row, and reads each straight into the matrix. The request line
// is the dialog's own copy, as its callers are promised.
template <typename T>
void runValueEntryDialog(Matrix<T>& matrix, std::string requestLine) {  // NOLINT(performance-unnecessary-value-param)
    beginScreen();
    std::cout << "Brueche sind in der Form 1/2 einzugeben, " << std::endl
              << "also Zaehler und Nenner durch einen Schraegstrich getrennt." << std::endl
              << std::endl
              << "Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. " << std::endl
              << "Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und " << std::endl
              << "das Ganze muss in Klammern eingeschlossen werden." << std::endl
              << std::endl
              << requestLine << std::endl
              << std::endl;
    const std::uint32_t rowCount = matrix.getRowCount();
    const std::uint32_t columnCount = matrix.getColumnCount();
    for (std::uint32_t i = 1; i <= rowCount; ++i) {
        const std::string row = "Zeile " + std::to_string(i) + " , Spalte ";
        for (std::uint32_t j = 1; j <= columnCount; ++j) {
            readTypedValue(matrix.element(i, j), row + std::to_string(j) + " = ");
        }
    }
}
