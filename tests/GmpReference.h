// GmpReference: a fraction's exact value as GMP's rational, and the check that a result is that
// value in the form its size asks for, for the tests whose oracle is GMP or FLINT.
#pragma once

#include <gmpxx.h>
#include <gtest/gtest.h>

#include "number/Bruch.h"

inline mpq_class exact(const Bruch& value) {
    mpq_class result(value.exactZaehler(), value.exactNenner());
    result.canonicalize();
    return result;
}

// The exact value, reduced, in the 64-bit fields exactly when they hold it: what the screen shows
// depends on both.
inline ::testing::AssertionResult isExactly(const Bruch& result, const mpq_class& expected) {
    const bool fits = expected.get_num().fits_slong_p() && expected.get_den().fits_slong_p();
    if (exact(result) == expected && result.isWide() != fits && (!fits || result.getNenner() == expected.get_den())) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected " << expected.get_str() << (fits ? "" : " wide") << ", got "
                                         << exact(result).get_str() << (result.isWide() ? " wide" : "");
}
