#include "app/menus/ComputationWatch.h"

#include <chrono>
#include <cmath>
#include <iostream>

#include "app/terminal/Terminal.h"
#include "matrix/ComputationCancelled.h"
#include "matrix/ComputationMonitor.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto quietTime = std::chrono::milliseconds(500);
constexpr auto redrawInterval = std::chrono::milliseconds(100);

struct Progress {
    Clock::time_point startedAt{};
    Clock::time_point drawnAt{};
    double fraction = 0.0;
    bool lineShown = false;
    int continuedSeen = 0;  // stops and continues of the program when the line was last drawn
};

Progress progress;
// A watcher that was set before the menu's own (a test's time limit) keeps being asked.
ComputationMonitor::Watcher outerWatcher = nullptr;

void drawProgress() {
    const int percent = static_cast<int>(std::floor(progress.fraction * 100.0));
    std::cout << "\rBerechnung laeuft ... " << percent << " %" << std::flush;
    progress.lineShown = true;
}

void watch(double fractionDone) {
    if (outerWatcher != nullptr) {
        outerWatcher(fractionDone);
    }
    if (terminal::takeCancelRequest()) {
        throw ComputationCancelled();
    }
    if (fractionDone >= 0.0) {
        progress.fraction = fractionDone;
    }
    if (!terminal::writesToTerminal()) {
        return;
    }
    const Clock::time_point now = Clock::now();
    // Continued after a stop, the line is drawn at once, on the fresh line below the shell's text.
    const bool continued = terminal::continuedCount() != progress.continuedSeen;
    if (!continued &&
        (now - progress.startedAt < quietTime || (progress.lineShown && now - progress.drawnAt < redrawInterval))) {
        return;
    }
    progress.continuedSeen = terminal::continuedCount();
    progress.drawnAt = now;
    drawProgress();
}

}  // namespace

ComputationWatch::ComputationWatch() {
    progress = Progress{Clock::now(), {}, 0.0, false, terminal::continuedCount()};
    terminal::beginComputation();
    outerWatcher = ComputationMonitor::watcher();
    ComputationMonitor::setWatcher(watch);
}

ComputationWatch::~ComputationWatch() {
    ComputationMonitor::setWatcher(outerWatcher);
    outerWatcher = nullptr;
    terminal::endComputation();
    if (progress.lineShown) {
        // The result is drawn where the progress line stood.
        std::cout << "\r\x1b[2K" << std::flush;
    }
}
