// FloatElement: single-precision decimals as matrix elements, read and written in the stream's
// default format.
#pragma once

#include "elements/InputErrorText.h"

template <>
inline const char* inputErrorText<float>() {
    return decimalInputErrorText;
}
