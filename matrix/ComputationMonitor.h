// ComputationMonitor: lets the application follow a long computation and cancel it, while the
// library knows nothing of terminals or signals. Long operations open a Scope and report each
// finished step (a pivot row, a minor, a result row); the watcher, if one is set, may throw to
// cancel. With no watcher a report costs two stores, one load and one branch, once per step,
// never inside an inner loop.
//
// An operation that runs inside another (the determinant of an inverse, the minors of an
// adjugate) reports within the share of the outer one's work that it does, so the fraction the
// watcher sees rises from 0 to 1 once for the whole computation and never falls.
#pragma once

#include <algorithm>
#include <cstdint>

class ComputationMonitor {
public:
    // Called with the fraction done (0 to 1) of the whole computation.
    using Watcher = void (*)(double fractionDone);

    static void setWatcher(Watcher watcher) { current() = watcher; }
    static Watcher watcher() { return current(); }

    // Asks the watcher again within a step, at the fraction reached so far, so that it may
    // cancel a long step that threads share (the calling thread asks between its parts).
    static void poll() {
        const Scope* scope = innermost();
        if (Watcher watcher = current(); watcher != nullptr && scope != nullptr) {
            watcher(scope->at(scope->reached));
        }
    }

    class Scope {
    public:
        explicit Scope(std::uint64_t totalSteps)
            : total(totalSteps),
              outer(innermost()),
              from(outer != nullptr ? outer->at(outer->reached) : 0.0),
              to(outer != nullptr ? outer->at(outer->nestedEnd) : 1.0) {
            innermost() = this;
        }
        ~Scope() { innermost() = outer; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        // `stepsDone` of the total are done; the operations run inside this one before its next
        // report do the next step.
        void step(std::uint64_t stepsDone) const { step(stepsDone, stepsDone + 1); }
        // The same, when the operations run inside this one do the steps up to `nestedUpTo`.
        void step(std::uint64_t stepsDone, std::uint64_t nestedUpTo) const {
            reached = stepsDone;
            nestedEnd = nestedUpTo;
            if (Watcher watcher = current()) {
                watcher(at(stepsDone));
            }
        }

    private:
        friend class ComputationMonitor;
        double at(std::uint64_t steps) const {
            const double share =
                total > 0 ? static_cast<double>(std::min(steps, total)) / static_cast<double>(total) : 1.0;
            return from + (to - from) * share;
        }

        std::uint64_t total;
        const Scope* outer;
        double from;
        double to;
        mutable std::uint64_t reached = 0;
        mutable std::uint64_t nestedEnd = 1;
    };

private:
    static Watcher& current() {
        static Watcher watcher = nullptr;
        return watcher;
    }
    static const Scope*& innermost() {
        static const Scope* scope = nullptr;
        return scope;
    }
};
