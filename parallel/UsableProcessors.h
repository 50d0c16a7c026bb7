// UsableProcessors: how many processors this process may really run on at once, which is what
// the worker pool sizes itself by. On Linux that is the smaller of the affinity mask (taskset,
// a container's cpuset) and the CPU quota of the process's control groups; on Windows the
// number of processors.
#pragma once

namespace parallel {

// At least 1.
unsigned usableProcessors();

}  // namespace parallel
