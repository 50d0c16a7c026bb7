#include "app/terminal/InputBuffer.h"

#include <poll.h>
#include <unistd.h>
#include <cerrno>

InputBuffer::InputBuffer(int descriptor) : fd(descriptor) {
    setg(storage.data(), storage.data(), storage.data());
}

InputBuffer::Wait InputBuffer::waitForByte(int milliseconds, int wakeFd) {
    if (hasBuffered()) {
        return Wait::Data;
    }
    if (beforeWaiting != nullptr) {
        beforeWaiting();
    }
    pollfd requests[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    const nfds_t count = wakeFd >= 0 ? 2 : 1;
    for (;;) {
        const int ready = ::poll(requests, count, milliseconds);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return Wait::Timeout;
        }
        if (count == 2 && requests[1].revents != 0) {
            char drained[16];
            while (::read(wakeFd, drained, sizeof(drained)) > 0) {
            }
            return Wait::Woken;
        }
        return Wait::Data;
    }
}

void InputBuffer::discardBuffered() {
    setg(storage.data(), storage.data(), storage.data());
}

InputBuffer::int_type InputBuffer::underflow() {
    if (hasBuffered()) {
        return traits_type::to_int_type(*gptr());
    }
    if (beforeWaiting != nullptr) {
        beforeWaiting();
    }
    for (;;) {
        const ssize_t count = ::read(fd, storage.data(), storage.size());
        if (count > 0) {
            setg(storage.data(), storage.data(), storage.data() + count);
            return traits_type::to_int_type(*gptr());
        }
        // Keys through a descriptor left non-blocking: nothing there yet is no end of input.
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd request{fd, POLLIN, 0};
            ::poll(&request, 1, -1);
            continue;
        }
        if (count == 0 || errno != EINTR) {
            return traits_type::eof();
        }
    }
}
