// SilentArithmetic: whether an element type's arithmetic has no effect besides its result.
//
// Floating-point and complex operations neither throw nor touch anything else, so work whose
// results are never read can be left out without anyone noticing. Exact types that may throw
// (Bruch refuses numbers that outgrow the memory) must carry out every operation, because any of
// them may be the one that throws.
#pragma once

#include <complex>
#include <type_traits>

template <typename T>
inline constexpr bool hasSilentArithmetic = std::is_floating_point_v<T>;

template <typename U>
inline constexpr bool hasSilentArithmetic<std::complex<U>> = std::is_floating_point_v<U>;
