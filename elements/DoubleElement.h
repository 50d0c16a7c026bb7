// DoubleElement: double-precision decimals as matrix elements, read and written in the
// stream's default format.
#pragma once

#include "elements/InputErrorText.h"

template <>
inline const char* inputErrorText<double>() {
    return decimalInputErrorText;
}
