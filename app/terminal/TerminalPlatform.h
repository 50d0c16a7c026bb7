// TerminalPlatform: between the terminal code both platforms share (TerminalCommon.cpp) and
// the part each platform gives it (TerminalPosix.cpp with termios and poll, TerminalWindows.cpp
// with the console API). Nothing outside the terminal layer includes it.
#pragma once

#include <atomic>
#include <iostream>
#include <optional>

#include "app/terminal/InputBuffer.h"
#include "app/terminal/KeyDecoder.h"
#include "app/terminal/Terminal.h"

namespace terminal::detail {

// How long the rest of a split escape sequence (or the LF of a CR LF) is waited for.
inline constexpr int escapeWaitMilliseconds = 100;

// What both platforms keep of the terminal between calls: a part of the session's state.
struct CommonState {
    // Where keys and typed values come from: standard input through `fdBuffer`, or, for
    // tests, a stream of their own (then `fdBuffer` is null).
    std::istream* input = &std::cin;
    InputBuffer* fdBuffer = nullptr;
    // A dialog read a value; the rest of its line goes before the next key is read.
    bool typedLinePending = false;
    // Tests: the end of input throws InputEnded instead of ending the process.
    bool inputEndThrows = false;
    // An arrow's own code, due after its prefix code was given.
    int queuedCode = -1;
    // The last typed line or the last key ended with a CR: an LF that comes next, however late,
    // completes that line end and is no key.
    bool lineFeedMayFollow = false;
};

// Set and read by the signal handlers (POSIX) or the console's control thread (Windows).
struct Interrupts {
    std::atomic<bool> computing{false};
    std::atomic<bool> cancelRequested{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "the signal handlers need a lock-free flag");
};

// Given by each platform: the parts of the state of the session in use.
CommonState& common();
Interrupts& interrupts();

// The control sequence that sets a text attribute, as a terminal (and a test) receives it.
const char* attributeSequence(int value);

// Drops the rest of the pending typed line, if any, so its Enter never counts as a key.
void dropRestOfTypedLine();
// The next key press from the byte stream; the end of input ends the program.
KeyPress decodeNextKey();
// The code for a menu, one per call: an arrow gives its prefix first, then its own code.
// `readPress` gives nothing when a wait ended for a redraw.
int nextKeyCode(std::optional<KeyPress> (*readPress)());
// A pause takes a whole key press: an arrow's second code waiting from before is dropped.
void forgetQueuedCode();

// Given by each platform.
// Drops what is left of a typed line that the terminal holds; false when it holds none.
bool dropTypedLineOnTerminal();
// Leaves the terminal and the console as they were found.
void restore();
// For startWithStreams: `session` is the one in use, and no terminal is touched; attributes
// become sequences if `sequences`.
void useStreams(Session& session, bool sequences);
// After a computation: anything that arrived for a redraw meanwhile is void.
void afterComputation();

}  // namespace terminal::detail
