// The worker pool and the number of threads it is given: the processors that a control group's
// quota leaves, the limit a person types, and runs whose parts throw or are stopped.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <vector>

#include "parallel/CpuQuota.h"
#include "parallel/ThreadLimit.h"
#include "parallel/UsableProcessors.h"
#include "parallel/WorkerPool.h"

namespace {

using parallel::processorsOfCfsQuota;
using parallel::processorsOfCpuMax;
using Processors = std::optional<unsigned>;

// A part of a processor lets one thread work; 1.5 lets two; "max" and -1 leave no quota.
TEST(CpuQuota, QuotasRoundUpToWholeProcessorsAndNoQuotaGivesNothing) {
    EXPECT_EQ(processorsOfCpuMax("max 100000\n"), std::nullopt);
    EXPECT_EQ(processorsOfCpuMax("150000 100000\n"), Processors(2));
    EXPECT_EQ(processorsOfCpuMax("200000 100000"), Processors(2));
    EXPECT_EQ(processorsOfCpuMax("10000 100000\n"), Processors(1));
    EXPECT_EQ(processorsOfCfsQuota("-1\n", "100000\n"), std::nullopt);
    EXPECT_EQ(processorsOfCfsQuota("250000\n", "100000\n"), Processors(3));
    EXPECT_EQ(processorsOfCfsQuota("50000", "100000"), Processors(1));
}

// An unreadable file (empty), a damaged one or a zero period is no quota rather than a wrong one.
TEST(CpuQuota, TextThatIsNoQuotaGivesNothing) {
    for (const char* text : {"", "\n", "max", "100000", "abc 100000", "150000 0", "150000 100000x", "0 100000"}) {
        EXPECT_EQ(processorsOfCpuMax(text), std::nullopt) << text;
    }
    EXPECT_EQ(processorsOfCfsQuota("", ""), std::nullopt);
    EXPECT_EQ(processorsOfCfsQuota("150000", ""), std::nullopt);
    EXPECT_EQ(processorsOfCfsQuota("150000", "0"), std::nullopt);
    EXPECT_GE(parallel::usableProcessors(), 1u);
}

TEST(ThreadLimit, OnlyWholeNumbersFromOneTo1024) {
    EXPECT_EQ(parallel::parseThreadLimit("1"), Processors(1));
    EXPECT_EQ(parallel::parseThreadLimit("16"), Processors(16));
    EXPECT_EQ(parallel::parseThreadLimit("1024"), Processors(1024));
    EXPECT_EQ(parallel::parseThreadLimit("0004"), Processors(4));
    for (const char* text : {"", "0", "1025", "99999", "-1", "+2", " 2", "2 ", "2x", "1.5", "zwei"}) {
        EXPECT_EQ(parallel::parseThreadLimit(text), std::nullopt) << text;
    }
}

// Every part runs once, each on a thread below the pool's count, also when there are fewer
// parts than threads; the calling thread asks `between` before each of its parts but the first.
TEST(WorkerPool, EveryPartRunsOnceOnOneOfItsThreads) {
    for (const unsigned threads : {1u, 2u, 4u}) {
        parallel::WorkerPool pool(threads);
        for (const std::size_t parts : {0u, 1u, 3u, 1000u}) {
            std::vector<std::atomic<int>> runs(parts);
            std::atomic<bool> threadInRange{true};
            std::size_t betweens = 0;
            pool.run(
                parts,
                [&](std::size_t part, unsigned thread) {
                    ++runs[part];
                    threadInRange = threadInRange && thread < threads;
                },
                [&] { ++betweens; });
            for (std::size_t part = 0; part < parts; ++part) {
                EXPECT_EQ(runs[part], 1) << threads << " threads, part " << part;
            }
            EXPECT_TRUE(threadInRange);
            // In order, `between` comes before every part but the first; with several threads it
            // also comes while the caller waits for the others, as often as the system makes it wait.
            if (threads == 1 || parts <= 1) {
                EXPECT_EQ(betweens, parts > 1 ? parts - 1 : 0) << threads << " threads, " << parts << " parts";
            }
        }
    }
}

// A worker's exception reaches the caller, after which the pool runs the next computation.
// The calling thread's part waits until a worker has thrown, so the worker surely takes a part.
TEST(WorkerPool, AWorkersExceptionReachesTheCallerAndThePoolGoesOn) {
    parallel::WorkerPool pool(2);
    std::atomic<bool> workerThrew{false};
    const auto work = [&](std::size_t, unsigned thread) {
        if (thread != 0) {
            workerThrew = true;
            throw std::runtime_error("part failed");
        }
        const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!workerThrew && std::chrono::steady_clock::now() < guard) {
        }
    };
    EXPECT_THROW(pool.run(2, work, [] {}), std::runtime_error);
    std::atomic<int> runs{0};
    pool.run(
        100, [&](std::size_t, unsigned) { ++runs; }, [] {});
    EXPECT_EQ(runs, 100);
}

// What `between` throws (a cancel) stops the run: the part under way on the worker sees the
// stop and ends, no part starts after it, and the exception reaches the caller.
TEST(WorkerPool, AThrowBetweenPartsStopsEveryThread) {
    parallel::WorkerPool pool(2);
    std::atomic<int> started{0};
    const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    const auto work = [&](std::size_t, unsigned thread) {
        ++started;
        while (thread != 0 && !parallel::WorkerPool::stopped() && std::chrono::steady_clock::now() < guard) {
        }
    };
    // Only once the worker is inside a part: then two parts have started, the caller's and its.
    const auto between = [&] {
        while (started < 2 && std::chrono::steady_clock::now() < guard) {
        }
        throw std::runtime_error("cancelled");
    };
    EXPECT_THROW(pool.run(1000, work, between), std::runtime_error);
    EXPECT_EQ(started, 2) << "parts went on after the stop";
    EXPECT_FALSE(parallel::WorkerPool::stopped());
}

}  // namespace
