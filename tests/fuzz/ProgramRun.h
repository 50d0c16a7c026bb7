// ProgramRun: the whole calculator run in this process on bytes given as its standard input,
// its output thrown away, with little memory and 200 ms of computing, past which computations
// are cancelled as if Ctrl-C had been pressed. Used by the fuzz target and the corpus replay.
#pragma once

#include <chrono>
#include <iostream>
#include <sstream>
#include <string>

#include "MemoryLeft.h"
#include "app/Program.h"
#include "app/terminal/Terminal.h"
#include "matrix/ComputationCancelled.h"
#include "matrix/ComputationMonitor.h"

namespace program_run {

inline std::chrono::steady_clock::time_point deadline;

// Returns the exit status: 0 after "Programm beenden", 1 at the end of input.
inline int runOn(const std::string& input) {
    std::istringstream in(input);
    std::ostringstream discard;
    std::streambuf* const saved[] = {std::cin.rdbuf(in.rdbuf()), std::cout.rdbuf(discard.rdbuf()),
                                     std::cerr.rdbuf(discard.rdbuf())};
    terminal::startWithStreams(std::cin, false);
    const MemoryLeft memory(1 << 20);
    deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    ComputationMonitor::setWatcher([](double) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw ComputationCancelled();
        }
    });
    int status = 1;
    try {
        status = runCalculator();
    } catch (const terminal::InputEnded&) {
    }
    ComputationMonitor::setWatcher(nullptr);
    std::cin.rdbuf(saved[0]);
    std::cout.rdbuf(saved[1]);
    std::cerr.rdbuf(saved[2]);
    std::cin.clear();
    return status;
}

}  // namespace program_run
