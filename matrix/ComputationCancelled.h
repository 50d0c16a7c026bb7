// ComputationCancelled: what a ComputationMonitor watcher throws to stop a long computation
// (Ctrl-C in the program, a time budget in the fuzz target). It leaves the operation as every
// other failure does, before the operands change.
#pragma once

#include <exception>

class ComputationCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "computation cancelled"; }
};
