// MemoryLeft: how much memory StorageLimit believes is left, set by a test in place of the
// system's figure; the system's figure counts again when the last MemoryLeft is gone.
#pragma once

#include <cstddef>

#include "memory/StorageLimit.h"

class MemoryLeft {
public:
    explicit MemoryLeft(std::size_t bytes) {
        set(bytes);
        ++alive();
    }
    ~MemoryLeft() {
        if (--alive() == 0) {
            StorageLimit::setProbe(nullptr);
        }
    }
    MemoryLeft(const MemoryLeft&) = delete;
    MemoryLeft& operator=(const MemoryLeft&) = delete;

    // Takes effect at the next request, without waiting for the figure read last to expire.
    static void set(std::size_t bytes) {
        left() = bytes;
        StorageLimit::setProbe(&report);
    }

private:
    static std::size_t report() { return left(); }
    static std::size_t& left() {
        static std::size_t bytes = 0;
        return bytes;
    }
    static int& alive() {
        static int count = 0;
        return count;
    }
};
