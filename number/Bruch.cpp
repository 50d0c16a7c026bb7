#include "number/Bruch.h"
