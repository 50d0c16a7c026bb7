#include <sched.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "memory/ControlGroups.h"
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
std::optional<unsigned> quotaOnTheWayUp(const std::string& root, const std::string& path, Read read) {
    std::optional<unsigned> result;
    for (const std::string& group : directoriesUpFrom(root, path)) {
        result = smaller(result, read(group));
    }
    return result;
}

// The process's groups: version 2 ("0::/path") and the cpu controller of version 1
// ("3:cpu,cpuacct:/path"), as they are mounted under /sys/fs/cgroup.
std::optional<unsigned> controlGroupQuota() {
    std::optional<unsigned> result;
    for (const ControlGroup& group : controlGroupsIn("/proc/self/cgroup")) {
        if (group.controllers.empty()) {
            result = smaller(result, quotaOnTheWayUp("/sys/fs/cgroup", group.path, [](const std::string& directory) {
                                 return processorsOfCpuMax(fileText(directory + "/cpu.max"));
                             }));
        } else if (listNames(group.controllers, "cpu")) {
            for (const std::string& mount :
                 {"/sys/fs/cgroup/" + group.controllers, std::string("/sys/fs/cgroup/cpu")}) {
                result = smaller(result, quotaOnTheWayUp(mount, group.path, [](const std::string& directory) {
                                     return processorsOfCfsQuota(fileText(directory + "/cpu.cfs_quota_us"),
                                                                 fileText(directory + "/cpu.cfs_period_us"));
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
