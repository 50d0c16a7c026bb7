// TerminalOutput: the buffer behind standard output, and standard error, where they go to a
// terminal. A flush writes everything held: a write that a signal interrupts or that the
// terminal takes only in part (Ctrl-S, then Ctrl-C) goes on from where it stopped, and a
// terminal left non-blocking (by a multiplexer or a parent program) is waited for until it
// takes more. Nothing is dropped while the terminal can still take output.
#pragma once

#include <array>
#include <streambuf>

class TerminalOutput : public std::streambuf {
public:
    // `onWriteFailure` is called when the terminal takes nothing more (it went away); it must
    // not return. Without one, what cannot be written is dropped and output goes on.
    TerminalOutput(int fd, void (*onWriteFailure)());

protected:
    int_type overflow(int_type byte) override;
    int sync() override;

private:
    void writeHeld();

    int fd;
    void (*writeFailure)();
    std::array<char, 4096> storage{};
};
