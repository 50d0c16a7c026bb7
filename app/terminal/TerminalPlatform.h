// TerminalPlatform: between the terminal code both platforms share (TerminalCommon.cpp) and
// the part each platform gives it (TerminalPosix.cpp with termios and poll, TerminalWindows.cpp
// with the console API). Nothing outside the terminal layer includes it.
#pragma once

#include <atomic>
#include <iosfwd>
#include <optional>

#include "app/terminal/InputBuffer.h"
#include "app/terminal/KeyDecoder.h"

namespace terminal::detail {

// How long the rest of a split escape sequence (or the LF of a CR LF) is waited for.
inline constexpr int escapeWaitMilliseconds = 100;

// Where keys and typed values come from: standard input through `fdBuffer`, or, for tests, a
// stream of their own (then `fdBuffer` is null).
extern std::istream* input;
extern InputBuffer* fdBuffer;
// A dialog read a value; the rest of its line goes before the next key is read.
extern bool typedLinePending;
// Set and read by the signal handlers (POSIX) or the console's control thread (Windows).
extern std::atomic<bool> computing;
extern std::atomic<bool> cancelRequested;
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handlers need a lock-free flag");

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
// For startWithStreams: no terminal is touched; attributes become sequences if `sequences`.
void useStreams(bool sequences);
// After a computation: anything that arrived for a redraw meanwhile is void.
void afterComputation();

}  // namespace terminal::detail
