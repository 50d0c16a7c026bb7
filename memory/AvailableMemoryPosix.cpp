// How many more bytes this process can really have right now: the smallest of the memory the
// system has available, what the address-space limit leaves, and what the memory limit of the
// process's control group leaves. Memory the process already holds is counted by each of them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <limits>
#include <optional>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include "memory/AvailableMemory.h"

namespace {

constexpr std::size_t unlimited = std::numeric_limits<std::size_t>::max();

std::size_t remaining(std::uint64_t limit, std::uint64_t used) {
    return used >= limit ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(limit - used, unlimited));
}

// A number from the first line of a file ("max" and unreadable files give nothing).
std::optional<std::uint64_t> readNumber(const std::string& path) {
    std::ifstream file(path);
    std::uint64_t value = 0;
    if (file >> value) {
        return value;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> memAvailableBytes() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kilobytes = 0;
    std::string unit;
    while (meminfo >> key >> kilobytes >> unit) {
        if (key == "MemAvailable:") {
            return kilobytes * 1024;
        }
    }
    return std::nullopt;
}

std::size_t addressSpaceLeft() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return unlimited;
    }
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    if (!(statm >> pages)) {
        return unlimited;
    }
    return remaining(limit.rlim_cur, pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)));
}

// The process's own control group, version 2 ("0::/path") or the memory controller of version 1.
std::size_t controlGroupLeft() {
    std::ifstream groups("/proc/self/cgroup");
    std::string line;
    while (std::getline(groups, line)) {
        const std::size_t pathStart = line.find(':', line.find(':') + 1);
        if (pathStart == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(line.find(':') + 1, pathStart - line.find(':') - 1);
        const std::string path = line.substr(pathStart + 1);
        if (controllers.empty()) {
            const std::string base = "/sys/fs/cgroup" + path;
            const auto limit = readNumber(base + "/memory.max");
            const auto used = readNumber(base + "/memory.current");
            if (limit && used) {
                return remaining(*limit, *used);
            }
        } else if (controllers.find("memory") != std::string::npos) {
            const std::string base = "/sys/fs/cgroup/memory" + path;
            const auto limit = readNumber(base + "/memory.limit_in_bytes");
            const auto used = readNumber(base + "/memory.usage_in_bytes");
            if (limit && used) {
                return remaining(*limit, *used);
            }
        }
    }
    return unlimited;
}

}  // namespace

std::size_t availableMemoryBytes() {
    std::size_t result = std::min(addressSpaceLeft(), controlGroupLeft());
    if (const auto available = memAvailableBytes()) {
        result = std::min(result, remaining(*available, 0));
    } else {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGESIZE);
        if (pages > 0 && pageSize > 0) {
            result = std::min(result, static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize));
        }
    }
    return result;
}
