// SolveResult: how a system of linear equations came out.
#pragma once

#include <cstdint>

enum class SolveResult : std::uint16_t {
    NoSolution = 0,
    UniqueSolution = 1,
    InfinitelyManySolutions = 2,
};
