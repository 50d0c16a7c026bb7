// ProgramRun: the whole calculator run in this process on bytes given as its standard input,
// its output (both streams) kept in a string, with little memory and 2000 progress reports of computing (a pivot
// row, a minor, a result row each), past which computations are cancelled as if Ctrl-C had
// been pressed: a count, not a clock, so that a run does the same on a loaded machine. Used by
// the fuzz target and the corpus replay.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

#include "MemoryLeft.h"
#include "app/Program.h"
#include "app/terminal/Terminal.h"
#include "matrix/ComputationCancelled.h"
#include "matrix/ComputationMonitor.h"
#include "number/BigNumberMemory.h"

namespace program_run {

inline int progressReportsLeft = 0;

// Returns the exit status (0 after "Programm beenden", 1 at the end of input); `output`, if
// given, receives what the program wrote.
inline int runOn(const std::string& input, std::string* output = nullptr) {
    std::istringstream in(input);
    std::ostringstream written;
    std::streambuf* const saved[] = {std::cin.rdbuf(in.rdbuf()), std::cout.rdbuf(written.rdbuf()),
                                     std::cerr.rdbuf(written.rdbuf())};
    terminal::startWithStreams(std::cin, false);
    // Once, as the program does at its start.
    [[maybe_unused]] static const bool allocationSetUp = (bignumber::setUpAllocation(nullptr), true);
    const MemoryLeft memory(1 << 20);
    progressReportsLeft = 2000;
    ComputationMonitor::setWatcher([](double) {
        if (--progressReportsLeft < 0) {
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
    if (output != nullptr) {
        *output = written.str();
    }
    return status;
}

}  // namespace program_run
