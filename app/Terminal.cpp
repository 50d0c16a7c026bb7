#include "app/Terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "app/InputBuffer.h"
#include "app/LineEditor.h"

namespace terminal {
namespace {

constexpr int inputFd = 0;
constexpr int outputFd = 1;
constexpr int escapeWaitMilliseconds = 100;

constexpr char normalSequence[] = "\x1b[0m";

// State read by the signal handlers: plain flags and the saved settings only.
volatile std::sig_atomic_t inputIsTerminal = 0;
volatile std::sig_atomic_t outputIsTerminal = 0;
volatile std::sig_atomic_t keyModeActive = 0;
volatile std::sig_atomic_t computing = 0;
volatile std::sig_atomic_t cancelRequested = 0;
// Set with a write to the wake pipe, which ends any wait for input so the screen is drawn again.
volatile std::sig_atomic_t continuedAfterStop = 0;
volatile std::sig_atomic_t windowResized = 0;
volatile std::sig_atomic_t continueCount = 0;
int wakePipe[2] = {-1, -1};
termios savedSettings{};
termios keySettings{};
termios lineSettings{};

std::istream* input = &std::cin;
InputBuffer* fdBuffer = nullptr;   // set when standard input is read through our own buffer
LineEditor* lineEditor = nullptr;  // reads the dialogs' lines when standard input is a terminal
bool typedLinePending = false;
bool inputEndThrows = false;
int queuedCode = -1;
bool wokenByContinue = false;  // why the last wait for a key ended without one

void writeRaw(const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(outputFd, text, length);
        if (written <= 0) {
            return;
        }
        text += written;
        length -= static_cast<std::size_t>(written);
    }
}

// Async-signal-safe: only write and tcsetattr.
void restoreTerminal() {
    if (outputIsTerminal) {
        writeRaw(normalSequence, sizeof(normalSequence) - 1);
    }
    if (inputIsTerminal) {
        ::tcsetattr(inputFd, TCSANOW, &savedSettings);
    }
    keyModeActive = 0;
}

void applyMode() {
    if (inputIsTerminal) {
        ::tcsetattr(inputFd, TCSANOW, keyModeActive ? &keySettings : &lineSettings);
    }
}

void restoreAndReraise(int signalNumber) {
    restoreTerminal();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void interruptHandler(int signalNumber) {
    if (computing) {
        cancelRequested = 1;
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

void wakeReader() {
    if (wakePipe[1] >= 0) {
        const char wake = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &wake, 1);
    }
}

void stopHandler(int) {
    const std::sig_atomic_t wasKeyMode = keyModeActive;
    // The line editor's own settings, if it is reading, are taken back as they were.
    termios current{};
    const bool haveCurrent = inputIsTerminal && ::tcgetattr(inputFd, &current) == 0;
    restoreTerminal();
    std::signal(SIGTSTP, SIG_DFL);
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &stop, nullptr);
    ::kill(::getpid(), SIGTSTP);
    // Continued: take the terminal back as it was and have the screen drawn again.
    installHandler(SIGTSTP, stopHandler);
    keyModeActive = wasKeyMode;
    if (haveCurrent) {
        ::tcsetattr(inputFd, TCSANOW, &current);
    }
    continueCount = continueCount + 1;
    continuedAfterStop = 1;
    wakeReader();
}

void resizeHandler(int) {
    windowResized = 1;
    wakeReader();
}

void onExit() {
    restoreTerminal();
}

void onTerminate() {
    restoreTerminal();
    std::abort();
}

void enterKeyMode() {
    if (!keyModeActive) {
        keyModeActive = 1;
        applyMode();
    }
}

void enterLineMode() {
    if (keyModeActive) {
        keyModeActive = 0;
        applyMode();
    }
}

// Keys come from the buffer in front of standard input; on a terminal the dialogs read their
// lines through the line editor, which takes its bytes from the same buffer.
std::streambuf* keyBuffer() {
    return fdBuffer != nullptr ? static_cast<std::streambuf*>(fdBuffer) : input->rdbuf();
}

// Bytes for the key decoder, in the order they arrived.
class StreamBytes : public ByteSource {
public:
    int next() override { return toByte(keyBuffer()->sbumpc()); }
    int peekSoon() override {
        if (fdBuffer != nullptr && fdBuffer->waitForByte(escapeWaitMilliseconds) != InputBuffer::Wait::Data) {
            return nothingYet;
        }
        return toByte(keyBuffer()->sgetc());
    }

private:
    static int toByte(std::char_traits<char>::int_type value) {
        return value == std::char_traits<char>::eof() ? endOfInput : static_cast<unsigned char>(value);
    }
};

// Blocks until input is there without spending CPU; false when a continue after a stop
// ended the wait and the screen should be drawn again.
bool awaitInput() {
    if (fdBuffer == nullptr) {
        return true;
    }
    InputBuffer::Wait result = InputBuffer::Wait::Timeout;
    while (result == InputBuffer::Wait::Timeout) {
        result = fdBuffer->waitForByte(-1, wakePipe[0]);
    }
    if (result == InputBuffer::Wait::Data) {
        return true;
    }
    wokenByContinue = continuedAfterStop != 0;
    windowResized = 0;
    continuedAfterStop = 0;
    return false;
}

// The line editor's bytes: the next byte typed, or why the wait ended early.
int nextEditorByte() {
    for (;;) {
        const InputBuffer::Wait result = fdBuffer->waitForByte(-1, wakePipe[0]);
        if (result == InputBuffer::Wait::Data) {
            const auto byte = fdBuffer->sbumpc();
            return byte == std::char_traits<char>::eof() ? LineEditor::endOfInput : static_cast<unsigned char>(byte);
        }
        if (result == InputBuffer::Wait::Woken) {
            const bool resized = windowResized != 0;
            windowResized = 0;
            continuedAfterStop = 0;
            return resized ? LineEditor::resized : LineEditor::continued;
        }
    }
}

// The Enter that finished a typed value belongs to that value, not to the next menu.
void dropRestOfTypedLine() {
    if (!typedLinePending) {
        return;
    }
    typedLinePending = false;
    // On a terminal the line editor holds the line: what is left of it goes, keys typed after
    // it stay.
    if (lineEditor != nullptr) {
        lineEditor->discardLine();
        return;
    }
    std::streambuf* buffer = input->rdbuf();
    for (;;) {
        const auto byte = buffer->sbumpc();
        if (byte == std::char_traits<char>::eof()) {
            endOfInput();
        }
        if (byte == '\n') {
            return;
        }
        // A CR ends the line as well; an LF right after it belongs to the same line end.
        if (byte == '\r') {
            StreamBytes bytes;
            if (bytes.peekSoon() == '\n') {
                bytes.next();
            }
            return;
        }
    }
}

// The next key press; nullopt when the wait was interrupted for a redraw.
std::optional<KeyPress> readKeyPress() {
    dropRestOfTypedLine();
    // The mode changes before the screen is complete, so a key typed at once is not echoed.
    enterKeyMode();
    std::cout.flush();
    if (!awaitInput()) {
        return std::nullopt;
    }
    StreamBytes bytes;
    const KeyPress key = decodeKey(bytes);
    if (key.endOfInput) {
        endOfInput();
    }
    return key;
}

}  // namespace

void start() {
    inputIsTerminal = ::isatty(inputFd) ? 1 : 0;
    outputIsTerminal = ::isatty(outputFd) ? 1 : 0;
    static InputBuffer buffer(inputFd);
    fdBuffer = &buffer;
    std::cin.rdbuf(&buffer);
    input = &std::cin;
    if (inputIsTerminal && ::tcgetattr(inputFd, &savedSettings) == 0) {
        static LineEditor editor(inputFd, nextEditorByte);
        lineEditor = &editor;
        std::cin.rdbuf(&editor);
        lineSettings = savedSettings;
        lineSettings.c_lflag |= ICANON | ECHO | ECHOE | ECHOK | ISIG;
        keySettings = savedSettings;
        keySettings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        keySettings.c_lflag |= ISIG;
        keySettings.c_cc[VMIN] = 1;
        keySettings.c_cc[VTIME] = 0;
    } else {
        inputIsTerminal = 0;
    }
    if (::pipe(wakePipe) == 0) {
        for (int fd : wakePipe) {
            ::fcntl(fd, F_SETFL, O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    std::atexit(onExit);
    std::set_terminate(onTerminate);
    for (int signalNumber : {SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        installHandler(signalNumber, restoreAndReraise);
    }
    installHandler(SIGINT, interruptHandler);
    installHandler(SIGTSTP, stopHandler);
    // Restarted calls: a resize must not fail a write; a wait for input ends anyway.
    installHandler(SIGWINCH, resizeHandler, SA_RESTART);
}

void startWithStreams(std::istream& in, bool outputTerminal) {
    input = &in;
    fdBuffer = nullptr;
    lineEditor = nullptr;
    inputEndThrows = true;
    inputIsTerminal = 0;
    outputIsTerminal = outputTerminal ? 1 : 0;
    typedLinePending = false;
    queuedCode = -1;
}

void clearScreen() {
    if (outputIsTerminal) {
        std::cout << "\x1b[H\x1b[2J" << std::flush;
    }
}

void setAttribute(int value) {
    std::cout.flush();
    std::cerr.flush();
    if (!outputIsTerminal) {
        return;
    }
    switch (value) {
    case 112:
        std::cout << "\x1b[0;30;47m";
        break;
    case 12:
        std::cout << "\x1b[0;91m";
        break;
    case 192:
        std::cout << "\x1b[0;30;101m";
        break;
    default:
        std::cout << normalSequence;
        break;
    }
    std::cout.flush();
}

int readKeyCode() {
    if (queuedCode >= 0) {
        const int code = queuedCode;
        queuedCode = -1;
        return code;
    }
    const std::optional<KeyPress> pressed = readKeyPress();
    if (!pressed) {
        return keys::none;
    }
    const KeyPress key = *pressed;
    if (key.hasPrefix) {
        queuedCode = key.code;
        return keys::arrowPrefix;
    }
    return key.code;
}

void waitForAnyKey() {
    queuedCode = -1;
    dropRestOfTypedLine();
    enterKeyMode();
    std::cout << pausePrompt << std::flush;
    while (!readKeyPress()) {
        // Continued after a stop: the prompt may have been scrolled away. A resize leaves the
        // result where it stands.
        if (wokenByContinue) {
            std::cout << '\n' << pausePrompt << std::flush;
        }
    }
    std::cout << std::endl;
}

void beginTypedInput(std::string_view prompt) {
    enterLineMode();
    std::cout.flush();
    typedLinePending = true;
    if (lineEditor != nullptr) {
        lineEditor->setPrompt(std::string(prompt.substr(prompt.rfind('\n') + 1)));
    }
}

void discardTypedLine() {
    typedLinePending = true;
    dropRestOfTypedLine();
    typedLinePending = true;
}

void endOfInput() {
    std::cout.flush();
    if (inputEndThrows) {
        throw InputEnded{};
    }
    restoreTerminal();
    std::exit(1);
}

void beginComputation() {
    cancelRequested = 0;
    computing = 1;
}

void endComputation() {
    computing = 0;
    cancelRequested = 0;
    // The result screen follows anyway: a stop or a resize during the computation asks for no
    // further redraw.
    char drained[16];
    while (wakePipe[0] >= 0 && ::read(wakePipe[0], drained, sizeof(drained)) > 0) {
    }
    continuedAfterStop = 0;
    windowResized = 0;
}

bool takeCancelRequest() {
    if (!cancelRequested) {
        return false;
    }
    cancelRequested = 0;
    return true;
}

int continuedCount() {
    return continueCount;
}

bool writesToTerminal() {
    return outputIsTerminal != 0;
}

}  // namespace terminal
