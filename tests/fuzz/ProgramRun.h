// ProgramRun: the whole calculator run in this process on bytes given as its standard input,
// with its output thrown away. Used by the fuzz target and by the test that replays the
// inputs that once found faults.
#pragma once

#include <chrono>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "app/Program.h"
#include "app/Terminal.h"
#include "matrix/ComputationMonitor.h"
#include "matrix/StorageLimit.h"

namespace program_run {

class NullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

inline std::chrono::steady_clock::time_point& deadline() {
    static std::chrono::steady_clock::time_point when;
    return when;
}

// Every input gets a small budget of computing time and memory, so that a typed size of a
// few hundred and an adjugate cannot stall a run; past it, computations are cancelled as if
// Ctrl-C had been pressed.
inline void limitComputingTime(double) {
    if (std::chrono::steady_clock::now() > deadline()) {
        throw "Berechnung abgebrochen";
    }
}

// Runs the calculator on `input`; returns its exit status (0 after "Programm beenden", 1 at
// the end of input).
inline int runOn(const std::string& input) {
    std::istringstream in(input);
    NullBuffer discard;
    std::streambuf* const savedIn = std::cin.rdbuf(in.rdbuf());
    std::streambuf* const savedOut = std::cout.rdbuf(&discard);
    std::streambuf* const savedErr = std::cerr.rdbuf(&discard);
    std::cin.clear();
    terminal::startWithStreams(std::cin, false);
    StorageLimit::setLimitForTesting(1 << 20);
    deadline() = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    ComputationMonitor::setWatcher(limitComputingTime);
    int status = 1;
    try {
        status = runCalculator();
    } catch (const terminal::InputEnded&) {
        status = 1;
    }
    ComputationMonitor::setWatcher(nullptr);
    StorageLimit::setLimitForTesting(0);
    std::cin.rdbuf(savedIn);
    std::cout.rdbuf(savedOut);
    std::cerr.rdbuf(savedErr);
    std::cin.clear();
    return status;
}

}  // namespace program_run
