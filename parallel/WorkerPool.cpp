#include "parallel/WorkerPool.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#if !defined(_WIN32)
#include <pthread.h>

#include <csignal>
#endif

#include "parallel/UsableProcessors.h"

namespace parallel {

namespace {

// A part that runs a computation of its own runs it in order, as the same thread, so that runs
// never wait on each other and no two threads share a thread's memory.
constexpr unsigned outsideParts = ~0u;
thread_local unsigned partThread = outsideParts;
thread_local const std::atomic<bool>* runStopped = nullptr;

// How often a caller without parts left asks `between` while the others end theirs.
constexpr std::chrono::milliseconds waitingPoll{20};

// How long a thread without work watches for it before it sleeps: longer than the gap between
// two runs of an elimination's panels, far shorter than a person notices.
constexpr std::chrono::microseconds watchTime{200};

void pauseBriefly() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

class InsidePart {
public:
    InsidePart(unsigned thread, const std::atomic<bool>& stopped) {
        partThread = thread;
        runStopped = &stopped;
    }
    ~InsidePart() {
        partThread = outsideParts;
        runStopped = nullptr;
    }
    InsidePart(const InsidePart&) = delete;
    InsidePart& operator=(const InsidePart&) = delete;
};

}  // namespace

WorkerPool& WorkerPool::shared() {
    static WorkerPool pool(usableProcessors());
    return pool;
}

WorkerPool::WorkerPool(unsigned threads) : count(std::max(1u, threads)) {}

WorkerPool::~WorkerPool() {
    stopWorkers();
}

void WorkerPool::setThreads(unsigned threads) {
    const std::lock_guard<std::mutex> running(runMutex);
    stopWorkers();
    count = std::max(1u, threads);
}

bool WorkerPool::stopped() {
    return runStopped != nullptr && *runStopped;
}

void WorkerPool::Job::fail(std::exception_ptr thrown) {
    const std::lock_guard<std::mutex> lock(errorMutex);
    if (!error) {
        error = std::move(thrown);
    }
    stopped = true;
}

void WorkerPool::takeParts(Job& job, unsigned thread, const std::function<void()>* between) {
    bool first = true;
    while (!job.stopped) {
        const std::size_t part = job.next.fetch_add(1);
        if (part >= job.parts) {
            return;
        }
        try {
            if (between != nullptr && !first) {
                (*between)();
            }
            first = false;
            (*job.work)(part, thread);
        } catch (...) {
            job.fail(std::current_exception());
        }
    }
}

template <typename Done>
bool WorkerPool::watchBriefly(Done done) {
    const auto until = std::chrono::steady_clock::now() + watchTime;
    while (true) {
        for (int i = 0; i < 64; ++i) {
            if (done()) {
                return true;
            }
            pauseBriefly();
        }
        if (std::chrono::steady_clock::now() > until) {
            return false;
        }
    }
}

void WorkerPool::runInOrder(std::size_t parts, const Work& work, const std::function<void()>& between,
                            unsigned thread) {
    for (std::size_t part = 0; part < parts; ++part) {
        if (part > 0) {
            between();
        }
        work(part, thread);
    }
}

void WorkerPool::run(std::size_t parts, const Work& work, const std::function<void()>& between) {
    if (count <= 1 || parts <= 1 || partThread != outsideParts) {
        runInOrder(parts, work, between, partThread != outsideParts ? partThread : 0);
        return;
    }
    const std::lock_guard<std::mutex> running(runMutex);
    if (workers.empty()) {
        startWorkers();
    }
    Job current(work, parts);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        job = &current;
        busy = workers.size();
        generation = generation + 1;
    }
    wake.notify_all();
    {
        const InsidePart inside(0, current.stopped);
        takeParts(current, 0, &between);
    }
    // Parts on other threads may still take long once the caller has none left: it keeps asking
    // `between`, so that a cancel stops them as soon as while it had parts of its own.
    watchBriefly([this] { return busy == 0; });
    std::unique_lock<std::mutex> lock(mutex);
    while (!finished.wait_for(lock, waitingPoll, [this] { return busy == 0; })) {
        if (!current.stopped) {
            lock.unlock();
            try {
                between();
            } catch (...) {
                current.fail(std::current_exception());
            }
            lock.lock();
        }
    }
    job = nullptr;
    lock.unlock();
    if (current.error) {
        std::rethrow_exception(current.error);
    }
}

// Signals are the calling thread's business (Ctrl-C, a stop, a resize): the workers block
// them all from their first instruction on, so none is delivered to a thread that ignores it.
void WorkerPool::startWorkers() {
#if !defined(_WIN32)
    sigset_t all;
    sigset_t before;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &before);
#endif
    const std::lock_guard<std::mutex> lock(mutex);
    try {
        for (unsigned i = 1; i < count; ++i) {
            workers.emplace_back([this, seen = generation.load(), i] { serve(seen, i); });
        }
    } catch (const std::system_error&) {
        // The system gives no more threads: the run shares its parts among those it gave.
    }
#if !defined(_WIN32)
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
#endif
}

void WorkerPool::stopWorkers() {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        closing = true;
    }
    wake.notify_all();
    for (std::thread& worker : workers) {
        worker.join();
    }
    workers.clear();
    const std::lock_guard<std::mutex> lock(mutex);
    closing = false;
}

void WorkerPool::serve(std::uint64_t seen, unsigned thread) {
    while (true) {
        watchBriefly([&] { return closing || generation != seen; });
        Job* current = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [&] { return closing || generation != seen; });
            if (closing) {
                return;
            }
            seen = generation;
            current = job;
        }
        {
            const InsidePart inside(thread, current->stopped);
            takeParts(*current, thread, nullptr);
        }
        if (--busy == 0) {
            // Through the mutex, so that the caller is either before its test of `busy` or
            // waiting, never in between.
            { const std::lock_guard<std::mutex> lock(mutex); }
            finished.notify_one();
        }
    }
}

}  // namespace parallel
