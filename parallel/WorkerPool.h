// WorkerPool: a fixed set of threads that share the independent parts of one computation (row
// ranges of an update, the primes of the exact engine). The calling thread takes parts too, and
// between its parts it may stop the run (a cancel), which the workers notice before their next
// part. Nothing else is scheduled: parts go to whichever thread asks first. A thread without
// work watches for the next run for a moment before it sleeps, since the runs of an elimination
// follow each other within microseconds and a wake-up through the system takes longer.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace parallel {

class WorkerPool {
public:
    // The pool that every computation shares; it starts with usableProcessors() threads.
    static WorkerPool& shared();

    explicit WorkerPool(unsigned threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Threads that a run uses, the calling one included; at least 1.
    unsigned threads() const { return count; }
    // Changes that number (0 counts as 1); not while a run is under way.
    void setThreads(unsigned threads);

    // Runs work(0, thread), ..., work(parts - 1, thread), each once, on the pool's threads and
    // the calling one, and returns when every part has ended. `thread` tells the threads apart
    // (0 is the calling one, all are below threads()), so that each may work in memory of its own. The calling thread
    // runs `between` before each of its parts but the first, and every 20 ms while it waits for the others' parts. An
    // exception from a part or from `between` stops the run: no part starts after it, those under way end, and the
    // first one is thrown here. With one thread, or called from inside a part, the parts run in order on the calling
    // thread.
    using Work = std::function<void(std::size_t part, unsigned thread)>;
    void run(std::size_t parts, const Work& work, const std::function<void()>& between);

    // Whether the run whose part the calling thread is in has been stopped, so that a long part
    // can end early; false outside a part and in a run on one thread.
    static bool stopped();

private:
    struct Job {
        Job(const Work& work, std::size_t parts) : work(&work), parts(parts) {}
        const Work* work;
        std::size_t parts;
        std::atomic<std::size_t> next{0};
        std::atomic<bool> stopped{false};
        std::mutex errorMutex;
        std::exception_ptr error;
        void fail(std::exception_ptr thrown);
    };

    static void takeParts(Job& job, unsigned thread, const std::function<void()>* between);
    // Watches `done` for a moment; true when it came true meanwhile.
    template <typename Done>
    static bool watchBriefly(Done done);
    static void runInOrder(std::size_t parts, const Work& work, const std::function<void()>& between, unsigned thread);
    void startWorkers();
    void stopWorkers();
    void serve(std::uint64_t seen, unsigned thread);

    unsigned count;
    std::mutex runMutex;  // one run at a time, whichever thread starts it
    std::mutex mutex;     // guards what follows
    std::condition_variable wake;
    std::condition_variable finished;
    std::vector<std::thread> workers;
    Job* job = nullptr;
    // Written under the mutex; read without it too, by the threads that watch for a change.
    std::atomic<std::uint64_t> generation{0};
    std::atomic<std::size_t> busy{0};
    std::atomic<bool> closing{false};
};

}  // namespace parallel
