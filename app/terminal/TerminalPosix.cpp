#include "app/terminal/Terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/terminal/EditorBytes.h"
#include "app/terminal/InputBuffer.h"
#include "app/terminal/LineEditor.h"
#include "app/terminal/PipeOutput.h"
#include "app/terminal/ShownLine.h"
#include "app/terminal/TerminalOutput.h"
#include "app/terminal/TerminalPlatform.h"
#include "app/terminal/TextAttributes.h"
#include "app/terminal/Wakeups.h"

namespace terminal {

namespace {

constexpr int inputFd = 0;
constexpr int outputFd = 1;

// What the signal handlers read and write: flags, descriptors, the saved settings and the
// buffer of held output, nothing that a handler could find half changed.
struct SignalShared {
    volatile std::sig_atomic_t inputIsTerminal = 0;
    volatile std::sig_atomic_t outputIsTerminal = 0;
    volatile std::sig_atomic_t keyModeActive = 0;
    volatile std::sig_atomic_t continueCount = 0;
    volatile std::sig_atomic_t continueSeen = 0;
    // A process that leads its own session (a tmux pane, ssh -t) has no shell that could stop and
    // continue it: the system drops every stop, and Ctrl-Z must leave the terminal alone.
    volatile std::sig_atomic_t cannotBeStopped = 0;
    Wakeups wakeups;
    // The terminal of standard output once more, non-blocking, for the attribute reset on the
    // way out: a terminal that takes nothing (Ctrl-S, a stalled connection) must not hold a
    // signal's end.
    int resetFd = -1;
    termios savedSettings{};
    termios keySettings{};
    termios lineSettings{};
    PipeOutput* heldOutput = nullptr;  // set when standard output is not a terminal
    detail::Interrupts interrupts;
};

}  // namespace

struct Session::State {
    detail::CommonState common;
    SignalShared signals;
    LineEditor* lineEditor = nullptr;    // reads the dialogs' lines when standard input is a terminal
    ShownLine* shownLine = nullptr;      // what stands on the terminal's line, when output goes there
    std::size_t linesBegunAtPrompt = 0;  // where the last prompt was handed to the line editor
    bool wokenByContinue = false;        // why the last wait for a key ended without one
};

namespace {

// No session in use, before the start and after the end (tests, benchmarks): no terminal, and
// the keys from std::cin.
Session::State& idle() {
    static Session::State state;
    return state;
}

// The session in use, set by start (or, for tests, by startWithStreams), and the one route by
// which the signal handlers reach its state: `reachedBySignals` points at its SignalShared
// alone, and every function that a handler calls takes its state from there; it is null while
// no session is in use.
Session::State* active = nullptr;
SignalShared* reachedBySignals = nullptr;

Session::State& state() {
    return active != nullptr ? *active : idle();
}

SignalShared& shared() {
    return state().signals;
}

long millisecondsNow() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000L + now.tv_nsec / 1000000L;
}

// Async-signal-safe: what the terminal takes within `milliseconds`, the rest is left. Without
// a descriptor of its own (a terminal without a name), each write waits for room first.
void writeWithin(int resetFd, const char* text, std::size_t length, int milliseconds) {
    const long deadline = millisecondsNow() + milliseconds;
    const int fd = resetFd >= 0 ? resetFd : outputFd;
    while (length > 0) {
        const long left = deadline - millisecondsNow();
        pollfd request{fd, POLLOUT, 0};
        if (resetFd < 0 && (left <= 0 || ::poll(&request, 1, static_cast<int>(left)) <= 0)) {
            return;
        }
        const ssize_t written = ::write(fd, text, length);
        if (written > 0) {
            text += written;
            length -= static_cast<std::size_t>(written);
            continue;
        }
        if (written == 0 || (errno != EINTR && errno != EAGAIN) || left <= 0) {
            return;
        }
        ::poll(&request, 1, static_cast<int>(left));
    }
}

void drainHeldOutput() {
    if (shared().heldOutput != nullptr) {
        shared().heldOutput->drain();
    }
}

// Standard error is tied to this stream: its flush before every error text drains what
// standard output holds, so both keep their order on a shared pipe.
class DrainOnFlush : public std::streambuf {
protected:
    int sync() override {
        drainHeldOutput();
        return 0;
    }
};

void restoreTerminal();

// Screens that cannot be written are lost to the user: the run ends, as --help >/dev/full does.
[[noreturn]] void outputFailed() {
    [[maybe_unused]] const ssize_t written = ::write(2, outputFailedText.data(), outputFailedText.size());
    restoreTerminal();
    ::_exit(1);
}

// Output that is not a terminal is held between reads (see PipeOutput). The buffers are
// never destroyed: the standard streams use them until the very end of the process.
void holdOutputUntilInputIsAwaited(InputBuffer& inputBuffer) {
    shared().heldOutput = new PipeOutput(outputFd, outputFailed);
    std::cout.rdbuf(shared().heldOutput);
    std::cerr.tie(new std::ostream(new DrainOnFlush));
    inputBuffer.callBeforeWaiting(drainHeldOutput);
}

// How long the attribute reset may wait for a terminal that takes nothing.
constexpr int resetMilliseconds = 200;

// Async-signal-safe: only write, poll and tcsetattr, and never an unbounded wait.
void restoreTerminal() {
    SignalShared* const signals = reachedBySignals;
    if (signals == nullptr) {
        return;
    }
    if (signals->outputIsTerminal) {
        const std::string_view normal = detail::attributeSequence(normalAttribute);
        writeWithin(signals->resetFd, normal.data(), normal.size(), resetMilliseconds);
    }
    if (signals->inputIsTerminal) {
        ::tcsetattr(inputFd, TCSANOW, &signals->savedSettings);
    }
    signals->keyModeActive = 0;
}

void applyMode() {
    if (shared().inputIsTerminal) {
        ::tcsetattr(inputFd, TCSANOW, shared().keyModeActive ? &shared().keySettings : &shared().lineSettings);
    }
}

#if defined(TAVOLENT_COVERAGE)
extern "C" void __gcov_dump();
#endif

// How long a handler that ends the program waits for a reader that takes nothing.
constexpr int lastOutputMilliseconds = 500;

void restoreAndReraise(int signalNumber) {
    // Held output still goes out before the end, but never into a pipe that has closed, and
    // never at the price of waiting on for a reader that has stopped.
    SignalShared* const signals = reachedBySignals;
    if (signalNumber != SIGPIPE && signals != nullptr && signals->heldOutput != nullptr) {
        signals->heldOutput->drainBeforeExit(lastOutputMilliseconds);
    }
    restoreTerminal();
#if defined(TAVOLENT_COVERAGE)
    // A build that measures coverage writes its counts here, as exit() would have.
    __gcov_dump();
#endif
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void interruptHandler(int signalNumber) {
    SignalShared* const signals = reachedBySignals;
    if (signals != nullptr && signals->interrupts.computing) {
        signals->interrupts.cancelRequested = true;
        return;
    }
    restoreAndReraise(signalNumber);
}

void installHandler(int signalNumber, void (*handler)(int), int flags = 0) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = flags;
    sigaction(signalNumber, &action, nullptr);
}

void wakeReader(const Wakeups& wakeups) {
    if (wakeups.pipe[1] >= 0) {
        const char wake = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeups.pipe[1], &wake, 1);
    }
}

