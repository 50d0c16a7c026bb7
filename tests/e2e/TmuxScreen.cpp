#include "e2e/TmuxScreen.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

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

TmuxScreen::Lines TmuxScreen::lines() const {
    Lines result;
    std::istringstream captured(tmux({"capture-pane", "-p", "-t", "screen"}));
    for (std::string line; std::getline(captured, line);) {
        line.erase(line.find_last_not_of(' ') + 1);
        result.push_back(line);
    }
    return result;
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
    const auto quoted = [](std::string text) {
        for (std::size_t at = 0; (at = text.find('\'', at)) != std::string::npos; at += 4) {
            text.replace(at, 1, "'\\''");
        }
        return "'" + text + "'";
    };
    std::string command = "tmux -u -S " + quoted(directory + "/socket") + " -f " + quoted(directory + "/tmux.conf");
    for (const std::string& argument : arguments) {
        command += " " + quoted(argument);
    }
    // The server that the first command starts must not hold the pipe open: it prints nothing.
    std::FILE* const output =
        ::popen((command + (arguments.front() == "new-session" ? " >/dev/null" : "")).c_str(), "r");
    if (output == nullptr) {
        throw std::runtime_error("tmux cannot be started");
    }
    std::string printed;
    char buffer[4096];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof(buffer), output)) > 0;) {
        printed.append(buffer, count);
    }
    ::pclose(output);
    return printed;
}

int rowOf(const TmuxScreen::Lines& lines, const std::string& line) {
    const auto found = std::find(lines.begin(), lines.end(), line);
    return found == lines.end() ? -1 : static_cast<int>(found - lines.begin());
}
