// Interleaved: the command-line set-up of a bench whose ratios must hold on a shared machine,
// whose speed drifts from one second to the next (one core may run at two thirds of its speed
// for a while). Benchmarks that repeat then run each repetition at a random place among the
// others, so that a slow stretch falls on the peers alike and the medians stay fair.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// benchmark::Initialize with random interleaving switched on; a flag on the command line, which
// comes after it, still decides.
inline void initializeInterleaved(int argc, char** argv) {
    static std::string interleaved = "--benchmark_enable_random_interleaving=true";
    static std::vector<char*> arguments;
    arguments.assign(argv, argv + argc);
    arguments.insert(arguments.begin() + 1, interleaved.data());
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
}
