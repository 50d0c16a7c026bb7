// TmuxScreen: a terminal whose screen the tests can read as a user sees it. The program runs
// in a tmux server of its own, in a detached window of a given size, and the screen comes back
// with every cursor move, erase, wrap and reflow applied, which a test of the bytes alone
// cannot show.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TmuxScreen {
public:
    using Lines = std::vector<std::string>;

    // `command` is run by sh with "$0" standing for the program; when it ends, its status is
    // written where the cursor stands, as "[Status N]", the way a shell's prompt would follow.
    explicit TmuxScreen(int columns, int rows, const std::string& command = "\"$0\"");
    ~TmuxScreen();
    TmuxScreen(const TmuxScreen&) = delete;
    TmuxScreen& operator=(const TmuxScreen&) = delete;

    // The bytes exactly as given, in one write to the terminal.
    void type(std::string_view bytes) const;

    // The screen's rows, without their trailing blanks.
    Lines lines() const;

    // Waits until `done` holds for the screen and returns the screen it held for. The wait ends
    // after a minute only as a guard against a hang: then the screen is returned as it is.
    Lines waitFor(const std::function<bool(const Lines&)>& done) const;
    // Waits for a row that reads exactly `line`; a failure shows the screen as it was.
    testing::AssertionResult waitForLine(const std::string& line) const;

private:
    std::string tmux(const std::vector<std::string>& arguments) const;

    std::string directory;
};

// The row that reads exactly `line`, or -1.
int rowOf(const TmuxScreen::Lines& lines, const std::string& line);
