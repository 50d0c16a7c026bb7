// ErrorDisplay: the two ways a failure is shown, a library error in light red on standard
// output, and a thrown text (or an unknown failure) in black on light red on standard error.
// Neither pauses; the caller does.
#pragma once

class MatrixException;

inline constexpr const char* unknownErrorText = "unbekannter Fehler";
inline constexpr const char* cancelledText = "Berechnung abgebrochen";
inline constexpr const char* outOfMemoryText = "Nicht genug Arbeitsspeicher fuer diese Operation.";

void showMatrixException(const MatrixException& exception);
void showThrownText(const char* text);

// Inside a catch (...) block: shows the failure being handled by its kind, a MatrixException,
// a thrown text, a cancelled computation, storage that could not be had, or anything else as
// "unbekannter Fehler". The end of input is no failure to show and passes on.
void showCaughtFailure();
