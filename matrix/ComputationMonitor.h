// ComputationMonitor: lets the application follow a long computation and cancel it, while the
// library knows nothing of terminals or signals. Long operations open a Scope and report each
// finished step (a pivot row, a minor, a result row); the watcher, if one is set, may throw to
// cancel. With no watcher a report costs one load and one branch, once per step, never inside
// an inner loop.
#pragma once

#include <cstdint>

class ComputationMonitor {
public:
    // Called with the fraction done (0 to 1) of the outermost running operation, or with a
    // negative value from a nested one (then only the chance to cancel matters).
    using Watcher = void (*)(double fractionDone);

    static void setWatcher(Watcher watcher) { current() = watcher; }
    static Watcher watcher() { return current(); }

    class Scope {
    public:
        explicit Scope(std::uint64_t totalSteps) : total(totalSteps), outermost(depth()++ == 0) {}
        ~Scope() { --depth(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        void step(std::uint64_t stepsDone) const {
            if (Watcher watcher = current()) {
                watcher(outermost && total > 0 ? static_cast<double>(stepsDone) / static_cast<double>(total) : -1.0);
            }
        }

    private:
        std::uint64_t total;
        bool outermost;
    };

private:
    static Watcher& current() {
        static Watcher watcher = nullptr;
        return watcher;
    }
    static int& depth() {
        static int nesting = 0;
        return nesting;
    }
};
