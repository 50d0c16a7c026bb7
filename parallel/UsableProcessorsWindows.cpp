#include <thread>

#include "parallel/UsableProcessors.h"

namespace parallel {

unsigned usableProcessors() {
    const unsigned count = std::thread::hardware_concurrency();
    return count > 0 ? count : 1;
}

}  // namespace parallel
