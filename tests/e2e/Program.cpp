#include "e2e/Program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

int statusOf(int waitStatus) {
    if (WIFEXITED(waitStatus)) {
        return WEXITSTATUS(waitStatus);
    }
    if (WIFSIGNALED(waitStatus)) {
        return 128 + WTERMSIG(waitStatus);
    }
    return -1;
}

[[noreturn]] void execProgram(const std::vector<std::string>& prefixArgs) {
    std::vector<char*> argv;
    argv.reserve(prefixArgs.size() + 2);
    for (const std::string& arg : prefixArgs) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(const_cast<char*>(TAVOLENT_BINARY));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

// A run that does not end by itself within this time has hung.
constexpr int hangLimitSeconds = 30;

}  // namespace

PipedRun runPiped(const std::string& input, const std::vector<std::string>& prefixArgs) {
    int in[2];
    int out[2];
    int err[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0 || ::pipe(err) != 0) {
        throw std::runtime_error("pipe");
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
            ::close(fd);
        }
        execProgram(prefixArgs);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    ::signal(SIGPIPE, SIG_IGN);
    ::fcntl(in[1], F_SETFL, O_NONBLOCK);

    PipedRun run;
    const auto started = Clock::now();
    std::size_t written = 0;
    bool inputOpen = true;
    bool outOpen = true;
    bool errOpen = true;
    const auto deadline = Clock::now() + std::chrono::seconds(hangLimitSeconds);
    while (outOpen || errOpen) {
        if (Clock::now() > deadline) {
            ::kill(child, SIGKILL);
            break;
        }
        if (inputOpen && written == input.size()) {
            ::close(in[1]);
            inputOpen = false;
        }
        std::vector<pollfd> fds;
        if (inputOpen) {
            fds.push_back({in[1], POLLOUT, 0});
        }
        if (outOpen) {
            fds.push_back({out[0], POLLIN, 0});
        }
        if (errOpen) {
            fds.push_back({err[0], POLLIN, 0});
        }
        ::poll(fds.data(), fds.size(), 200);
        for (const pollfd& p : fds) {
            if (p.revents == 0) {
                continue;
            }
            if (p.fd == in[1]) {
                const ssize_t n = ::write(in[1], input.data() + written, input.size() - written);
                if (n > 0) {
                    written += static_cast<std::size_t>(n);
                } else if (n < 0 && errno == EPIPE) {
                    written = input.size();
                }
                continue;
            }
            char buffer[65536];
            const ssize_t n = ::read(p.fd, buffer, sizeof(buffer));
            std::string& target = p.fd == out[0] ? run.out : run.err;
            if (n > 0) {
                target.append(buffer, static_cast<std::size_t>(n));
            } else {
                (p.fd == out[0] ? outOpen : errOpen) = false;
            }
        }
    }
    if (inputOpen) {
        ::close(in[1]);
    }
    ::close(out[0]);
    ::close(err[0]);
    int waitStatus = 0;
    rusage usage{};
    ::wait4(child, &waitStatus, 0, &usage);
    run.exitStatus = statusOf(waitStatus);
    run.peakKilobytes = usage.ru_maxrss;
    run.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    return run;
}

// The program runs as the foreground job of a small session leader, as under a shell, so that
// Ctrl-Z really stops it (a process group without a parent in its session is never stopped).
// The leader ends with the program's status.
[[noreturn]] void leadSession(int slave, int reportPid) {
    ::setsid();
    ::ioctl(slave, TIOCSCTTY, 0);
    const pid_t program = ::fork();
    if (program == 0) {
        ::setpgid(0, 0);
        ::dup2(slave, 0);
        ::dup2(slave, 1);
        ::dup2(slave, 2);
        if (slave > 2) {
            ::close(slave);
        }
        ::close(reportPid);
        execProgram({});
    }
    ::setpgid(program, program);
    ::signal(SIGTTOU, SIG_IGN);
    ::tcsetpgrp(slave, program);
    ::write(reportPid, &program, sizeof(program));
    ::close(reportPid);
    int waitStatus = 0;
    while (::waitpid(program, &waitStatus, 0) == program) {
        if (WIFEXITED(waitStatus) || WIFSIGNALED(waitStatus)) {
            ::_exit(statusOf(waitStatus));
        }
    }
    ::_exit(126);
}

