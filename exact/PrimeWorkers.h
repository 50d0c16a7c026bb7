// PrimeWorkers: the computations of the exact engine modulo each of its primes, which are
// independent of each other, shared among the worker pool's threads, and the progress through
// them. Each prime writes only results of its own, which the caller takes in the order of the
// primes, so the number of threads changes the time and nothing else.
//
// The calling thread alone reports the progress, within its primes and between them, so a cancel
// comes from there; the other threads watch for the run to stop at every step of their
// eliminations, and end within a step. The progress counts the primes done on every thread and
// the steps of the caller's own, and never goes back: a prime that turns out of no use adds one
// to those expected.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>

#include "exact/ModularElimination.h"
#include "parallel/WorkerPool.h"

class PrimeWorkers {
public:
    using Progress = std::function<void(double fractionDone)>;
    // What one prime computes: the index of the prime, the thread it runs on (below threads()),
    // and the polls to call after each step of an elimination and between other long steps.
    using Work = std::function<void(std::size_t index, unsigned thread, const modular_elimination::Poll& steps,
                                    const std::function<void()>& poll)>;

    // residueShare: the share of the progress that the primes take, the results the rest.
    // shareable: whether the primes may run on other threads than the calling one.
    PrimeWorkers(const Progress& progress, double expectedPrimes, std::size_t n, double residueShare, bool shareable)
        : progress(progress),
          expected(std::max(expectedPrimes, 1.0)),
          order(static_cast<double>(n)),
          residueShare(residueShare),
          threadCount(shareable ? parallel::WorkerPool::shared().threads() : 1) {}

    // Threads that the primes run on, each with working memory of its own.
    unsigned threads() const { return threadCount; }

    // Runs work for the primes from index `first` on, `count` of them, and returns when all have
    // ended; an exception from any (a cancel, a refusal of memory) ends the others and is thrown.
    void run(std::size_t first, std::size_t count, const Work& work) {
        const auto steps = [this](std::size_t done) {
            const double primes = static_cast<double>(primesDone.load()) + static_cast<double>(done) / order;
            report(residueShare * std::min(primes / expected, 1.0));
        };
        const auto poll = pollOnly();
        const modular_elimination::Poll watchSteps = [](std::size_t) { stopIfAsked(); };
        const std::function<void()> watch = [] { stopIfAsked(); };
        const parallel::WorkerPool::Work part = [&](std::size_t index, unsigned thread) {
            if (thread == 0) {
                work(first + index, 0, steps, poll);
            } else {
                work(first + index, thread, watchSteps, watch);
            }
            ++primesDone;
        };
        if (threadCount == 1 || static_cast<double>(count) * order * order * order < smallestSharedWork()) {
            for (std::size_t index = 0; index < count; ++index) {
                part(index, 0);
            }
            return;
        }
        parallel::WorkerPool::shared().run(count, part, poll);
    }

    // Runs of at least this much work (primes times the cube of the order) share their primes
    // among the pool's threads. A shorter one would be over before the other threads are awake,
    // and they would then watch for the next run, which costs processor time and saves none.
    // Tests lower it, to take that path with small matrices.
    static double& smallestSharedWork() {
        static double work = 1 << 22;
        return work;
    }

    void expectOneMorePrime() { expected += 1.0; }
    // Putting the results together in `passes` passes over the n * n (or n) entries: combining
    // the residues, forming the fractions; pass counts from 0. Each entry may take long when
    // the numbers are, so each is a chance to cancel.
    void resultEntry(std::size_t pass, std::size_t passes, double entriesDone, double entries) const {
        const double done = (static_cast<double>(pass) + entriesDone / entries) / static_cast<double>(passes);
        report(residueShare + (1.0 - residueShare) * done);
    }
    // Long steps between the reports (residues of long entries, the weights of many primes) are
    // chances to cancel too; on the calling thread only.
    std::function<void()> pollOnly() const {
        return [this] { report(last); };
    }

private:
    // Ends a prime on another thread once the run is stopped; what stopped it is thrown to the caller.
    struct Stopped {};
    static void stopIfAsked() {
        if (parallel::WorkerPool::stopped()) {
            throw Stopped();
        }
    }

    void report(double fraction) const {
        last = std::max(last, fraction);
        progress(last);
    }

    const Progress& progress;
    mutable double last = 0.0;
    double expected;
    double order;
    double residueShare;
    unsigned threadCount;
    std::atomic<std::size_t> primesDone{0};
};
