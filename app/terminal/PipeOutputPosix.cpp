#include "app/terminal/PipeOutput.h"

#include <unistd.h>
#include <cerrno>

PipeOutput::PipeOutput(int descriptor) : fd(descriptor) {
    setp(storage.data(), storage.data() + storage.size());
}

void PipeOutput::drain() {
    const char* next = pbase();
    const char* const end = pptr();
    while (next < end) {
        const ssize_t written = ::write(fd, next, static_cast<std::size_t>(end - next));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        // A reader that went away takes nothing more; SIGPIPE says so on its own.
        if (written <= 0) {
            break;
        }
        next += written;
    }
    setp(storage.data(), storage.data() + storage.size());
}

PipeOutput::int_type PipeOutput::overflow(int_type byte) {
    drain();
    if (!traits_type::eq_int_type(byte, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(byte);
        pbump(1);
    }
    return traits_type::not_eof(byte);
}