void stopHandler(int) {
    SignalShared* const signals = reachedBySignals;
    if (signals == nullptr) {
        std::signal(SIGTSTP, SIG_DFL);
        std::raise(SIGTSTP);
        return;
    }
    // Giving the terminal back for a stop that cannot come would echo what is typed meanwhile.
    if (signals->cannotBeStopped != 0) {
        return;
    }
    const std::sig_atomic_t wasKeyMode = signals->keyModeActive;
    // The line editor's own settings, if it is reading, are taken back as they were.
    termios current{};
    const bool haveCurrent = signals->inputIsTerminal && ::tcgetattr(inputFd, &current) == 0;
    restoreTerminal();
    std::signal(SIGTSTP, SIG_DFL);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    signals->continueSeen = 0;
    ::kill(::getpid(), SIGTSTP);
    // Continued: take the terminal back as it was and have the screen drawn again.
    installHandler(SIGTSTP, stopHandler);
    signals->keyModeActive = wasKeyMode;
    if (haveCurrent) {
        ::tcsetattr(inputFd, TCSANOW, &current);
    }
    // A stop that the system dropped all the same (a group whose shell has gone) continues
    // nothing: the screen stands as it was.
    if (signals->continueSeen == 0) {
        return;
    }
    signals->continueCount = signals->continueCount + 1;
    signals->wakeups.continuedAfterStop = 1;
    wakeReader(signals->wakeups);
}

