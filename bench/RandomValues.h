// RandomValues: the benches' matrices of doubles, uniform in [-1, 1) and the same for a seed on
// every run, so that a bench and its peer work on the same numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

inline std::vector<double> randomValues(std::size_t count, std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> values(count);
    for (double& v : values) {
        v = value(engine);
    }
    return values;
}
