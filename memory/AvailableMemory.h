// AvailableMemory: how many more bytes this process can really have right now, as the system
// reports it (AvailableMemoryPosix.cpp, AvailableMemoryWindows.cpp). Memory the process
// already holds is counted.
#pragma once

#include <cstddef>

std::size_t availableMemoryBytes();
