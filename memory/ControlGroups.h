// ControlGroups: the control groups of the process, as /proc/self/cgroup lists them, and the
// way up from a group to the root of its hierarchy, along which every group's limit counts.
// The memory check reads their memory limits, the worker pool their processor quotas.
#pragma once

#include <string>
#include <vector>

struct ControlGroup {
    // Comma-separated; empty for the one group of version 2.
    std::string controllers;
    // From the root of its hierarchy, as "/a/b".
    std::string path;
};

// The lines "id:controllers:path" of `groupsFile`; a line without two colons is left out.
std::vector<ControlGroup> controlGroupsIn(const std::string& groupsFile);

// Whether a comma-separated list (controllers, mount options) names `name`.
bool listNames(const std::string& list, const std::string& name);

// The directories of a group `relative` ("/a/b") below `base` and of each group above it,
// the group's own first and `base` last.
std::vector<std::string> directoriesUpFrom(const std::string& base, std::string relative);
