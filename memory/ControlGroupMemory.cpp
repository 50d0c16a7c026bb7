// A group's limit counts the memory of every process in it and in the groups below it, page
// cache included, and a group's room can be smaller than its limit says because a group above
// it is nearly full: so the room is taken at every level from the process's group up to the
// root of the mounted hierarchy. Page cache that the kernel can drop at once (inactive files)
// is not counted as used.
#include "memory/ControlGroupMemory.h"

#include "memory/ControlGroups.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

constexpr std::size_t unlimited = std::numeric_limits<std::size_t>::max();

// A number from the start of a file ("max" and unreadable files give nothing).
std::optional<std::uint64_t> readNumber(const std::string& path) {
    std::ifstream file(path);
    std::uint64_t value = 0;
    if (file >> value) {
        return value;
    }
    return std::nullopt;
}

std::uint64_t statValue(const std::string& path, const std::string& wanted) {
    std::ifstream stat(path);
    std::string key;
    std::uint64_t value = 0;
    while (stat >> key >> value) {
        if (key == wanted) {
            return value;
        }
    }
    return 0;
}

// The names of one version's files: the limit, the usage and the drop-at-once page cache.
struct Version {
    const char* limit;
    const char* usage;
    const char* inactiveFile;
};
constexpr Version version2{"memory.max", "memory.current", "inactive_file"};
constexpr Version version1{"memory.limit_in_bytes", "memory.usage_in_bytes", "total_inactive_file"};

// A group without a limit is not looked at further: its usage and above all its statistics,
// which the kernel gathers over every group below it, cost milliseconds to read.
std::size_t roomIn(const std::string& directory, const Version& names) {
    constexpr std::uint64_t noLimit = std::uint64_t{1} << 62;  // v1 writes "no limit" as nearly 2^63
    const auto limit = readNumber(directory + "/" + names.limit);
    if (!limit || *limit >= noLimit) {
        return unlimited;
    }
    const auto used = readNumber(directory + "/" + names.usage);
    if (!used) {
        return unlimited;
    }
    const std::uint64_t dropped = std::min(*used, statValue(directory + "/memory.stat", names.inactiveFile));
    const std::uint64_t held = *used - dropped;
    return held >= *limit ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(*limit - held, unlimited));
}

bool isDirectory(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// One directory whose limit counts: a group's own or one of the groups above it.
struct LimitDirectory {
    std::string path;
    const Version* names;
};

// The directories from the group's up to the mount point. A group outside what the mount shows
// (another cgroup namespace) is looked at from the mount point alone.
void addDirectoriesAlong(const std::string& mountRoot, const std::string& mountPoint, const std::string& group,
                         const Version& names, std::vector<LimitDirectory>& directories) {
    std::string relative;
    if (mountRoot == "/") {
        relative = group;
    } else if (group.rfind(mountRoot, 0) == 0 && (group.size() == mountRoot.size() || group[mountRoot.size()] == '/')) {
        relative = group.substr(mountRoot.size());
    }
    if (!isDirectory(mountPoint + relative)) {
        relative.clear();
    }
    for (std::string& directory : directoriesUpFrom(mountPoint, relative)) {
        directories.push_back({std::move(directory), &names});
    }
}

struct Mount {
    std::string root;
    std::string point;
    bool version2 = false;
};

// The cgroup2 mounts and the v1 mounts that carry the memory controller.
std::vector<Mount> memoryMounts(const std::string& mountsFile) {
    std::vector<Mount> mounts;
    std::ifstream file(mountsFile);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point, field;
        fields >> id >> parent >> device >> root >> point;
        while (fields >> field && field != "-") {
        }
        std::string type, source, options;
        fields >> type >> source >> options;
        if (type == "cgroup2") {
            mounts.push_back({root, point, true});
        } else if (type == "cgroup" && listNames(options, "memory")) {
            mounts.push_back({root, point, false});
        }
    }
    return mounts;
}

std::vector<LimitDirectory> limitDirectories(const std::string& groupsFile, const std::string& mountsFile) {
    const std::vector<Mount> mounts = memoryMounts(mountsFile);
    std::vector<LimitDirectory> directories;
    for (const ControlGroup& group : controlGroupsIn(groupsFile)) {
        const bool isVersion2 = group.controllers.empty();
        if (!isVersion2 && !listNames(group.controllers, "memory")) {
            continue;
        }
        for (const Mount& mount : mounts) {
            if (mount.version2 == isVersion2) {
                addDirectoriesAlong(mount.root, mount.point, group.path, isVersion2 ? version2 : version1, directories);
            }
        }
    }
    return directories;
}

std::size_t roomUnder(const std::vector<LimitDirectory>& directories) {
    std::size_t room = unlimited;
    for (const LimitDirectory& directory : directories) {
        room = std::min(room, roomIn(directory.path, *directory.names));
    }
    return room;
}

}  // namespace

std::size_t controlGroupMemoryLeft() {
    static const std::vector<LimitDirectory> directories =
        limitDirectories("/proc/self/cgroup", "/proc/self/mountinfo");
    return roomUnder(directories);
}

std::size_t controlGroupMemoryLeft(const std::string& groupsFile, const std::string& mountsFile) {
    return roomUnder(limitDirectories(groupsFile, mountsFile));
}
