#include "parallel/CpuQuota.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace parallel {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

// The whole text as a number, or nothing.
std::optional<std::int64_t> number(std::string_view text) {
    text = trimmed(text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// A quota of 1.5 periods lets two threads make progress side by side, so it is rounded up.
std::optional<unsigned> processors(std::int64_t quota, std::int64_t period) {
    if (quota <= 0 || period <= 0) {
        return std::nullopt;
    }
    const std::int64_t whole = quota / period + (quota % period != 0 ? 1 : 0);
    return static_cast<unsigned>(std::min<std::int64_t>(whole, std::numeric_limits<unsigned>::max()));
}

}  // namespace

std::optional<unsigned> processorsOfCpuMax(std::string_view cpuMax) {
    cpuMax = trimmed(cpuMax);
    const std::size_t blank = cpuMax.find(' ');
    if (blank == std::string_view::npos) {
        return std::nullopt;
    }
    const auto quota = number(cpuMax.substr(0, blank));
    const auto period = number(cpuMax.substr(blank + 1));
    if (!quota || !period) {
        return std::nullopt;
    }
    return processors(*quota, *period);
}

std::optional<unsigned> processorsOfCfsQuota(std::string_view quota, std::string_view period) {
    const auto quotaValue = number(quota);
    const auto periodValue = number(period);
    if (!quotaValue || !periodValue) {
        return std::nullopt;
    }
    return processors(*quotaValue, *periodValue);
}

}  // namespace parallel
