// How many more bytes this process can really have right now: the smallest of the memory the
// system has available, what each limit that can refuse an allocation leaves (the address
// space, the data segment, the commit limit of strict overcommit) and what the memory limits
// of the process's control groups leave. Memory the process already holds is counted by each
// of them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <map>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include "memory/AvailableMemory.h"
#include "memory/ControlGroupMemory.h"

namespace {

constexpr std::size_t unlimited = std::numeric_limits<std::size_t>::max();

std::size_t remaining(std::uint64_t limit, std::uint64_t used) {
    return used >= limit ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(limit - used, unlimited));
}

// The "Key: value kB" lines of a /proc file that are wanted, in bytes.
std::map<std::string, std::uint64_t> kilobyteFields(const char* path, std::initializer_list<const char*> wanted) {
    std::map<std::string, std::uint64_t> found;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line) && found.size() < wanted.size()) {
        for (const char* key : wanted) {
            const std::string prefix = std::string(key) + ":";
            if (line.rfind(prefix, 0) == 0) {
                found[key] = std::stoull(line.substr(prefix.size())) * 1024;
            }
        }
    }
    return found;
}

// What a resource limit leaves, given how much of it the process holds; where that cannot be
// read, the limit is not counted.
std::size_t limitLeft(int resource, const std::map<std::string, std::uint64_t>& status, const char* heldField) {
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return unlimited;
    }
    return status.contains(heldField) ? remaining(limit.rlim_cur, status.at(heldField)) : unlimited;
}

// Strict overcommit (mode 2) refuses what would take the system's commitments past its limit.
std::size_t commitLeft(const std::map<std::string, std::uint64_t>& meminfo) {
    std::ifstream mode("/proc/sys/vm/overcommit_memory");
    int value = 0;
    if (!(mode >> value) || value != 2 || !meminfo.contains("CommitLimit") || !meminfo.contains("Committed_AS")) {
        return unlimited;
    }
    return remaining(meminfo.at("CommitLimit"), meminfo.at("Committed_AS"));
}

std::size_t systemMemoryLeft() {
    const auto meminfo = kilobyteFields("/proc/meminfo", {"MemAvailable", "CommitLimit", "Committed_AS"});
    if (meminfo.contains("MemAvailable")) {
        return std::min(remaining(meminfo.at("MemAvailable"), 0), commitLeft(meminfo));
    }
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0) {
        return static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
    }
    return unlimited;
}

}  // namespace

std::size_t availableMemoryBytes() {
    // The data segment limit counts every private writable mapping, which is where malloc's
    // blocks live, large or small (VmData).
    const auto status = kilobyteFields("/proc/self/status", {"VmSize", "VmData"});
    return std::min({limitLeft(RLIMIT_AS, status, "VmSize"), limitLeft(RLIMIT_DATA, status, "VmData"),
                     controlGroupMemoryLeft(), systemMemoryLeft()});
}
