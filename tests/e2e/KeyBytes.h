// KeyBytes: what a terminal sends for the keys that the end-to-end tests press.
#pragma once

#include <string>

inline const std::string up = "\x1b[A";
inline const std::string down = "\x1b[B";
inline const std::string escape = "\x1b";
