#include "app/terminal/PipeOutput.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>

namespace {

// Waits until `fd` takes bytes or `milliseconds` pass (-1: no limit); false on a timeout and
// when a signal ended the wait.
bool awaitWritable(int fd, int milliseconds) {
    pollfd request{fd, POLLOUT, 0};
    return ::poll(&request, 1, milliseconds) > 0;
}

long millisecondsNow() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000L + now.tv_nsec / 1000000L;
}

}  // namespace

PipeOutput::PipeOutput(int descriptor, void (*onWriteFailure)()) : fd(descriptor), writeFailure(onWriteFailure) {
    struct stat status {};
    regularFile = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    setp(storage.data(), storage.data() + storage.size());
}

std::size_t PipeOutput::writeLimit(std::size_t length) const {
    return regularFile ? length : std::min<std::size_t>(length, PIPE_BUF);
}

void PipeOutput::drain() {
    for (;;) {
        const std::size_t done = written;
        const auto held = static_cast<std::size_t>(pptr() - pbase());
        if (done >= held) {
            break;
        }
        // A signal that comes while the reader is away ends the wait; its handler goes on from
        // the exact count.
        if (!regularFile && !awaitWritable(fd, -1)) {
            continue;
        }
        sigset_t all;
        sigset_t previous;
        sigfillset(&all);
        sigprocmask(SIG_BLOCK, &all, &previous);
        const ssize_t count = ::write(fd, pbase() + done, writeLimit(held - done));
        const int error = errno;
        if (count > 0) {
            written = done + static_cast<std::size_t>(count);
        }
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        if (count < 0 && (error == EINTR || error == EAGAIN)) {
            continue;
        }
        // A reader that went away has ended the program with SIGPIPE when the signals came
        // back; anything else (a full disk, a descriptor that takes no output) is the end too.
        if (count <= 0) {
            writeFailure();
        }
    }
    // A handler that runs in between sees either all written or nothing held.
    setp(storage.data(), storage.data() + storage.size());
    written = 0;
}

void PipeOutput::drainBeforeExit(int milliseconds) {
    const long deadline = millisecondsNow() + milliseconds;
    std::size_t done = written;
    const auto held = static_cast<std::size_t>(pptr() - pbase());
    while (done < held) {
        const long left = deadline - millisecondsNow();
        if (left <= 0) {
            return;
        }
        if (!regularFile && !awaitWritable(fd, static_cast<int>(left))) {
            continue;
        }
        const ssize_t count = ::write(fd, pbase() + done, writeLimit(held - done));
        if (count > 0) {
            done += static_cast<std::size_t>(count);
            written = done;
        } else if (count == 0 || (errno != EINTR && errno != EAGAIN)) {
            return;
        }
    }
}

PipeOutput::int_type PipeOutput::overflow(int_type byte) {
    drain();
    if (!traits_type::eq_int_type(byte, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(byte);
        pbump(1);
    }
    return traits_type::not_eof(byte);
}
