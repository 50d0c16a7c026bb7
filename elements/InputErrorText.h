// InputErrorText: the text a dialog shows when a typed value of type T cannot be read. Each
// element type's header gives its own; a type without one does not link.
#pragma once

template <typename T>
const char* inputErrorText();

// Shared by both decimal types.
inline constexpr const char* decimalInputErrorText = "Eingabefehler (Dezimalzahl)";
