// Text forms of a fraction: written as 0, as a whole number or as zaehler/nenner, fields as
// stored; read as typed, "zaehler/nenner", and kept unreduced.
#pragma once

#include <iosfwd>

class Bruch;

std::ostream& operator<<(std::ostream& out, const Bruch& value);
std::istream& operator>>(std::istream& in, Bruch& value);
