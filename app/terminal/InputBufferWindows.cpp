// InputBuffer on Windows: reads the handle behind the descriptor with ReadFile, so that a pipe
// or a file gives its bytes exactly as sent (no line-end translation, no end at Ctrl-Z); the
// console gives one typed line per read, of any length (ConsoleLine). A pipe handle cannot be
// waited on with a time limit, and wine cannot even look into one, so a thread of its own reads
// a pipe ahead and the waits are on what it has brought in.
#include "app/terminal/InputBuffer.h"

#include "app/terminal/ConsoleLine.h"

#include <io.h>
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

struct InputBuffer::PipeReader {
    std::mutex mutex;
    std::condition_variable changed;
    std::string bytes;
    bool ended = false;
};

namespace {

HANDLE handleOf(int fd) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(fd));
}

}  // namespace

InputBuffer::InputBuffer(int descriptor) : fd(descriptor) {
    setg(storage.data(), storage.data(), storage.data());
    const HANDLE handle = handleOf(fd);
    DWORD mode = 0;
    console = GetConsoleMode(handle, &mode) != 0;
    if (GetFileType(handle) != FILE_TYPE_PIPE) {
        return;
    }
    pipeReader = std::make_shared<PipeReader>();
    // Detached, since it may be blocked in a read when the program ends; it shares the state
    // it fills, so that state outlives this buffer as long as the thread needs it.
    std::thread([handle, reader = pipeReader] {
        std::array<char, 4096> chunk{};
        for (;;) {
            DWORD count = 0;
            const bool got = ReadFile(handle, chunk.data(), static_cast<DWORD>(chunk.size()), &count, nullptr) != 0;
            const std::lock_guard<std::mutex> lock(reader->mutex);
            if (!got || count == 0) {
                reader->ended = true;
                reader->changed.notify_all();
                return;
            }
            reader->bytes.append(chunk.data(), count);
            reader->changed.notify_all();
        }
    }).detach();
}

// There is nothing that would wake the wait early: the console has no stop and continue.
InputBuffer::Wait InputBuffer::waitForByte(int milliseconds, int) {
    if (hasBuffered() || milliseconds < 0 || !pipeReader) {
        // A file is always ready; the console is read only a whole line at a time.
        return Wait::Data;
    }
    std::unique_lock<std::mutex> lock(pipeReader->mutex);
    const bool ready = pipeReader->changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                                    [this] { return !pipeReader->bytes.empty() || pipeReader->ended; });
    return ready ? Wait::Data : Wait::Timeout;
}

void InputBuffer::discardBuffered() {
    setg(storage.data(), storage.data(), storage.data());
}

InputBuffer::int_type InputBuffer::underflow() {
    if (hasBuffered()) {
        return traits_type::to_int_type(*gptr());
    }
    if (pipeReader) {
        std::unique_lock<std::mutex> lock(pipeReader->mutex);
        pipeReader->changed.wait(lock, [this] { return !pipeReader->bytes.empty() || pipeReader->ended; });
        const std::size_t count = std::min(pipeReader->bytes.size(), storage.size());
        if (count == 0) {
            return traits_type::eof();
        }
        std::copy_n(pipeReader->bytes.begin(), count, storage.begin());
        pipeReader->bytes.erase(0, count);
        setg(storage.data(), storage.data(), storage.data() + count);
        return traits_type::to_int_type(*gptr());
    }
    const HANDLE handle = handleOf(fd);
    if (console) {
        std::optional<std::string> line = terminal::detail::readConsoleLine(handle);
        if (!line) {
            return traits_type::eof();
        }
        typedLine = std::move(*line);
        setg(typedLine.data(), typedLine.data(), typedLine.data() + typedLine.size());
        return traits_type::to_int_type(*gptr());
    }
    DWORD count = 0;
    if (ReadFile(handle, storage.data(), static_cast<DWORD>(storage.size()), &count, nullptr) == 0 || count == 0) {
        return traits_type::eof();
    }
    setg(storage.data(), storage.data(), storage.data() + count);
    return traits_type::to_int_type(*gptr());
}
