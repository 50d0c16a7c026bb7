// SharedWork: when and how the large computations of decimal and complex numbers (the block
// updates of an elimination, the products) share their rows among the worker pool's threads.
// Each element still receives exactly its own operations in its own order, whichever thread
// computes it, so the results keep their bits. Exact fractions stay on the calling thread: their
// storage checks share one budget.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>

#include "matrix/ComputationMonitor.h"
#include "parallel/WorkerPool.h"

class SharedWork {
public:
    // Below this order (or these multiply-adds) waking the workers costs more than it brings.
    // Tests lower them, to take the shared path with small matrices.
    static std::size_t& smallestOrder() {
        static std::size_t order = 300;
        return order;
    }
    static std::size_t& smallestWork() {
        static std::size_t work = std::size_t{1} << 18;
        return work;
    }

    // Threads that a computation of this order shares its work among, with memory of its own each.
    static unsigned threadsFor(std::size_t order) {
        return order >= smallestOrder() ? parallel::WorkerPool::shared().threads() : 1;
    }

    // Whether `work` multiply-adds on `rows` rows are worth the waking of `threads` threads.
    static bool worthSharing(unsigned threads, std::size_t rows, std::size_t work) {
        return threads > 1 && threads == parallel::WorkerPool::shared().threads() && rows >= 2 * minimumRows &&
               work >= smallestWork();
    }

    // Rows per part: a few parts per thread, so that a thread slowed by other programs holds
    // back little, and no part longer than a few milliseconds, since a cancel waits for the
    // parts under way; a whole number of `multiple` rows.
    static std::size_t rowsPerPart(std::size_t rows, unsigned threads, std::size_t multiple, std::size_t workPerRow) {
        const std::size_t shortEnough = std::max<std::size_t>(1, partWork / std::max<std::size_t>(1, workPerRow));
        const std::size_t partsWanted = std::size_t{4} * threads;
        const std::size_t size = std::min({(rows + partsWanted - 1) / partsWanted, shortEnough, maximumRows});
        return (std::max<std::size_t>(1, size) + multiple - 1) / multiple * multiple;
    }

    // Runs the parts on the pool; between its parts the calling thread asks the computation's
    // watcher, whose cancel stops every thread before its next part.
    static void run(std::size_t parts, const parallel::WorkerPool::Work& work) {
        parallel::WorkerPool::shared().run(parts, work, [] { ComputationMonitor::poll(); });
    }

private:
    static constexpr std::size_t minimumRows = 16;
    static constexpr std::size_t maximumRows = 128;
    static constexpr std::size_t partWork = std::size_t{1} << 22;
};
