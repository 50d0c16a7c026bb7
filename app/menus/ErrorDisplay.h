// ErrorDisplay: the two ways a failure is shown, a library error in light red on standard
// output, and a thrown text (or an unknown failure) in black on light red on standard error.
// Neither pauses; the caller does.
#pragma once

class MatrixException;

inline constexpr const char* unknownErrorText = "unbekannter Fehler";

void showMatrixException(const MatrixException& exception);
void showThrownText(const char* text);

// Inside a catch (...) block: shows the failure being handled by its kind, a MatrixException,
// a thrown text, or anything else as "unbekannter Fehler". The end of input is no failure to
// show and passes on.
void showCaughtFailure();
