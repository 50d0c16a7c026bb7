// ComputationWatch: while one computation of a menu runs, shows how far it is on the terminal
// after half a second and lets Ctrl-C cancel it (the computation throws ComputationCancelled,
// which the menu shows like any failure).
#pragma once

class ComputationWatch {
public:
    ComputationWatch();
    ~ComputationWatch();
    ComputationWatch(const ComputationWatch&) = delete;
    ComputationWatch& operator=(const ComputationWatch&) = delete;
};

// Runs `compute` under a watch and hands back its result.
template <typename Compute>
auto watched(Compute compute) {
    const ComputationWatch watch;
    return compute();
}
