#include "app/terminal/TerminalOutput.h"

#include <poll.h>
#include <unistd.h>
#include <cerrno>
#include <cstddef>

TerminalOutput::TerminalOutput(int descriptor, void (*onWriteFailure)())
    : fd(descriptor), writeFailure(onWriteFailure) {
    setp(storage.data(), storage.data() + storage.size());
}

void TerminalOutput::writeHeld() {
    const char* next = pbase();
    while (next < pptr()) {
        const ssize_t count = ::write(fd, next, static_cast<std::size_t>(pptr() - next));
        if (count > 0) {
            next += count;
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A signal ends the wait early; the write is simply tried again.
            pollfd request{fd, POLLOUT, 0};
            ::poll(&request, 1, -1);
            continue;
        }
        if (writeFailure != nullptr) {
            writeFailure();
        }
        break;
    }
    setp(storage.data(), storage.data() + storage.size());
}

TerminalOutput::int_type TerminalOutput::overflow(int_type byte) {
    writeHeld();
    if (!traits_type::eq_int_type(byte, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(byte);
        pbump(1);
    }
    return traits_type::not_eof(byte);
}

int TerminalOutput::sync() {
    writeHeld();
    return 0;
}
