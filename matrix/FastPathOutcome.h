// FastPathOutcome: the operations an element type may take over with a method of its own, and
// what that method made of one (FastPaths.h).
#pragma once

enum class FastOperation { Determinant, Inverse, Adjugate, Solve };

enum class FastPathOutcome { Declined, Singular, Done };
