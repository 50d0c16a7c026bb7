// StorageLimit: decides, before any allocation, whether the storage of a matrix can be had.
//
// With memory overcommit a huge std::vector can appear to succeed and the process is killed
// later, so sizes are checked against the machine's physical memory up front instead of
// relying on std::bad_alloc.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

// Thrown (as a plain text, like the fraction errors) when a matrix would not fit in memory.
inline constexpr const char* outOfMemoryText = "Nicht genug Arbeitsspeicher fuer diese Operation.";

class StorageLimit {
public:
    // Bytes of storage a matrix of the given size needs, or SIZE_MAX when that overflows.
    template <typename T>
    static std::size_t bytesFor(std::uint32_t rows, std::uint32_t columns) {
        constexpr std::size_t maxSize = std::numeric_limits<std::size_t>::max();
        const std::size_t perRow = sizeof(std::vector<T>);
        if (columns > (maxSize - perRow) / sizeof(T)) {
            return maxSize;
        }
        const std::size_t rowBytes = perRow + std::size_t{columns} * sizeof(T);
        if (rows > maxSize / rowBytes) {
            return maxSize;
        }
        return std::size_t{rows} * rowBytes;
    }

    // Whether a matrix of the given size fits in the memory that can be had.
    template <typename T>
    static bool fits(std::uint32_t rows, std::uint32_t columns) {
        return bytesFor<T>(rows, columns) <= limit();
    }

    // The number of bytes one matrix may take at most.
    static std::size_t limit() {
        return overrideBytes() != 0 ? overrideBytes() : physicalMemory();
    }

    // Tests set a small limit so that refusals can be checked without allocating gigabytes;
    // 0 returns to the real figure.
    static void setLimitForTesting(std::size_t bytes) { overrideBytes() = bytes; }

    static std::size_t physicalMemory() {
#if defined(_WIN32)
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof(status);
        if (GlobalMemoryStatusEx(&status) == 0) {
            return std::numeric_limits<std::size_t>::max();
        }
        return static_cast<std::size_t>(status.ullTotalPhys);
#else
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGESIZE);
        if (pages <= 0 || pageSize <= 0) {
            return std::numeric_limits<std::size_t>::max();
        }
        return static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
#endif
    }

private:
    static std::size_t& overrideBytes() {
        static std::size_t bytes = 0;
        return bytes;
    }
};
