// FastPathOutcome: what an element type's own method made of a whole operation (FastPaths.h).
#pragma once

enum class FastPathOutcome { Declined, Singular, Done };
