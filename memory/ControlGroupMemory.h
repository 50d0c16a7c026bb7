// ControlGroupMemory: how many more bytes the memory limits of the process's control groups
// leave it, cgroup v2 and the memory controller of v1, read from /proc and the mounted
// hierarchies.
#pragma once

#include <cstddef>
#include <string>

// The smallest room left under the limit of the process's group or of any group above it
// (SIZE_MAX where none is set or none can be read). Which groups those are is found once, from
// /proc/self/cgroup and /proc/self/mountinfo; their limits and usage are read at every call.
std::size_t controlGroupMemoryLeft();
// The same from two other files in their place, looked at anew.
std::size_t controlGroupMemoryLeft(const std::string& groupsFile, const std::string& mountsFile);
