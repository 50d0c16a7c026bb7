// CommandLine: the options read before the first menu, --help and --version, as command-line
// users expect of every program, and the number of threads the computations may use (--threads
// N, or the environment variable TAVOLENT_THREADS). Anything else is refused the way GNU tools
// refuse it.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>

// Exit status for an argument the program does not know.
inline constexpr int usageErrorStatus = 2;

// Handles the arguments after the program name: --help and --version write to `out`, anything
// else writes one line to `err`. Returns the status to exit with, or nothing when the calculator
// is to start (no arguments, or --threads N), with the worker pool set to the threads allowed.
std::optional<int> handleCommandLine(std::span<const char* const> arguments, std::ostream& out, std::ostream& err);
