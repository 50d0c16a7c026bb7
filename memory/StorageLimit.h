// StorageLimit: decides, before any allocation, whether the storage of a matrix can be had.
//
// With memory overcommit a huge std::vector can appear to succeed and the process is killed
// later by the system, so every matrix storage is checked up front against the memory that can
// really be had, instead of relying on std::bad_alloc.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <mutex>
#include <vector>

#include "memory/AvailableMemory.h"
#include "memory/StorageRefused.h"

class StorageLimit {
public:
    // Bytes of storage a matrix of the given size needs, or SIZE_MAX when that overflows.
    template <typename T>
    static std::size_t bytesFor(std::uint32_t rows, std::uint32_t columns) {
        constexpr std::size_t maxSize = std::numeric_limits<std::size_t>::max();
        const std::size_t perRow = sizeof(std::vector<T>);
        if (columns > (maxSize - perRow) / sizeof(T)) {
            return maxSize;
        }
        const std::size_t rowBytes = perRow + std::size_t{columns} * sizeof(T);
        if (rows > maxSize / rowBytes) {
            return maxSize;
        }
        return std::size_t{rows} * rowBytes;
    }

    // Takes `bytes` from what is left, or returns false when that much cannot be had. Reading
    // the system's figures costs tens of microseconds, so they are read at most every 50 ms
    // and, in between, every grant is taken off the figure read last (memory given back in
    // between is only counted again at the next reading, which errs on the safe side).
    // Threads that ask at once take their grants from the same figure, one after another.
    static bool reserve(std::size_t bytes) {
        const std::lock_guard<std::mutex> lock(budgetMutex());
        Budget& budget = cachedBudget();
        const auto now = std::chrono::steady_clock::now();
        if (!budget.read || now - budget.readAt > std::chrono::milliseconds(50) || bytes > budget.left) {
            budget = Budget{probe()(), now, true};
        }
        if (bytes > budget.left) {
            return false;
        }
        budget.left -= bytes;
        return true;
    }

    // Where the figure of the memory left comes from: the system's (availableMemoryBytes) unless
    // a test sets its own. The next request reads the new probe at once.
    using Probe = std::size_t (*)();
    static void setProbe(Probe replacement) {
        const std::lock_guard<std::mutex> lock(budgetMutex());
        probe() = replacement != nullptr ? replacement : &availableMemoryBytes;
        cachedBudget().read = false;
    }

private:
    static Probe& probe() {
        static Probe current = &availableMemoryBytes;
        return current;
    }
    struct Budget {
        std::size_t left = 0;
        std::chrono::steady_clock::time_point readAt{};
        bool read = false;
    };
    static Budget& cachedBudget() {
        static Budget budget;
        return budget;
    }
    static std::mutex& budgetMutex() {
        static std::mutex mutex;
        return mutex;
    }
};
