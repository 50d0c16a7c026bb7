// The calculator on a pseudo-terminal: the highlight, the dialogs' line editor, redraws after a
// stop or a resize, Ctrl-C in a computation, and the terminal as it was on every way out.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "e2e/FixedWidthScreen.h"
#include "e2e/KeyBytes.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program under test: the one built here, or another one named in $TAVOLENT.
const char* programPath() {
    const char* chosen = std::getenv("TAVOLENT");
    return chosen != nullptr && *chosen != '\0' ? chosen : TAVOLENT_BINARY;
}

// The program as the foreground job on a pseudo-terminal of 50 rows of `columns`, under a
// session leader as under a shell, so that Ctrl-Z really stops it. `prepare` runs in the
// program's process just before it starts (limits, redirections). Every wait is for the
// program's own output or state; the minute after which one gives up only turns a hang into a
// failure, as no machine, however loaded, takes that long.
class Terminal {
public:
    explicit Terminal(std::function<void(int terminal)> prepare = {}, unsigned short columns = 120)
        : prepare(std::move(prepare)) {
        winsize size{50, columns, 0, 0};
        if (::openpty(&master, &slave, nullptr, nullptr, &size) != 0 || ::tcgetattr(slave, &initial) != 0) {
            throw std::runtime_error("openpty");
        }
        if ((leader = ::fork()) == 0) {
            lead();
        }
        // The program is known once the leader has made it the terminal's foreground job.
        if (!waitUntil([&] { return (program = ::tcgetpgrp(master)) > 0 && program != leader; })) {
            throw std::runtime_error("session leader");
        }
    }
    // Ended by SIGTERM where it still runs, so that a build that measures coverage writes its
    // counts on the way out; SIGKILL for one that does not end within two seconds.
    ~Terminal() {
        ::kill(program, SIGCONT);
        ::kill(program, SIGTERM);
        const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(2);
        while (::waitpid(leader, nullptr, WNOHANG) == 0) {
            if (Clock::now() > giveUp) {
                ::kill(program, SIGKILL);
                ::waitpid(leader, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ::close(master);
        ::close(slave);
    }

    // Types `keys`, then waits for `text` in the output after what the last wait found.
    bool type(const std::string& keys, const std::string& text) {
        for (std::size_t done = 0; done < keys.size(); read(0)) {
            const ssize_t n = ::write(master, keys.data() + done, std::min<std::size_t>(keys.size() - done, 256));
            done += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
        std::size_t at = std::string::npos;
        const bool appeared = waitUntil([&] { return (at = output.find(text, found)) != std::string::npos; });
        found = appeared ? at + text.size() : found;
        return appeared;
    }
    std::string rest() { return output.substr(found); }
    // Waits until `done` holds for all the program has written so far.
    bool waitFor(const std::function<bool(const std::string&)>& done) {
        return waitUntil([&] { return done(output); });
    }
    // Types `keys` and reads nothing of the output.
    void typeUnread(const std::string& keys) const {
        [[maybe_unused]] const ssize_t n = ::write(master, keys.data(), keys.size());
    }
    void signal(int number) const { ::kill(program, number); }
    void resize(unsigned short rows, unsigned short columns) const {
        const winsize size{rows, columns, 0, 0};
        ::ioctl(master, TIOCSWINSZ, &size);
    }
    bool stopped() {
        return waitUntil([&] {
            std::string stat;
            std::getline(std::ifstream("/proc/" + std::to_string(program) + "/stat"), stat);
            return stat.find(") T ") != std::string::npos;
        });
    }
    int exitStatus() {
        int status = -1;
        return waitUntil([&] { return ::waitpid(leader, &status, WNOHANG) == leader; }) ? WEXITSTATUS(status) : -1;
    }
    // Waits until the program sleeps in system call `number` (SYS_write, say).
    bool blockedIn(long number) {
        return waitUntil([&] {
            std::string call;
            std::getline(std::ifstream("/proc/" + std::to_string(program) + "/syscall"), call);
            return call.rfind(std::to_string(number) + " ", 0) == 0;
        });
    }
    // Waits until the program sleeps while its output is not read: it waits for the terminal.
    bool waitingWithOutputUnread() {
        int unread = 0;
        return waitUntil(
            [&] {
                std::string stat;
                std::getline(std::ifstream("/proc/" + std::to_string(program) + "/stat"), stat);
                return ::ioctl(master, FIONREAD, &unread) == 0 && unread > 0 && stat.find(") S ") != std::string::npos;
            },
            false);
    }
    bool restored() const {
        termios now{};
        ::tcgetattr(slave, &now);
        return now.c_iflag == initial.c_iflag && now.c_oflag == initial.c_oflag && now.c_lflag == initial.c_lflag &&
               std::memcmp(now.c_cc, initial.c_cc, sizeof(now.c_cc)) == 0;
    }

private:
    // The session leader hands the program's status on as its own.
    [[noreturn]] void lead() {
        ::setsid();
        ::ioctl(slave, TIOCSCTTY, 0);
        if ((program = ::fork()) == 0) {
            // The foreground job before the program starts, as a shell does it: set up from the
            // background, the line editor's first settings would stop it with SIGTTOU.
            ::setpgid(0, 0);
            ::signal(SIGTTOU, SIG_IGN);
            ::tcsetpgrp(slave, ::getpid());
            ::signal(SIGTTOU, SIG_DFL);
            for (int fd : {0, 1, 2}) {
                ::dup2(slave, fd);
            }
            ::setenv("TERM", "xterm", 1);
            if (prepare) {
                prepare(slave);
            }
            ::execl(programPath(), programPath(), nullptr);
            ::_exit(127);
        }
        ::setpgid(program, program);
        ::signal(SIGTTOU, SIG_IGN);
        ::tcsetpgrp(slave, program);
        int status = 0;
        while (::waitpid(program, &status, 0) == program && !WIFEXITED(status) && !WIFSIGNALED(status)) {
        }
        ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    }
    bool read(int milliseconds) {
        pollfd p{master, POLLIN, 0};
        char buffer[65536];
        const ssize_t n = ::poll(&p, 1, milliseconds) > 0 ? ::read(master, buffer, sizeof(buffer)) : 0;
        output.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        return n > 0;
    }
    // Reads the output meanwhile, unless `reading` is off: then only waits.
    bool waitUntil(const std::function<bool()>& done, bool reading = true) {
        for (const auto hang = Clock::now() + std::chrono::minutes(1); !done();) {
            if (Clock::now() > hang) {
                return false;
            }
            if (reading) {
                read(20);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        return true;
    }

    std::function<void(int)> prepare;
    int master = -1, slave = -1;
    pid_t leader = -1, program = -1;
    termios initial{};
    std::string output;
    std::size_t found = 0;
};

const std::string highlight = "\x1b[0;30;47m";
const std::string normal = "\x1b[0m";
const std::string clear = "\x1b[H\x1b[2J";
const std::string doubleSizeDialog = down + "\r\r\r";  // type double, size of Matrix 1
// From the input menu, on its last entry, to what is shown of Matrix 1.
const std::string showMatrix1 = "\r" + down + "\r\r";

TEST(OnATerminal, TheHighlightFollowsAnArrowAStopOrResizeRedrawsAndNothingIsEchoed) {
    Terminal terminal;
    ASSERT_TRUE(terminal.type("", "Programm beenden"));
    ASSERT_TRUE(terminal.type(up, highlight + "Programm beenden" + normal));
    terminal.signal(SIGTSTP);
    ASSERT_TRUE(terminal.stopped());
    EXPECT_TRUE(terminal.restored());
    terminal.signal(SIGCONT);
    ASSERT_TRUE(terminal.type("", clear + "Tavolent"));
    terminal.resize(3, 10);
    ASSERT_TRUE(terminal.type("", clear + "Tavolent"));
    ASSERT_TRUE(terminal.type("", highlight + "Programm beenden" + normal));
    // The Enter that ends the program is not echoed: only the screen's own end follows.
    terminal.type("\r", "");
    EXPECT_EQ(terminal.exitStatus(), 0);
    EXPECT_EQ(terminal.rest(), "\r\n" + normal + normal);
}

// Typed ahead in one piece: to the value entry of a 1 x 5000 matrix, one line of 30000 bytes
// with all values, and on through the menus to Matrix 1 in the output menu.
TEST(OnATerminal, APastedLineOf30000BytesIsReadWholeAndTheKeysAfterItCount) {
    Terminal terminal;
    std::string line, shown;
    for (int i = 0; i < 4999; ++i) {
        line += "12345 ";
        shown += "12345\t";
    }
    const std::string toValues = doubleSizeDialog + "1\r5000\r" + down + down + "\r";
    EXPECT_TRUE(terminal.type(toValues + line + "67890\r" + down + down + showMatrix1, shown + "67890\t\r\n"));
}

// The rows of a 2 x 2 matrix pasted at once into its value dialog, then on through the menus to
// what the output menu shows of it: the same table, so the keys after the paste counted as keys.
// Tabs, as in the table lines that the program writes itself, and CR LF line ends.
TEST(OnATerminal, PastedTabsSeparateValuesAsInAPipeAndAPastedCrLfIsOneLineEnd) {
    for (const std::string rows : {"1\t2\t\r3\t4\t\r", "1 2\r\n3 4\r\n"}) {
        Terminal terminal;
        ASSERT_TRUE(terminal.type(doubleSizeDialog + "2\r2\r" + down + down + "\r", "Zeile 1 , Spalte 1 = "));
        EXPECT_TRUE(terminal.type(rows + down + down + showMatrix1, "Werte der Matrix: \r\n\r\n1\t2\t\r\n3\t4\t\r\n"));
    }
}

// Each line cut into rows of `width`, as a screen drawn anew at that width shows it.
std::vector<std::string> wrapped(const std::vector<std::string>& lines, int width) {
    std::vector<std::string> rows;
    for (const std::string& line : lines) {
        for (std::size_t at = 0; at == 0 || at < line.size(); at += static_cast<std::size_t>(width)) {
            const std::string row = line.substr(at, static_cast<std::size_t>(width));
            rows.push_back(row.substr(0, row.find_last_not_of(' ') + 1));
        }
    }
    return rows;
}

// Resizes the terminal to each of `widths` in turn, the program's output going to a screen that
// cuts its rows; after each, the screen must end with `lines` drawn anew at that width, and only
// that screen's own redraw can make it so.
testing::AssertionResult redrawnAtEveryWidth(Terminal& terminal, int width, const std::vector<int>& widths,
                                             const std::vector<std::string>& lines) {
    FixedWidthScreen screen(width, 50);
    std::size_t fed = 0;
    const auto endsWith = [&](const std::string& output) {
        screen.write(std::string_view(output).substr(fed));
        fed = output.size();
        const std::vector<std::string> shown = screen.lines(), expected = wrapped(lines, width);
        return shown.size() >= expected.size() && std::equal(expected.rbegin(), expected.rend(), shown.rbegin());
    };
    for (std::size_t step = 0;; ++step) {
        if (!terminal.waitFor(endsWith)) {
            testing::AssertionResult failure = testing::AssertionFailure() << "at " << width << " columns:\n";
            for (const std::string& row : screen.lines()) {
                failure << "|" << row << "\n";
            }
            return failure;
        }
        if (step == widths.size()) {
            return testing::AssertionSuccess();
        }
        width = widths[step];
        terminal.resize(50, static_cast<unsigned short>(width));
        screen.resize(width);
    }
}

TEST(OnATerminal, ATypedLineIsRedrawnOnceInPlaceAtEveryWidth) {
    const std::string sizePrompt = "Anzahl der Zeilen = ";
    Terminal shortLine({}, 80);
    shortLine.type(doubleSizeDialog + "12345", "12345");
    EXPECT_TRUE(redrawnAtEveryWidth(shortLine, 80, {18, 80},
                                    {"Geben Sie bitte folgende Daten ein:", "", sizePrompt + "12345"}));

    std::string digits;
    for (int i = 0; i < 22; ++i) {
        digits += "1234567890";
    }
    Terminal longLine({}, 70);
    longLine.type(doubleSizeDialog + digits, "7890");
    EXPECT_TRUE(redrawnAtEveryWidth(longLine, 70, {60, 50, 40, 50, 60, 70, 80}, {"", sizePrompt + digits}));

    // The prompts of the values that one line answered, and a value typed after them.
    Terminal prompts({}, 80);
    prompts.type(doubleSizeDialog + "1\r3\r" + down + down + "\r1 2\r3", "Spalte 3 = 3");
    EXPECT_TRUE(redrawnAtEveryWidth(prompts, 80, {40, 80},
                                    {"", "Zeile 1 , Spalte 1 = 1 2", "Zeile 1 , Spalte 2 = Zeile 1 , Spalte 3 = 3"}));
}

TEST(OnATerminal, ALineSurvivesAStopAndAResizeAndEarlierLinesComeBackWithUp) {
    Terminal terminal;
    ASSERT_TRUE(terminal.type(doubleSizeDialog + "1", "Anzahl der Zeilen = \rAnzahl der Zeilen = 1"));
    terminal.type("\x1a", "");
    ASSERT_TRUE(terminal.stopped());
    EXPECT_TRUE(terminal.restored());
    terminal.signal(SIGCONT);
    // The prompt and the part of the line typed so far are drawn again, after fg and a resize.
    ASSERT_TRUE(terminal.type("", "Anzahl der Zeilen = 1"));
    terminal.resize(40, 100);
    ASSERT_TRUE(terminal.type("", "Anzahl der Zeilen = 1"));
    // A two-byte character that one backspace takes away, and 2; then up, left and 3 give 132.
    ASSERT_TRUE(terminal.type("\xc3\xa4\x7f\x32\r", "Anzahl der Spalten = "));
    ASSERT_TRUE(terminal.type(up + "\x1b[D3\r", "Eingabe - Menue: "));
    EXPECT_TRUE(terminal.type(up + showMatrix1, "Zeilen:12\r\nSpalten: 132\r\n"));
}

// Every way out leaves the terminal as it was: Ctrl-C in a menu and in a dialog, end of input
// (Ctrl-D) in a dialog, and every signal from outside whose default ends the program. Keys,
// signal, exit status:
const std::tuple<std::string, int, int> waysOut[] = {
    {"\x03", 0, 128 + SIGINT},    {"\r\r\r12\x03", 0, 128 + SIGINT},
    {"\r\r\r\x04", 0, 1},         {"", SIGTERM, 128 + SIGTERM},
    {"", SIGUSR1, 128 + SIGUSR1}, {"", SIGUSR2, 128 + SIGUSR2},
    {"", SIGALRM, 128 + SIGALRM}, {"", SIGVTALRM, 128 + SIGVTALRM},
    {"", SIGPROF, 128 + SIGPROF}, {"", SIGRTMIN + 1, 128 + SIGRTMIN + 1}};

TEST(OnATerminal, EveryWayOutRestoresTheTerminal) {
    for (const auto& [keys, signalNumber, status] : waysOut) {
        Terminal terminal;
        ASSERT_TRUE(terminal.type("", "Programm beenden"));
        terminal.type(keys, "");
        if (signalNumber != 0) {
            terminal.signal(signalNumber);
        }
        EXPECT_EQ(terminal.exitStatus(), status) << keys;
        EXPECT_TRUE(terminal.restored()) << keys;
    }
}

// A signal that ends the program while its terminal takes nothing (held by Ctrl-S, as by a
// stalled connection) and it is writing a screen: it still ends, by that signal, and restores
// the terminal.
TEST(OnATerminal, ASignalEndsTheProgramWhileItsTerminalTakesNothing) {
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGQUIT, SIGINT}) {
        Terminal terminal([](int) {
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
        });
        ASSERT_TRUE(terminal.type("", "Programm beenden"));
        terminal.type("\x13" + down, "");
        ASSERT_TRUE(terminal.blockedIn(SYS_write));
        terminal.signal(signalNumber);
        EXPECT_EQ(terminal.exitStatus(), 128 + signalNumber) << signalNumber;
        EXPECT_TRUE(terminal.restored()) << signalNumber;
    }
}

// A terminal left non-blocking, not read while the program writes a screen of 320 kB, far more
// than the terminal holds: once it is read, the whole screen arrives, every row of zeros.
TEST(OnATerminal, AScreenLargerThanANonBlockingTerminalTakesArrivesWhole) {
    Terminal terminal([](int slave) { ::fcntl(slave, F_SETFL, ::fcntl(slave, F_GETFL) | O_NONBLOCK); });
    ASSERT_TRUE(terminal.type("", "Programm beenden"));
    terminal.typeUnread(doubleSizeDialog + "400\r400\r" + up + showMatrix1);
    ASSERT_TRUE(terminal.waitingWithOutputUnread());
    std::string row, values = "Werte der Matrix: \r\n\r\n";
    for (int column = 0; column < 400; ++column) {
        row += "0\t";
    }
    for (int line = 0; line < 400; ++line) {
        values += row + "\r\n";
    }
    EXPECT_TRUE(terminal.type("", values + "\r\nDruecken Sie eine beliebige Taste"));
}

// Keys on the terminal, the screens to a file under a limit of 1 kB that the first few menus
// pass: the write-error line, status 1, and the terminal as it was.
TEST(OnATerminal, AFileSizeLimitEndsTheRunWithTheWriteErrorAndRestoresTheTerminal) {
    const std::string screens = ::testing::TempDir() + "limited-screens";
    Terminal terminal([&](int) {
        const rlimit oneKilobyte{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &oneKilobyte);
        ::dup2(::open(screens.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    });
    EXPECT_TRUE(terminal.type(down + down + down + down + down + down, "tavolent: Schreibfehler bei der Ausgabe"));
    EXPECT_EQ(terminal.exitStatus(), 1);
    EXPECT_TRUE(terminal.restored());
}

// The product of two 1500 x 1500 matrices, long enough for a progress line.
const std::string longProduct = doubleSizeDialog + "1500\r1500\r" + down + "\r1500\r1500\r" + down + down + down +
                                "\r" + down + down + "\r" + down + down + "\r";

// The exact inverse of a 40 x 40 matrix of fractions with 20-digit numerators and denominators:
// its primes, their combination and the fractions take seconds, long enough for the progress
// line.
std::string longExactInverse() {
    std::string values;
    std::uint64_t state = 40;
    for (int k = 0; k < 40 * 40; ++k) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        values += (k % 3 == 0 ? "-" : "") + std::to_string(10000000000000000000ULL + state % 8999999999999999999ULL) +
                  "/" + std::to_string(10000000000000000000ULL + (state >> 7) % 8999999999999999999ULL) + " ";
    }
    return down + down + down + "\r\r\r40\r40\r" + down + down + "\r" + values + "\r" + down + down + "\r" + down +
           down + down + "\r" + down + down + down + down + "\r";
}

// Ctrl-C at several moments of a product that two threads share (2500 x 2500, seconds of work
// even for a fast machine), from its first progress line to the fourth redraw of it: every time
// both threads stop, the cancel is shown and the menu comes back, with the product's entry
// highlighted as before.
TEST(LongComputation, CtrlCStopsATwoThreadProductAtAnyMomentAndTheMenuComesBack) {
    const std::string product = doubleSizeDialog + "2500\r2500\r" + down + "\r2500\r2500\r" + down + down + down +
                                "\r" + down + down + "\r" + down + down + "\r";
    for (int run = 0; run < 4; ++run) {
        Terminal terminal([](int) { ::setenv("TAVOLENT_THREADS", "2", 1); });
        ASSERT_TRUE(terminal.type(product, "Berechnung laeuft")) << run;
        for (int redraw = 0; redraw < run; ++redraw) {
            ASSERT_TRUE(terminal.type("", "Berechnung laeuft")) << run;
        }
        ASSERT_TRUE(terminal.type("\x03", "Berechnung abgebrochen")) << run;
        ASSERT_TRUE(terminal.type("x", highlight + "Matrix 1 * Matrix 2" + normal)) << run;
        terminal.type(down + "\r" + up + "\r", "");
        EXPECT_EQ(terminal.exitStatus(), 0) << run;
    }
}

// Ctrl-S holds the output while the progress line is written; Ctrl-C interrupts that write and
// Ctrl-Q lets the terminal go on: the output goes on where it stopped, the cancel and the menu,
// which goes on as after any cancelled computation.
TEST(LongComputation, OutputHeldByCtrlSGoesOnAfterCtrlCAndCtrlQ) {
    Terminal terminal;
    ASSERT_TRUE(terminal.type(longExactInverse(), "Berechnung laeuft"));
    terminal.type("\x13", "");
    ASSERT_TRUE(terminal.blockedIn(SYS_write));
    terminal.type("\x03", "");
    ASSERT_TRUE(terminal.type("\x11", "Berechnung abgebrochen"));
    ASSERT_TRUE(terminal.type("x", highlight + "Inverse Matrix 1" + normal));
    terminal.type(down + down + "\r" + up + "\r", "");
    EXPECT_EQ(terminal.exitStatus(), 0);
}

// Under a soft processor time limit of one second, the long product ends by SIGXCPU, and the
// terminal is as it was.
TEST(LongComputation, AProcessorTimeLimitRestoresTheTerminal) {
    Terminal terminal([](int) {
        const rlimit oneSecond{1, RLIM_INFINITY};
        ::setrlimit(RLIMIT_CPU, &oneSecond);
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
    });
    terminal.type(longProduct, "");
    EXPECT_EQ(terminal.exitStatus(), 128 + SIGXCPU);
    EXPECT_TRUE(terminal.restored());
}

// Seconds of processor time that process `pid` has used, or -1 once it has ended.
double processorSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    for (int i = 1; i <= 13 && stat >> field; ++i) {
        if (i == 3 && field == "Z") {
            return -1;
        }
    }
    long user = 0, system = 0;
    return stat >> user >> system ? double(user + system) / double(::sysconf(_SC_CLK_TCK)) : -1;
}

// Through a pipe nothing of the progress line is written: no carriage return, no escape
// sequence, no "Berechnung laeuft". The product is stopped with Ctrl-C's signal once it has
// computed for longer than a terminal waits before showing the line, so the test cannot pass
// with a computation too short to have one, however fast or loaded the machine.
TEST(LongComputation, ThroughAPipeAComputationLongEnoughForAProgressLineWritesNone) {
    const std::string in = ::testing::TempDir() + "long-product.keys";
    const std::string out = ::testing::TempDir() + "long-product.out";
    std::ofstream(in, std::ios::binary) << longProduct << "x" << down << "\r" << up << "\r";
    const pid_t program = ::fork();
    if (program == 0) {
        ::dup2(::open(in.c_str(), O_RDONLY), 0);
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2(1, 2);
        ::execl(TAVOLENT_BINARY, TAVOLENT_BINARY, nullptr);
        ::_exit(127);
    }
    double used = 0;
    while ((used = processorSeconds(program)) >= 0 && used < 0.6) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_GE(used, 0.6) << "the product ended before it had computed as long as a progress line waits";
    ::kill(program, SIGINT);
    int status = 0;
    ::waitpid(program, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::ifstream shown(out, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(shown)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Berechnung abgebrochen"), std::string::npos);
    EXPECT_EQ(text.find("Berechnung laeuft"), std::string::npos);
    EXPECT_EQ(text.find_first_of("\r\x1b"), std::string::npos);
}

}  // namespace
