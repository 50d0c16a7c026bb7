// Program: runs the built calculator through a pipe and gives back what it wrote and how it ended.
#pragma once

#include <string>

struct PipedRun {
    std::string out;
    std::string err;
    int exitStatus = -1;     // exit code, or 128 + signal number
    long peakKilobytes = 0;  // the largest resident set the program had
    double seconds = 0.0;
};

// Feeds `input` to standard input through a pipe, then closes it.
PipedRun runPiped(const std::string& input);
