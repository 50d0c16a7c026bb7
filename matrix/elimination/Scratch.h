// Scratch: a buffer that an elimination reuses from step to step (multipliers, packed pivot
// rows). It lives in the operation's WorkingMemory when it was given a piece of it, and grows a
// vector of its own only when it needs more than that piece (or was given none, as with exact
// fractions, whose values cannot live in raw memory).
#pragma once

#include <cstddef>
#include <vector>

#include "matrix/elimination/WorkingMemory.h"

namespace elimination {

template <typename T>
class Scratch {
public:
    // Room for `count` elements, 64-byte aligned, taken from `memory`.
    void provide(WorkingMemory& memory, std::size_t count) {
        external = memory.take<T>(count);
        externalCount = count;
    }

    // At least `count` elements; what they held before is not kept.
    T* take(std::size_t count) {
        if (count <= externalCount) {
            return external;
        }
        if (owned.size() < count) {
            owned.resize(count);
        }
        return owned.data();
    }

private:
    T* external = nullptr;
    std::size_t externalCount = 0;
    std::vector<T> owned;
};

}  // namespace elimination