TerminalSession::TerminalSession() {
    winsize size{};
    size.ws_row = 50;
    size.ws_col = 120;
    if (::openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
        throw std::runtime_error("openpty");
    }
    ::tcgetattr(slave, &initial);
    int report[2];
    if (::pipe(report) != 0) {
        throw std::runtime_error("pipe");
    }
    pid = ::fork();
    if (pid == 0) {
        ::close(master);
        ::close(report[0]);
        leadSession(slave, report[1]);
    }
    ::close(report[1]);
    if (::read(report[0], &programPid, sizeof(programPid)) != sizeof(programPid)) {
        throw std::runtime_error("session leader");
    }
    ::close(report[0]);
}

TerminalSession::~TerminalSession() {
    if (pid > 0) {
        int waitStatus = 0;
        if (::waitpid(pid, &waitStatus, WNOHANG) == 0) {
            ::kill(programPid, SIGKILL);
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &waitStatus, 0);
        }
    }
    ::close(master);
    ::close(slave);
}

// Reads the screen while typing, so a long input never waits on a screen nobody reads.
void TerminalSession::type(const std::string& keys) {
    std::size_t done = 0;
    while (done < keys.size()) {
        pollfd p{master, POLLIN | POLLOUT, 0};
        if (::poll(&p, 1, 1000) <= 0) {
            continue;
        }
        if ((p.revents & POLLIN) != 0) {
            readAvailable(0);
        }
        if ((p.revents & POLLOUT) != 0) {
            const std::size_t chunk = std::min<std::size_t>(keys.size() - done, 256);
            const ssize_t n = ::write(master, keys.data() + done, chunk);
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                break;
            }
            done += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
    }
}

void TerminalSession::readAvailable(int timeoutMilliseconds) {
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, timeoutMilliseconds) <= 0) {
        return;
    }
    char buffer[65536];
    const ssize_t n = ::read(master, buffer, sizeof(buffer));
    if (n > 0) {
        pending.append(buffer, static_cast<std::size_t>(n));
    }
}

bool TerminalSession::waitFor(const std::string& text, int timeoutMilliseconds) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    for (;;) {
        const std::size_t found = pending.find(text, consumed);
        if (found != std::string::npos) {
            consumed = found + text.size();
            return true;
        }
        if (Clock::now() > deadline) {
            return false;
        }
        readAvailable(50);
    }
}

std::string TerminalSession::takeOutput() {
    readAvailable(50);
    std::string all = pending;
    pending.clear();
    consumed = 0;
    return all;
}

void TerminalSession::sendSignal(int signalNumber) {
    ::kill(programPid, signalNumber);
}

void TerminalSession::resize(unsigned short rows, unsigned short columns) {
    winsize size{};
    size.ws_row = rows;
    size.ws_col = columns;
    ::ioctl(master, TIOCSWINSZ, &size);
}

bool TerminalSession::waitUntilStopped(int timeoutMilliseconds) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    const std::string statPath = "/proc/" + std::to_string(programPid) + "/stat";
    while (Clock::now() < deadline) {
        std::ifstream stat(statPath);
        std::string pidField;
        std::string name;
        char state = '?';
        stat >> pidField >> name >> state;
        if (state == 'T') {
            return true;
        }
        readAvailable(20);
    }
    return false;
}

int TerminalSession::waitForExit(int timeoutMilliseconds) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    for (;;) {
        int waitStatus = 0;
        const pid_t done = ::waitpid(pid, &waitStatus, WNOHANG);
        if (done == pid) {
            pid = -1;
            // The session leader passes the program's status on as its exit code.
            return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
        }
        if (Clock::now() > deadline) {
            return -1;
        }
        readAvailable(20);
    }
}

termios TerminalSession::settings() const {
    termios current{};
    ::tcgetattr(slave, &current);
    return current;
}

bool sameSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
           std::memcmp(a.c_cc, b.c_cc, sizeof(a.c_cc)) == 0;
}