// Runs before the stop handler goes on after its stop, so it tells whether there was one.
void continueHandler(int) {
    if (SignalShared* const signals = reachedBySignals) {
        signals->continueSeen = 1;
    }
}

void resizeHandler(int) {
    if (SignalShared* const signals = reachedBySignals) {
        signals->wakeups.windowResized = 1;
        wakeReader(signals->wakeups);
    }
}

// What every way out does while the session is in use: the last output goes out, and the
// terminal is left as it was found.
void finish() {
    std::cout.flush();
    drainHeldOutput();
    restoreTerminal();
}

void onExit() {
    finish();
}

void onTerminate() {
    drainHeldOutput();
    restoreTerminal();
    std::abort();
}

void enterKeyMode() {
    if (!shared().keyModeActive) {
        shared().keyModeActive = 1;
        applyMode();
    }
}

// After libedit's line, key mode again at once, so that keys typed meanwhile are neither
// echoed nor held in the kernel's line (where a Ctrl-D would be lost).
void takeTerminalBack(const std::string& shown) {
    shared().keyModeActive = 1;
    applyMode();
    if (state().shownLine != nullptr) {
        state().shownLine->endLine(shown);
    }
}

void enterLineMode() {
    if (shared().keyModeActive) {
        shared().keyModeActive = 0;
        applyMode();
    }
}

// Blocks until input is there without spending CPU; false when a continue after a stop
// ended the wait and the screen should be drawn again.
bool awaitInput() {
    InputBuffer* const fdBuffer = state().common.fdBuffer;
    if (fdBuffer == nullptr) {
        return true;
    }
    Wakeups& wakeups = shared().wakeups;
    for (;;) {
        const InputBuffer::Wait result = fdBuffer->waitForByte(-1, wakeups.pipe[0]);
        if (result == InputBuffer::Wait::Data) {
            return true;
        }
        // Where the screens go to no terminal, a new window size asks for no screen of them.
        if (result == InputBuffer::Wait::Woken && (shared().outputIsTerminal || wakeups.continuedAfterStop)) {
            break;
        }
        wakeups.windowResized = 0;
    }
    state().wokenByContinue = wakeups.continuedAfterStop != 0;
    wakeups.windowResized = 0;
    wakeups.continuedAfterStop = 0;
    return false;
}

bool editorDrawsPrompt() {
    if (!shared().outputIsTerminal) {
        drainHeldOutput();
        return false;
    }
    return true;
}

const std::string* shownLinesAbove() {
    return state().shownLine != nullptr ? &state().shownLine->linesAbove() : nullptr;
}

// The LF of a CR LF that ended the last typed line or Enter is no key, however late it comes.
bool skippedLineFeedOfTypedLine() {
    LineEditor* const lineEditor = state().lineEditor;
    InputBuffer* const fdBuffer = state().common.fdBuffer;
    if (lineEditor == nullptr || !lineEditor->takeLineFeedMayFollow() || fdBuffer->sgetc() != '\n') {
        return false;
    }
    fdBuffer->sbumpc();
    return true;
}

// The next key press; nullopt when the wait was interrupted for a redraw.
std::optional<KeyPress> readKeyPress() {
    detail::dropRestOfTypedLine();
    // The mode changes before the screen is complete, so a key typed at once is not echoed.
    enterKeyMode();
    std::cout.flush();
    do {
        if (!awaitInput()) {
            return std::nullopt;
        }
    } while (skippedLineFeedOfTypedLine());
    // A terminal's Enter is a CR alone: it counts at once, with no wait for an LF that only a
    // paste would send, and that LF, whenever it comes, is no second Enter.
    InputBuffer* const fdBuffer = state().common.fdBuffer;
    if (state().lineEditor != nullptr && fdBuffer->sgetc() == '\r') {
        fdBuffer->sbumpc();
        state().lineEditor->lineEndedWithCarriageReturn();
        return KeyPress{false, keys::enter, false};
    }
    return detail::decodeNextKey();
}

}  // namespace

Session::Session() : held(std::make_unique<State>()) {}

