#include "e2e/TmuxScreen.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto hangGuard = std::chrono::seconds(60);
constexpr auto pollInterval = std::chrono::milliseconds(20);

// The program under test: the one built here, or another one named in $TAVOLENT.
std::string program() {
    const char* chosen = std::getenv("TAVOLENT");
    return chosen != nullptr && *chosen != '\0' ? chosen : TAVOLENT_BINARY;
}

std::string hex(unsigned char byte) {
    static constexpr char digits[] = "0123456789abcdef";
    return {digits[byte >> 4], digits[byte & 15]};
}

}  // namespace

TmuxScreen::TmuxScreen(int columns, int rows, const std::string& command) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavolent-screen-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp");
    }
    directory = pattern;
    // No status line, and a terminal type that every terminfo database knows.
    std::ofstream(directory + "/tmux.conf") << "set -g status off\nset -g default-terminal screen\n";
    tmux({"new-session", "-d", "-x", std::to_string(columns), "-y", std::to_string(rows), "-s", "screen", "sh", "-c",
          command + "; printf '[Status %d]' \"$?\"; exec sleep 100000", program()});
}

TmuxScreen::~TmuxScreen() {
    tmux({"kill-server"});
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

void TmuxScreen::type(std::string_view bytes) const {
    std::vector<std::string> arguments = {"send-keys", "-t", "screen", "-H"};
    for (const char byte : bytes) {
        arguments.push_back(hex(static_cast<unsigned char>(byte)));
    }
    tmux(arguments);
}

void TmuxScreen::paste(const std::string& text) const {
    const std::string file = directory + "/paste";
    std::ofstream(file, std::ios::binary) << text;
    tmux({"load-buffer", file});
    tmux({"paste-buffer", "-r", "-d", "-t", "screen"});
}

void TmuxScreen::resize(int columns, int rows) const {
    tmux({"resize-window", "-t", "screen", "-x", std::to_string(columns), "-y", std::to_string(rows)});
}

TmuxScreen::Lines TmuxScreen::lines() const {
    Lines result;
    std::istringstream captured(tmux({"capture-pane", "-p", "-t", "screen"}));
    for (std::string line; std::getline(captured, line);) {
        line.erase(line.find_last_not_of(' ') + 1);
        result.push_back(line);
    }
    return result;
}

std::pair<int, int> TmuxScreen::cursor() const {
    std::istringstream position(tmux({"display-message", "-p", "-t", "screen", "#{cursor_x} #{cursor_y}"}));
    std::pair<int, int> at{-1, -1};
    position >> at.first >> at.second;
    return at;
}

TmuxScreen::Lines TmuxScreen::waitFor(const std::function<bool(const Lines&)>& done) const {
    const auto giveUp = Clock::now() + hangGuard;
    Lines screen = lines();
    while (!done(screen) && Clock::now() < giveUp) {
        std::this_thread::sleep_for(pollInterval);
        screen = lines();
    }
    return screen;
}

testing::AssertionResult TmuxScreen::waitForLine(const std::string& line) const {
    const Lines screen = waitFor([&](const Lines& lines) { return rowOf(lines, line) >= 0; });
    if (rowOf(screen, line) >= 0) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "no line \"" << line << "\" on the screen:\n";
    for (const std::string& shown : screen) {
        failure << "|" << shown.substr(0, 200) << "\n";
    }
    return failure;
}

// Runs tmux on this screen's own server, with its own settings, and returns what it printed.
std::string TmuxScreen::tmux(const std::vector<std::string>& arguments) const {
    std::vector<std::string> all = {"tmux", "-u", "-S", directory + "/socket", "-f", directory + "/tmux.conf"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(all.size() + 1);
    for (std::string& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The server that the first command starts must not hold the pipe open: it prints nothing.
    if (arguments.front() == "new-session") {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    }
    posix_spawn_file_actions_addclose(&actions, output[0]);
    pid_t child = -1;
    const int failed = ::posix_spawnp(&child, "tmux", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    std::string printed;
    char buffer[4096];
    for (ssize_t count; (count = ::read(output[0], buffer, sizeof(buffer))) > 0;) {
        printed.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(output[0]);
    if (failed != 0) {
        throw std::runtime_error("tmux cannot be started");
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return printed;
}

int rowOf(const TmuxScreen::Lines& lines, const std::string& line) {
    const auto found = std::find(lines.begin(), lines.end(), line);
    return found == lines.end() ? -1 : static_cast<int>(found - lines.begin());
}
