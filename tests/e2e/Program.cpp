#include "e2e/Program.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

// Both outputs go to files, so the program never waits for a reader.
PipedRun runPiped(const std::string& input) {
    int in[2];
    std::FILE* files[2] = {std::tmpfile(), std::tmpfile()};
    if (::pipe(in) != 0 || files[0] == nullptr || files[1] == nullptr) {
        throw std::runtime_error("pipe");
    }
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(in[0], 0);
        ::dup2(::fileno(files[0]), 1);
        ::dup2(::fileno(files[1]), 2);
        ::close(in[1]);
        ::execl(TAVOLENT_BINARY, TAVOLENT_BINARY, nullptr);
        ::_exit(127);
    }
    ::close(in[0]);
    ::signal(SIGPIPE, SIG_IGN);
    // A program that ends before it read everything ends the writing.
    for (ssize_t done = 0, n = 0; n >= 0 && done < static_cast<ssize_t>(input.size()); done += n) {
        n = ::write(in[1], input.data() + done, input.size() - static_cast<std::size_t>(done));
    }
    ::close(in[1]);
    PipedRun run;
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.peakKilobytes = usage.ru_maxrss;
    for (std::string* text : {&run.out, &run.err}) {
        std::FILE* file = files[text == &run.out ? 0 : 1];
        std::ifstream written("/proc/self/fd/" + std::to_string(::fileno(file)));
        text->assign(std::istreambuf_iterator<char>(written), {});
        std::fclose(file);
    }
    return run;
}
