// MatrixException: the one error type of the matrix library, a code and its message.
#pragma once

#include <cstdint>
#include <cstring>

// The codes the library throws; each has exactly one message (see matrixErrorText).
enum class MatrixError : std::int32_t {
    SizeBelowOne = 100,
    IndexOutOfRange = 103,
    SizeMismatch = 104,
    ColumnOutOfRange = 106,
    ProductSizes = 200,
    VectorLengths = 201,
    SumSizes = 202,
    DifferenceSizes = 203,
    NotColumnVectors = 204,
    NotSquare = 300,
    Singular = 301,
    ConstantsNotColumn = 400,
    SolutionNotColumn = 401,
    ConstantsSolutionRows = 402,
    ConstantsEquationRows = 403,
};

class MatrixException {
public:
    static constexpr int textCapacity = 255;

    MatrixException(std::int32_t code, const char* message);
    explicit MatrixException(MatrixError code);
    MatrixException(const MatrixException&) = default;
    MatrixException& operator=(const MatrixException&) = default;
    virtual ~MatrixException() = default;

    std::int32_t code;
    char text[textCapacity];
};

// The message of a code, exactly as the user sees it.
inline const char* matrixErrorText(MatrixError code) {
    switch (code) {
    case MatrixError::SizeBelowOne:
        return "Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.";
    case MatrixError::IndexOutOfRange:
        return "Zeilen- und/oder Spaltenangabe lag ausserhalb des Definitionsbereiches der Matrix.";
    case MatrixError::SizeMismatch:
        return "Die Zeilen- und Spaltenanzahl der Matrizen stimmen nicht ueberein.";
    case MatrixError::ColumnOutOfRange:
        return "Die Spaltenangabe lag ausserhalb des Definitionsbereiches der Matrix.";
    case MatrixError::ProductSizes:
        return "Die Spaltenanzahl der Matrix 1 stimmt nicht mit der Zeilenanzahl der Matrix 2 ueberein.";
    case MatrixError::VectorLengths:
        return "Bei den Spaltenvektoren liegt keine gleiche Anzahl an Zeilen vor, daher kann das "
               "Vektorprodukt nicht gebildet werden.";
    case MatrixError::SumSizes:
        return "Die beiden zu addierenden Matrizen stimmen nicht in der Anzahl der Zeilen und Spalten "
               "ueberein.";
    case MatrixError::DifferenceSizes:
        return "Die beiden zu subtrahierenden Matrizen stimmen nicht in der Anzahl der Zeilen und "
               "Spalten ueberein.";
    case MatrixError::NotColumnVectors:
        return "Es wurde versucht ein Vektorprodukt zu berechnen, obwohl keine Spaltenvektoren "
               "vorlagen.";
    case MatrixError::NotSquare:
        return "Es liegt keine quadratische Matrix vor.";
    case MatrixError::Singular:
        return "Zu dieser Matrix gibt es keine Inverse (Determinante = 0).";
    case MatrixError::ConstantsNotColumn:
        return "Die Matrix mit den absoluten Gliedern ist kein Spaltenvektor.";
    case MatrixError::SolutionNotColumn:
        return "Die Ergebnismatrix ist kein Spaltenvektor.";
    case MatrixError::ConstantsSolutionRows:
        return "Die Anzahl absoluter Glieder stimmt nicht mit der Zeilenanzahl des Loesungsvektors "
               "ueberein.";
    case MatrixError::ConstantsEquationRows:
        return "Die Anzahl der absoluten Glieder stimmt nicht mit der Anzahl Gleichungen in der "
               "Koeffizientenmatrix ueberein.";
    }
    return "";
}

inline MatrixException::MatrixException(std::int32_t errorCode, const char* message) : code(errorCode), text{} {
    // Every message of the library fits; a longer one is cut rather than overrun the field.
    std::strncpy(text, message, textCapacity - 1);
    text[textCapacity - 1] = '\0';
}

inline MatrixException::MatrixException(MatrixError errorCode)
    : MatrixException(static_cast<std::int32_t>(errorCode), matrixErrorText(errorCode)) {}