// A session that ends while it is in use (main returns) does what exit would have done for
// it: its output goes out and the terminal is restored. The handlers find no session after it.
// A tests' session (see useStreams) was never reached by them and touched no terminal.
Session::~Session() {
    if (active == held.get()) {
        if (reachedBySignals == &held->signals) {
            finish();
        }
        reachedBySignals = nullptr;
        active = nullptr;
    }
}

namespace detail {

CommonState& common() {
    return state().common;
}

Interrupts& interrupts() {
    return shared().interrupts;
}

bool dropTypedLineOnTerminal() {
    // The line editor holds the line: what is left of it goes, keys typed after it stay.
    if (state().lineEditor == nullptr) {
        return false;
    }
    state().lineEditor->discardLine();
    return true;
}

void restore() {
    // The shell goes on where the program stopped: on a line of its own.
    if (state().shownLine != nullptr && state().shownLine->lineHasText()) {
        std::cout << std::endl;
    }
    restoreTerminal();
}

void useStreams(Session& session, bool sequences) {
    active = &session.state();
    state().lineEditor = nullptr;
    shared().inputIsTerminal = 0;
    shared().outputIsTerminal = sequences ? 1 : 0;
}

void afterComputation() {
    // The result screen follows anyway: a stop or a resize during the computation asks for no
    // further redraw.
    Wakeups& wakeups = shared().wakeups;
    char drained[16];
    while (wakeups.pipe[0] >= 0 && ::read(wakeups.pipe[0], drained, sizeof(drained)) > 0) {
    }
    wakeups.continuedAfterStop = 0;
    wakeups.windowResized = 0;
}

}  // namespace detail

// Screens and error texts on a terminal are written whole (see TerminalOutput); standard error
// loses what it cannot write, as when it is closed.
static void useTerminalOutput() {
    std::cout.rdbuf(new TerminalOutput(outputFd, outputFailed));
    if (::isatty(STDERR_FILENO)) {
        std::cerr.rdbuf(new TerminalOutput(STDERR_FILENO, nullptr));
    }
    if (const char* name = ::ttyname(outputFd)) {
        shared().resetFd = ::open(name, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    }
}

// Every other signal whose default ends the program leaves the terminal as it was found too,
// then takes that default. One that was caught or ignored before the start (a sanitizer's,
// nohup's) stays as it was.
static void restoreOnEveryEndingSignal() {
    std::vector<int> ending = {SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU, SIGIO,
                               SIGSYS,  SIGTRAP, SIGILL,  SIGFPE,    SIGSEGV, SIGBUS,  SIGABRT};
#if defined(__linux__)
    ending.insert(ending.end(), {SIGSTKFLT, SIGPWR});
#endif
    for (int signalNumber = SIGRTMIN; signalNumber <= SIGRTMAX; ++signalNumber) {
        ending.push_back(signalNumber);
    }
    for (const int signalNumber : ending) {
        struct sigaction current {};
        if (::sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            installHandler(signalNumber, restoreAndReraise);
        }
    }
}

// A standard descriptor that came closed would be taken by the first file the program opens
// (the wake pipe, say, read as if it were the keys). /dev/null, opened read-only, fills it:
// a read finds the end of input and a write fails, as they would have on the closed one.
static void fillClosedStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
            const int opened = ::open("/dev/null", O_RDONLY);
            if (opened >= 0 && opened != fd) {
                ::dup2(opened, fd);
                ::close(opened);
            }
        }
    }
}

// Line mode with echo for the kernel's own line; key mode without either, each key at once.
static void makeModes(SignalShared& signals) {
    signals.lineSettings = signals.savedSettings;
    signals.lineSettings.c_lflag |= ICANON | ECHO | ECHOE | ECHOK | ISIG;
    signals.keySettings = signals.savedSettings;
    signals.keySettings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    // A CR comes as itself, so that the LF of a pasted CR LF is known as part of its line end.
    signals.keySettings.c_iflag &= ~static_cast<tcflag_t>(ICRNL);
    signals.keySettings.c_lflag |= ISIG;
    signals.keySettings.c_cc[VMIN] = 1;
    signals.keySettings.c_cc[VTIME] = 0;
}

