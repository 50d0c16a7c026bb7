// Wakeups: why a wait for input ends without a byte. A signal handler sets the reason and
// writes a byte to the wake pipe; the waiting reader sees the pipe readable, reads the reason
// and draws the screen again. Written by the handlers, so only flags and descriptors.
#pragma once

#include <csignal>

struct Wakeups {
    volatile std::sig_atomic_t continuedAfterStop = 0;
    volatile std::sig_atomic_t windowResized = 0;
    int pipe[2] = {-1, -1};  // read end, write end; both non-blocking
};
