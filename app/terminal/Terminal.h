// Terminal: the only code that touches the console. It clears the screen, sets the four text
// attributes, reads keys without echo, pauses, and hands standard input to the dialogs: on a
// terminal through the line editor (libedit), elsewhere as it comes.
//
// Sequences written, only when standard output is a terminal:
//   ESC [ H ESC [ 2 J      cursor home and clear the screen
//   ESC [ 0 m              attribute 7, normal text
//   ESC [ 0 ; 30 ; 47 m    attribute 112, black on light grey (the highlighted entry)
//   ESC [ 0 ; 91 m         attribute 12, light red (library errors)
//   ESC [ 0 ; 30 ; 101 m   attribute 192, black on light red (other errors)
//
// When standard input is a terminal, keys are read with canonical mode and echo off and
// signals on; libedit sets its own mode while it reads a line. The saved settings and the normal
// attribute are restored on every way out: exit, end of input, an uncaught exception, every
// signal whose default ends the program (restored, then the signal is raised again with that
// default; the attribute waits only briefly for a terminal that takes nothing), and SIGTSTP
// (restored before the stop; after SIGCONT the settings as they were and a redraw: a menu
// whole, a dialog its prompt and the line typed so far; a stop that the system drops, without
// job control, draws nothing). SIGWINCH redraws at once in the same way where the screens go
// to a terminal. SIGINT during a computation only asks the computation to stop. SIGXFSZ is
// ignored: past a file size limit the write fails, and the run ends as for any write error.
//
// A dialog's line on a terminal may be of any length; through a pipe, keys and typed values come
// from one byte stream, where CR, LF and CR LF each end a line.
#pragma once

#include <iosfwd>
#include <memory>
#include <string_view>

#include "app/terminal/KeyDecoder.h"

namespace terminal {

inline constexpr const char* pausePrompt = "Druecken Sie eine beliebige Taste . . .";
// Standard error's last line when standard output cannot be written (full disk, closed pipe).
inline constexpr std::string_view outputFailedText = "tavolent: Schreibfehler bei der Ausgabe\n";

// The terminal's whole state for one run, in the manner of a line editor's edit state: the
// settings found and the modes set, the buffer of what was typed ahead, the line shown, the
// flags that a stop or a new window size leaves. `main` owns the one session and hands it to
// `start`; the functions below work on it from then on. Each platform gives `State` (see
// TerminalPosix.cpp and TerminalWindows.cpp), and the signal handlers reach only the part of it
// that they must. When the session ends, it leaves the terminal as it was found.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    struct State;
    State& state() { return *held; }

private:
    std::unique_ptr<State> held;
};

// Once, at the start of the program: takes over standard input and output for `session`.
void start(Session& session);

// For tests: keys and typed values come from `in`, attributes are written as sequences when
// `outputIsTerminal`; no terminal settings are touched and no handler is installed, and the
// end of input throws InputEnded instead of ending the process.
void startWithStreams(std::istream& in, bool outputIsTerminal);

// Thrown at the end of input in place of exiting (see startWithStreams). Handlers that catch
// every failure to show it let this one pass.
struct InputEnded {};

void clearScreen();
void setAttribute(int value);

// The next key code for a menu, one code per call: an arrow key yields its prefix code first.
// At end of input the program ends with status 1.
int readKeyCode();

// Waits for one whole key press (an arrow counts once), as a pause does.
void waitForAnyKey();

// Call before a dialog reads typed values from std::cin, once its prompt is written: line mode
// with echo, on a terminal through the line editor, which draws the prompt's last line again
// when it redraws. The rest of the line that the last typed value came from is dropped before
// the next key is read, so the Enter that finished it never counts as a key.
void beginTypedInput(std::string_view prompt);

// Drops the rest of the current typed line (after an unreadable value).
void discardTypedLine();

// The input ended where the program waited for the user: restore and exit with status 1.
[[noreturn]] void endOfInput();

// Between these two, Ctrl-C does not end the program but asks the computation to stop;
// `takeCancelRequest` tells (once) whether it was pressed.
void beginComputation();
void endComputation();
bool takeCancelRequest();
// How often the program was continued after a stop so far (a redrawn screen is due).
int continuedCount();

// Whether screen output goes to a terminal (and may be overwritten in place).
bool writesToTerminal();
// The width of the terminal that screen output goes to, in columns; 0 where it is unknown.
int columns();

// A line that tells how far a computation is, drawn on a terminal only: each call shows `text`
// in place of what the line showed before, and `clearProgressLine` takes it away, so that what
// follows is written where it stood.
void showProgressLine(std::string_view text);
void clearProgressLine();

}  // namespace terminal
