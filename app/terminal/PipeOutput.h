// PipeOutput: the buffer behind standard output when that is not a terminal. A flush alone
// (every std::endl) writes nothing; the bytes are held until a read could wait for input,
// standard error is written, or the program ends. A pipe or a file so gets the same bytes in
// the same order as with a write per line, in a small fraction of the system calls.
//
// A signal that ends the program writes what is held from its handler. So that a reader sees
// every byte once and in order, the count of bytes already written is always exact when a
// handler can run: each write and its count happen with signals blocked, and a write to a pipe
// is never larger than the pipe takes at once, so it cannot block there.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <streambuf>

class PipeOutput : public std::streambuf {
public:
    // `onWriteFailure` is called when the output can take nothing more (a full disk, a closed
    // descriptor); it must not return.
    PipeOutput(int fd, void (*onWriteFailure)());

    // Writes everything held so far, waiting for a slow reader as long as it takes.
    void drain();
    // For a signal handler that ends the program: writes what is held, but waits no longer
    // than `milliseconds` in all for a reader that takes nothing. Async-signal-safe.
    void drainBeforeExit(int milliseconds);

protected:
    int_type overflow(int_type byte) override;
    int sync() override { return 0; }

private:
    // The most one write may carry: a pipe's atomic size, or everything for a regular file.
    std::size_t writeLimit(std::size_t length) const;

    int fd;
    bool regularFile = false;
    void (*writeFailure)();
    // Bytes from the start of the buffer that are out already.
    std::atomic<std::size_t> written{0};
    static_assert(std::atomic<std::size_t>::is_always_lock_free, "read by signal handlers");
    std::array<char, 1 << 16> storage{};
};
