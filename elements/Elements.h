// Elements: the four element types the calculator offers, each plugged into the matrix templates.
#pragma once

#include "elements/BruchElement.h"
#include "elements/ComplexElement.h"
#include "elements/DoubleElement.h"
#include "elements/FloatElement.h"
