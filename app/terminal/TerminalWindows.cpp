// Terminal on the Windows console. The console API clears the window and sets the attributes,
// `_getch` delivers the keys code by code (an arrow gives its prefix 0 or 224 first), and the
// dialogs read the console key by key with an echo of their own (ConsoleLine), so that a
// typed line has no limit. When standard input is a pipe or a
// file, keys and typed values come from one byte stream, decoded as on a POSIX pipe; when
// standard output is not a console, nothing is cleared and no attribute is set.
//
// The saved console modes and attribute are restored on every way out: exit, end of input, an
// uncaught exception, Ctrl-C and Ctrl-Break (then the program ends with status 130) and the
// closing of the console window. Ctrl-C during a computation only asks it to stop.
#include "app/terminal/Terminal.h"

#include <conio.h>
#include <windows.h>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>

#include "app/terminal/InputBuffer.h"
#include "app/terminal/TerminalPlatform.h"
#include "app/terminal/TextAttributes.h"

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace terminal {

namespace {

constexpr int inputFd = 0;
constexpr UINT interruptStatus = 130;
constexpr int controlCCode = 3;
constexpr int functionKeyPrefix = 0;
constexpr int arrowKeyPrefix = 224;

// What the console's control handler reads, on a thread of its own: the handles, the modes and
// the attribute found, and the flags of a computation.
struct ConsoleShared {
    HANDLE inputHandle = INVALID_HANDLE_VALUE;
    HANDLE outputHandle = INVALID_HANDLE_VALUE;
    bool inputIsConsole = false;
    bool outputIsConsole = false;
    DWORD savedInputMode = 0;
    DWORD savedOutputMode = 0;
    WORD savedAttribute = normalAttribute;
    detail::Interrupts interrupts;
};

}  // namespace

struct Session::State {
    detail::CommonState common;
    ConsoleShared console;
    // Stream mode for tests: clearing and attributes travel as sequences inside the output.
    bool sequencesInOutput = false;
};

namespace {

// No session in use, before the start and after the end: no console, and the keys from std::cin.
Session::State& idle() {
    static Session::State state;
    return state;
}

// The session in use, and the one route by which the control handler reaches its state:
// `reachedByHandler` points at its ConsoleShared alone; null while no session is in use.
Session::State* active = nullptr;
ConsoleShared* reachedByHandler = nullptr;

Session::State& state() {
    return active != nullptr ? *active : idle();
}

ConsoleShared& console() {
    return state().console;
}

// What tests read back in stream mode, the same sequences a POSIX terminal is sent.
constexpr char clearSequence[] = "\x1b[H\x1b[2J";

void restoreConsole() {
    const ConsoleShared* const shared = reachedByHandler;
    if (shared == nullptr) {
        return;
    }
    if (shared->outputIsConsole) {
        SetConsoleTextAttribute(shared->outputHandle, shared->savedAttribute);
        SetConsoleMode(shared->outputHandle, shared->savedOutputMode);
    }
    if (shared->inputIsConsole) {
        SetConsoleMode(shared->inputHandle, shared->savedInputMode);
    }
}

[[noreturn]] void interrupted() {
    restoreConsole();
    ExitProcess(interruptStatus);
}

BOOL WINAPI controlHandler(DWORD event) {
    ConsoleShared* const shared = reachedByHandler;
    if (event == CTRL_C_EVENT && shared != nullptr && shared->interrupts.computing) {
        shared->interrupts.cancelRequested = true;
        return TRUE;
    }
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        interrupted();
    }
    // The window closes or the session ends: the system ends the program after this.
    restoreConsole();
    return FALSE;
}

void onExit() {
    restoreConsole();
}

void onTerminate() {
    restoreConsole();
    std::abort();
}

// `_getch` blocks until a key is there, so there is no need to poll `_kbhit` first and spend
// the processor on it (wine's console does not even report keys to `_kbhit` until a read
// waits). It switches the console's own Ctrl-C handling off while it waits, so Ctrl-C in a
// menu arrives here as a key and has to end the program the way the control handler would.
int nextConsoleCode() {
    const int code = _getch();
    if (code == controlCCode) {
        interrupted();
    }
    return code;
}

// The next key press from the byte stream.
std::optional<KeyPress> readStreamKeyPress() {
    detail::dropRestOfTypedLine();
    std::cout.flush();
    return detail::decodeNextKey();
}

}  // namespace

Session::Session() : held(std::make_unique<State>()) {}

