// ErrorDisplay: the two ways a failure is shown, a library error in light red on standard
// output, and a thrown text (or an unknown failure) in black on light red on standard error.
// Neither pauses; the caller does.
#pragma once

class MatrixException;

inline constexpr const char* unknownErrorText = "unbekannter Fehler";

void showMatrixException(const MatrixException& exception);
void showThrownText(const char* text);
