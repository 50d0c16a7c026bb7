// wine_tavolent: starts tavolent.exe under wine in place of the POSIX program, so that the
// piped end-to-end tests run unchanged against the Windows build.
//
// Standard input is handed through untouched. A Windows program writes its line ends to a pipe
// as CR LF; on both output streams exactly that pair is turned back into LF, so the tests
// compare the same text. Any other CR is passed on as it is. A line end written as a bare LF
// would mean the Windows build writes its text differently: that is reported on standard error
// and the run ends with status 125, so no test can pass on it.
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

constexpr int bareLineEndStatus = 125;

void writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

// One output stream on its way back; a CR at the end of one read may pair with an LF of the next.
class LineEnds {
public:
    std::string translate(const char* bytes, std::size_t count) {
        std::string out;
        for (std::size_t i = 0; i < count; ++i) {
            const char byte = bytes[i];
            if (byte == '\n') {
                if (!carriageReturnPending) {
                    bareLineEnd = true;
                }
                carriageReturnPending = false;
                out += '\n';
                continue;
            }
            if (carriageReturnPending) {
                out += '\r';
            }
            carriageReturnPending = byte == '\r';
            if (!carriageReturnPending) {
                out += byte;
            }
        }
        return out;
    }
    std::string finish() {
        const bool pending = carriageReturnPending;
        carriageReturnPending = false;
        return pending ? "\r" : "";
    }
    bool sawBareLineEnd() const { return bareLineEnd; }

private:
    bool carriageReturnPending = false;
    bool bareLineEnd = false;
};

}  // namespace

int main() {
    // The tests' own environment wins, so a run can be pointed at another prefix.
    ::setenv("WINEPREFIX", TAVOLENT_WINE_PREFIX, 0);
    ::setenv("WINEDEBUG", "-all", 0);
    ::setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 0);

    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) {
        return 126;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        return 126;
    }
    if (child == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        for (int fd : {out[0], out[1], err[0], err[1]}) {
            ::close(fd);
        }
        ::execl(TAVOLENT_WINE, TAVOLENT_WINE, TAVOLENT_EXE, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    // The program's standard input belongs to wine alone.
    ::close(0);

    LineEnds outEnds;
    LineEnds errEnds;
    bool outOpen = true;
    bool errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[2] = {{outOpen ? out[0] : -1, POLLIN, 0}, {errOpen ? err[0] : -1, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].revents == 0) {
                continue;
            }
            char buffer[65536];
            const ssize_t count = ::read(fds[i].fd, buffer, sizeof(buffer));
            LineEnds& ends = i == 0 ? outEnds : errEnds;
            const int target = i == 0 ? 1 : 2;
            if (count > 0) {
                writeAll(target, ends.translate(buffer, static_cast<std::size_t>(count)));
            } else if (count == 0 || errno != EINTR) {
                writeAll(target, ends.finish());
                (i == 0 ? outOpen : errOpen) = false;
            }
        }
    }
    int waitStatus = 0;
    while (::waitpid(child, &waitStatus, 0) < 0 && errno == EINTR) {
    }
    if (outEnds.sawBareLineEnd() || errEnds.sawBareLineEnd()) {
        writeAll(2, "wine_tavolent: tavolent.exe ended a line with a bare LF\n");
        return bareLineEndStatus;
    }
    if (WIFEXITED(waitStatus)) {
        return WEXITSTATUS(waitStatus);
    }
    return WIFSIGNALED(waitStatus) ? 128 + WTERMSIG(waitStatus) : 126;
}