// A session that ends while it is in use (main returns) leaves the console as it was found;
// the control handler finds no session after it. A tests' session touched no console.
Session::~Session() {
    if (active == held.get()) {
        restoreConsole();
        reachedByHandler = nullptr;
        active = nullptr;
    }
}

namespace detail {

CommonState& common() {
    return state().common;
}

Interrupts& interrupts() {
    return console().interrupts;
}

bool dropTypedLineOnTerminal() {
    // The console in line mode delivered exactly one line; what is left of it goes.
    InputBuffer* const fdBuffer = state().common.fdBuffer;
    if (!console().inputIsConsole || fdBuffer == nullptr) {
        return false;
    }
    fdBuffer->discardBuffered();
    return true;
}

void restore() {
    restoreConsole();
}

void useStreams(Session& session, bool sequences) {
    active = &session.state();
    console().inputIsConsole = false;
    console().outputIsConsole = false;
    state().sequencesInOutput = sequences;
}

// A computation cannot be stopped or resized into a redraw on the console.
void afterComputation() {}

}  // namespace detail

void start(Session& session) {
    active = &session.state();
    reachedByHandler = &active->console;
    ConsoleShared& shared = console();
    shared.inputHandle = GetStdHandle(STD_INPUT_HANDLE);
    shared.outputHandle = GetStdHandle(STD_OUTPUT_HANDLE);
    state().sequencesInOutput = false;
    DWORD mode = 0;
    shared.inputIsConsole = GetConsoleMode(shared.inputHandle, &mode) != 0;
    if (shared.inputIsConsole) {
        shared.savedInputMode = mode;
        SetConsoleMode(shared.inputHandle, mode | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT);
    }
    CONSOLE_SCREEN_BUFFER_INFO info{};
    shared.outputIsConsole =
        GetConsoleMode(shared.outputHandle, &mode) != 0 && GetConsoleScreenBufferInfo(shared.outputHandle, &info) != 0;
    if (shared.outputIsConsole) {
        shared.savedOutputMode = mode;
        shared.savedAttribute = info.wAttributes;
        // The progress line of a long computation erases itself with a control sequence.
        SetConsoleMode(shared.outputHandle, mode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
    static InputBuffer buffer(inputFd);
    state().common.fdBuffer = &buffer;
    std::cin.rdbuf(&buffer);
    state().common.input = &std::cin;
    std::atexit(onExit);
    std::set_terminate(onTerminate);
    SetConsoleCtrlHandler(controlHandler, TRUE);
}

void clearScreen() {
    if (state().sequencesInOutput) {
        std::cout << clearSequence << std::flush;
        return;
    }
    if (!console().outputIsConsole) {
        return;
    }
    const HANDLE outputHandle = console().outputHandle;
    std::cout.flush();
    std::cerr.flush();
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(outputHandle, &info) == 0) {
        return;
    }
    // The whole buffer, not only the visible window, as the command interpreter's "cls" does.
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    const COORD home{0, 0};
    DWORD written = 0;
    FillConsoleOutputCharacterA(outputHandle, ' ', cells, home, &written);
    FillConsoleOutputAttribute(outputHandle, info.wAttributes, cells, home, &written);
    SetConsoleCursorPosition(outputHandle, home);
}

void setAttribute(int value) {
    std::cout.flush();
    std::cerr.flush();
    if (state().sequencesInOutput) {
        std::cout << detail::attributeSequence(value) << std::flush;
        return;
    }
    if (console().outputIsConsole) {
        SetConsoleTextAttribute(console().outputHandle, static_cast<WORD>(value));
    }
}

int readKeyCode() {
    if (console().inputIsConsole) {
        detail::dropRestOfTypedLine();
        std::cout.flush();
        return nextConsoleCode();
    }
    return detail::nextKeyCode(readStreamKeyPress);
}

void waitForAnyKey() {
    detail::forgetQueuedCode();
    detail::dropRestOfTypedLine();
    std::cout << pausePrompt << std::flush;
    if (console().inputIsConsole) {
        const int code = nextConsoleCode();
        if (code == functionKeyPrefix || code == arrowKeyPrefix) {
            nextConsoleCode();
        }
    } else {
        readStreamKeyPress();
    }
    std::cout << std::endl;
}

void beginTypedInput(std::string_view) {
    std::cout.flush();
    state().common.typedLinePending = true;
}

// The console has no stop and continue.
int continuedCount() {
    return 0;
}

bool writesToTerminal() {
    return console().outputIsConsole || state().sequencesInOutput;
}

}  // namespace terminal
