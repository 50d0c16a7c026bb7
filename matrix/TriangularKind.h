// TriangularKind: how a matrix is triangular, if at all.
#pragma once

enum class TriangularKind { None = 0, Upper = 1, Lower = 2, Diagonal = 3 };