static void installHandlers() {
    std::atexit(onExit);
    std::set_terminate(onTerminate);
    for (int signalNumber : {SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        installHandler(signalNumber, restoreAndReraise);
    }
    restoreOnEveryEndingSignal();
    // Past a file size limit a write fails with EFBIG, which ends the run with its message.
    std::signal(SIGXFSZ, SIG_IGN);
    installHandler(SIGINT, interruptHandler);
    installHandler(SIGTSTP, stopHandler);
    // Restarted calls: a resize or a continue must not fail a write; a wait for input ends anyway.
    installHandler(SIGCONT, continueHandler, SA_RESTART);
    installHandler(SIGWINCH, resizeHandler, SA_RESTART);
}

void start(Session& session) {
    active = &session.state();
    reachedBySignals = &active->signals;
    SignalShared& signals = shared();
    fillClosedStandardDescriptors();
    signals.inputIsTerminal = ::isatty(inputFd) ? 1 : 0;
    signals.outputIsTerminal = ::isatty(outputFd) ? 1 : 0;
    signals.cannotBeStopped = ::getpgrp() == ::getsid(0) ? 1 : 0;
    static InputBuffer buffer(inputFd);
    state().common.fdBuffer = &buffer;
    std::cin.rdbuf(&buffer);
    state().common.input = &std::cin;
    if (!signals.outputIsTerminal) {
        holdOutputUntilInputIsAwaited(buffer);
    } else {
        useTerminalOutput();
        state().shownLine = new ShownLine;
        state().shownLine->follow(std::cout);
        if (::isatty(STDERR_FILENO)) {
            state().shownLine->follow(std::cerr);
        }
    }
    if (signals.inputIsTerminal && ::tcgetattr(inputFd, &signals.savedSettings) == 0) {
        static EditorBytes editorBytes(buffer, signals.wakeups);
        static LineEditor editor(inputFd, editorBytes, {editorDrawsPrompt, shownLinesAbove, takeTerminalBack});
        state().lineEditor = &editor;
        std::cin.rdbuf(&editor);
        makeModes(signals);
    } else {
        signals.inputIsTerminal = 0;
    }
    if (::pipe(signals.wakeups.pipe) == 0) {
        for (int fd : signals.wakeups.pipe) {
            ::fcntl(fd, F_SETFL, O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    installHandlers();
    // Keys typed while the first screen is drawn are neither echoed nor held in a line.
    enterKeyMode();
}

void clearScreen() {
    if (shared().outputIsTerminal) {
        std::cout << "\x1b[H\x1b[2J" << std::flush;
    }
}

void setAttribute(int value) {
    // Without a terminal there are no attributes, and nothing to keep in step with them.
    if (!shared().outputIsTerminal) {
        return;
    }
    std::cout.flush();
    std::cerr.flush();
    std::cout << detail::attributeSequence(value) << std::flush;
}

int readKeyCode() {
    return detail::nextKeyCode(readKeyPress);
}

void waitForAnyKey() {
    detail::forgetQueuedCode();
    detail::dropRestOfTypedLine();
    enterKeyMode();
    std::cout << pausePrompt << std::flush;
    while (!readKeyPress()) {
        // Continued after a stop: the prompt may have been scrolled away. A resize leaves the
        // result where it stands.
        if (state().wokenByContinue) {
            std::cout << '\n' << pausePrompt << std::flush;
        }
    }
    std::cout << std::endl;
}

void beginTypedInput(std::string_view prompt) {
    state().common.typedLinePending = true;
    LineEditor* const lineEditor = state().lineEditor;
    if (lineEditor == nullptr) {
        enterLineMode();
        std::cout.flush();
        return;
    }
    // The prompts of the values on a pasted line go out together; the line editor writes them
    // before it waits for the next line.
    if (!lineEditor->holdsTypedText()) {
        std::cout.flush();
    }
    // The prompt was written before this call: a line it began itself counts as begun anew.
    ShownLine* const shownLine = state().shownLine;
    const std::size_t linesBegun = shownLine != nullptr ? shownLine->linesBegun() : 0;
    lineEditor->startValue(prompt, shownLine != nullptr && linesBegun == state().linesBegunAtPrompt);
    state().linesBegunAtPrompt = linesBegun;
    // The terminal stays without echo and line mode until libedit takes it, so nothing typed
    // meanwhile is echoed twice or held back in the kernel's line.
    enterKeyMode();
}

int continuedCount() {
    return shared().continueCount;
}

bool writesToTerminal() {
    return shared().outputIsTerminal != 0;
}

}  // namespace terminal
