// How many more bytes this process can really have right now on Windows: the smaller of the
// physical memory available and what the process's address space leaves.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "memory/AvailableMemory.h"

std::size_t availableMemoryBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status) == 0) {
        return std::numeric_limits<std::size_t>::max();
    }
    return static_cast<std::size_t>(std::min<std::uint64_t>(status.ullAvailPhys, status.ullAvailVirtual));
}
