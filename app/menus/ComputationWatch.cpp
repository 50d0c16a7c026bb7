#include "app/menus/ComputationWatch.h"

#include <chrono>
#include <cmath>
#include <string>

#include "app/terminal/Terminal.h"
#include "matrix/ComputationCancelled.h"
#include "matrix/ComputationMonitor.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto quietTime = std::chrono::milliseconds(500);
constexpr auto redrawInterval = std::chrono::milliseconds(100);

struct ShownProgress {
    Clock::time_point startedAt{};
    Clock::time_point drawnAt{};
    double fraction = 0.0;
    bool lineShown = false;
    int continuedSeen = 0;  // stops and continues of the program when the line was last drawn
};

ShownProgress shown;
// A watcher that was set before the menu's own (a test's time limit) keeps being asked.
ComputationMonitor::Watcher outerWatcher = nullptr;

// The line must stay on one row: a line the terminal wraps leaves a row behind at every
// update. So it is cut to the width less one column (a text that fills the last column wraps on
// some terminals); where the words do not fit, the percentage alone is shown, cut too if even
// that is too wide.
std::string fittedProgressText(const std::string& percentage) {
    std::string whole = "Berechnung laeuft ... " + percentage;
    const int columns = terminal::columns();
    if (columns <= 0) {
        return whole;
    }
    const auto room = static_cast<std::size_t>(columns - 1);
    return whole.size() <= room ? whole : percentage.substr(0, room);
}

void drawProgress() {
    const int percent = static_cast<int>(std::floor(shown.fraction * 100.0));
    terminal::showProgressLine(fittedProgressText(std::to_string(percent) + " %"));
    shown.lineShown = true;
}

void watchComputation(double fractionDone) {
    if (outerWatcher != nullptr) {
        outerWatcher(fractionDone);
    }
    if (terminal::takeCancelRequest()) {
        throw ComputationCancelled();
    }
    shown.fraction = fractionDone;
    if (!terminal::writesToTerminal()) {
        return;
    }
    const Clock::time_point now = Clock::now();
    // Continued after a stop, the line is drawn at once, on the fresh line below the shell's text.
    const bool continued = terminal::continuedCount() != shown.continuedSeen;
    if (!continued &&
        (now - shown.startedAt < quietTime || (shown.lineShown && now - shown.drawnAt < redrawInterval))) {
        return;
    }
    shown.continuedSeen = terminal::continuedCount();
    shown.drawnAt = now;
    drawProgress();
}

}  // namespace

ComputationWatch::ComputationWatch() {
    shown = ShownProgress{Clock::now(), {}, 0.0, false, terminal::continuedCount()};
    terminal::beginComputation();
    outerWatcher = ComputationMonitor::watcher();
    ComputationMonitor::setWatcher(watchComputation);
}

ComputationWatch::~ComputationWatch() {
    ComputationMonitor::setWatcher(outerWatcher);
    outerWatcher = nullptr;
    terminal::endComputation();
    if (shown.lineShown) {
        // The result is drawn where the progress line stood.
        terminal::clearProgressLine();
    }
}
