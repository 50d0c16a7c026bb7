// CpuQuota: how many processors a control group's CPU quota amounts to, read from the text of
// its files, so that a container limited to 1.5 processors does not start eight threads that
// then wait their turn. No quota (or a file that cannot be read as one) gives nothing.
#pragma once

#include <optional>
#include <string_view>

namespace parallel {

// cgroup v2: the text of cpu.max, "<quota> <period>" or "max <period>".
std::optional<unsigned> processorsOfCpuMax(std::string_view cpuMax);

// cgroup v1: the texts of cpu.cfs_quota_us ("-1" for none) and cpu.cfs_period_us.
std::optional<unsigned> processorsOfCfsQuota(std::string_view quota, std::string_view period);

}  // namespace parallel
