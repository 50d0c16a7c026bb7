// SharedWork: when and how the large computations of decimal and complex numbers (the block
// updates of an elimination, the products) share their rows among the worker pool's threads.
// Each element still receives exactly its own operations in its own order, whichever thread
// computes it, so the results keep their bits. Exact fractions stay on the calling thread: their
// storage checks share one budget.
#pragma once

#include <algorithm>
#include <complex>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "matrix/ComputationMonitor.h"
#include "parallel/WorkerPool.h"

template <typename T>
inline constexpr bool isComplexNumber = false;
template <typename U>
inline constexpr bool isComplexNumber<std::complex<U>> = true;

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

    // Threads that an elimination of elements T and this order shares its work among, with memory
    // of its own each. smallestOrder() is the order from which real numbers share; complex ones,
    // whose multiply-add takes four real ones, share from the same amount of work, about 0.63 of
    // that order (190 for 300). Floats, twice as many to a vector, measured like doubles.
    template <typename T>
    static unsigned threadsFor(std::size_t order) {
        const auto cubed = [](std::size_t value) {
            const auto real = static_cast<double>(value);
            return real * real * real;
        };
        return cubed(order) * realMultiplyAdds<T> >= cubed(smallestOrder()) ? parallel::WorkerPool::shared().threads()
                                                                            : 1;
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

    // Column parts of [first, last) for `threads` threads, appended to `parts` as [from, to): each a
    // whole number of `multiple` columns but the last, no part longer than a few milliseconds, and
    // each a share of the columns left, so that the parts shrink towards the end and the threads
    // end together.
    static void cutColumns(std::vector<std::pair<std::size_t, std::size_t>>& parts, std::size_t first, std::size_t last,
                           unsigned threads, std::size_t multiple, std::size_t workPerColumn) {
        const std::size_t longest =
            std::max(multiple, columnPartWork / std::max<std::size_t>(1, workPerColumn) / multiple * multiple);
        const std::size_t shortest = std::min(longest, 2 * multiple);
        const std::size_t shares = std::size_t{2} * threads;
        for (std::size_t from = first; from < last;) {
            const std::size_t share = (last - from + shares - 1) / shares;
            const std::size_t size = std::clamp((share + multiple - 1) / multiple * multiple, shortest, longest);
            const std::size_t to = std::min(last, from + size);
            parts.emplace_back(from, to);
            from = to;
        }
    }

    // Runs the parts on the pool; between its parts the calling thread asks the computation's
    // watcher, whose cancel stops every thread before its next part.
    static void run(std::size_t parts, const parallel::WorkerPool::Work& work) {
        parallel::WorkerPool::shared().run(parts, work, [] { ComputationMonitor::poll(); });
    }

private:
    template <typename T>
    static constexpr double realMultiplyAdds = isComplexNumber<T> ? 4.0 : 1.0;

    static constexpr std::size_t minimumRows = 16;
    static constexpr std::size_t maximumRows = 128;
    static constexpr std::size_t partWork = std::size_t{1} << 22;
    // A column part reads all of a panel's packed multipliers and packs its own pieces of the
    // pivot rows, so it is longer: a few hundred microseconds in the widest lanes, a few
    // milliseconds in the narrowest.
    static constexpr std::size_t columnPartWork = std::size_t{1} << 24;
};
