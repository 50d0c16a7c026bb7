// Program: runs the built calculator as a user meets it, through a pipe or a pseudo-terminal,
// and gives back what it wrote and how it ended.
#pragma once

#include <termios.h>
#include <string>
#include <vector>

struct PipedRun {
    std::string out;         // standard output
    std::string err;         // standard error
    int exitStatus = -1;     // exit code, or 128 + signal number
    long peakKilobytes = 0;  // the largest resident set the program had
    double seconds = 0.0;    // from start to end
};

// Feeds `input` to standard input (then closes it) and collects both output streams.
PipedRun runPiped(const std::string& input, const std::vector<std::string>& prefixArgs = {});

// A session on a pseudo-terminal: keys are typed one chunk at a time, and the screen output
// is read as it comes.
class TerminalSession {
public:
    TerminalSession();
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    void type(const std::string& keys);
    // Reads output until `text` has appeared after the last call (or the timeout); returns
    // whether it appeared.
    bool waitFor(const std::string& text, int timeoutMilliseconds = 5000);
    // All output since the last waitFor or takeOutput.
    std::string takeOutput();
    void sendSignal(int signalNumber);
    // Gives the terminal a new size, as a user dragging the window does.
    void resize(unsigned short rows, unsigned short columns);
    // Waits until the program is stopped (job control), reading its output meanwhile.
    bool waitUntilStopped(int timeoutMilliseconds = 5000);
    // Waits for the program to end; exit code, or 128 + signal number.
    int waitForExit(int timeoutMilliseconds = 5000);
    // The settings of the terminal the program runs on, as a program would see them now.
    termios settings() const;
    // The settings before the program started.
    const termios& initialSettings() const { return initial; }

private:
    void readAvailable(int timeoutMilliseconds);

    int master = -1;
    int slave = -1;
    int pid = -1;
    int programPid = -1;
    termios initial{};
    std::string pending;
    std::size_t consumed = 0;
};

bool sameSettings(const termios& a, const termios& b);
