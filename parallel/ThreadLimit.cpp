#include "parallel/ThreadLimit.h"

#include <algorithm>
#include <cctype>

namespace parallel {

std::optional<unsigned> parseThreadLimit(std::string_view text) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char digit : text) {
        value = value * 10 + static_cast<unsigned>(digit - '0');
    }
    if (value < 1 || value > mostThreads) {
        return std::nullopt;
    }
    return value;
}

}  // namespace parallel
