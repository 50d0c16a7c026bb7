// PipeOutput: the buffer behind standard output when that is not a terminal. A flush alone
// (every std::endl) writes nothing; the bytes are held until a read could wait for input,
// standard error is written, or the program ends. A pipe or a file so gets the same bytes in
// the same order as with a write per line, in a small fraction of the system calls.
#pragma once

#include <array>
#include <streambuf>

class PipeOutput : public std::streambuf {
public:
    explicit PipeOutput(int fd);

    // Writes everything held so far.
    void drain();

protected:
    int_type overflow(int_type byte) override;
    int sync() override { return 0; }

private:
    int fd;
    std::array<char, 1 << 16> storage{};
};
