// InputBuffer: the one buffer in front of standard input, shared by the typed values of the
// dialogs (std::cin reads through it) and the keys of the menus, so that both see the bytes
// in the order they arrive.
#pragma once

#include <array>
#include <memory>
#include <streambuf>
#include <string>

class InputBuffer : public std::streambuf {
public:
    explicit InputBuffer(int fd);

    enum class Wait { Data, Timeout, Woken };

    // Waits until a byte is there (already buffered counts), `milliseconds` pass (-1: no
    // limit), or `wakeFd` becomes readable; a signal handler writes to that to end the wait.
    Wait waitForByte(int milliseconds, int wakeFd = -1);
    // Drops what is buffered but not yet read.
    void discardBuffered();
    bool hasBuffered() const { return gptr() < egptr(); }
#if !defined(_WIN32)
    // Called before every read or wait that could block, so that output held for a pipe
    // (PipeOutput, POSIX only) is out first.
    void callBeforeWaiting(void (*hook)()) {
        beforeWaiting = hook;
    }
#endif

protected:
    int_type underflow() override;

private:
    // Windows only: a pipe read on a thread of its own, since a pipe cannot be waited on with
    // a time limit there.
    struct PipeReader;

    int fd;
    std::array<char, 4096> storage{};
    std::shared_ptr<PipeReader> pipeReader;
#if defined(_WIN32)
    // A line typed on the console, which may be longer than `storage`.
    bool console = false;
    std::string typedLine;
#else
    void (*beforeWaiting)() = nullptr;
#endif
};
