// CommandLine: the options read before the first menu, --help and --version, as command-line
// users expect of every program. Anything else is refused the way GNU tools refuse it.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>

// Exit status for an argument the program does not know.
inline constexpr int usageErrorStatus = 2;

// Handles the arguments after the program name: --help and --version write to `out`, anything
// else writes one line to `err`. Returns the status to exit with, or nothing when there are no
// arguments and the calculator is to start.
std::optional<int> handleCommandLine(std::span<const char* const> arguments, std::ostream& out, std::ostream& err);
