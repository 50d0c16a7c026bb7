#include <sched.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "parallel/CpuQuota.h"
#include "parallel/UsableProcessors.h"

namespace parallel {

namespace {

std::string fileText(const std::string& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

unsigned affinityCount() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0) {
            return static_cast<unsigned>(count);
        }
    }
    // More processors than a cpu_set_t holds, or no answer: every one the system has.
    return std::max(1u, std::thread::hardware_concurrency());
}

std::optional<unsigned> smaller(std::optional<unsigned> a, std::optional<unsigned> b) {
    if (a && b) {
        return std::min(*a, *b);
    }
    return a ? a : b;
}

// A quota anywhere on the way from the group up to the root of its hierarchy limits it.
template <typename Read>
std::optional<unsigned> quotaOnTheWayUp(const std::string& root, std::string path, Read read) {
    std::optional<unsigned> result;
    while (true) {
        result = smaller(result, read(root + path));
        if (path.empty() || path == "/") {
            return result;
        }
        path.erase(path.find_last_of('/'));
    }
}

bool namesCpuController(const std::string& controllers) {
    std::istringstream list(controllers);
    std::string name;
    while (std::getline(list, name, ',')) {
        if (name == "cpu") {
            return true;
        }
    }
    return false;
}

// The process's groups from /proc/self/cgroup: version 2 ("0::/path") and the cpu controller of
// version 1 ("3:cpu,cpuacct:/path"), as they are mounted under /sys/fs/cgroup.
std::optional<unsigned> controlGroupQuota() {
    std::ifstream groups("/proc/self/cgroup");
    std::optional<unsigned> result;
    std::string line;
    while (std::getline(groups, line)) {
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string path = line.substr(second + 1);
        if (controllers.empty()) {
            result = smaller(result, quotaOnTheWayUp("/sys/fs/cgroup", path, [](const std::string& group) {
                                 return processorsOfCpuMax(fileText(group + "/cpu.max"));
                             }));
        } else if (namesCpuController(controllers)) {
            for (const std::string& mount : {"/sys/fs/cgroup/" + controllers, std::string("/sys/fs/cgroup/cpu")}) {
                result = smaller(result, quotaOnTheWayUp(mount, path, [](const std::string& group) {
                                     return processorsOfCfsQuota(fileText(group + "/cpu.cfs_quota_us"),
                                                                 fileText(group + "/cpu.cfs_period_us"));
                                 }));
            }
        }
    }
    return result;
}

}  // namespace

unsigned usableProcessors() {
    const unsigned affinity = affinityCount();
    const std::optional<unsigned> quota = controlGroupQuota();
    return std::max(1u, quota ? std::min(affinity, *quota) : affinity);
}

}  // namespace parallel
