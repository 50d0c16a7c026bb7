#include "memory/ControlGroups.h"

#include <fstream>
#include <sstream>

std::vector<ControlGroup> controlGroupsIn(const std::string& groupsFile) {
    std::vector<ControlGroup> groups;
    std::ifstream file(groupsFile);
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second != std::string::npos) {
            groups.push_back({line.substr(first + 1, second - first - 1), line.substr(second + 1)});
        }
    }
    return groups;
}

bool listNames(const std::string& list, const std::string& name) {
    std::istringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        if (item == name) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> directoriesUpFrom(const std::string& base, std::string relative) {
    while (!relative.empty() && relative.back() == '/') {
        relative.pop_back();
    }
    std::vector<std::string> directories{base + relative};
    while (!relative.empty()) {
        relative.erase(relative.rfind('/'));
        directories.push_back(base + relative);
    }
    return directories;
}
