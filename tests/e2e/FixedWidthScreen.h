// FixedWidthScreen: a terminal's screen as the bytes written to it leave it, for a test that
// changes the window's width: unlike tmux, it never wraps old rows anew, it cuts them, as many
// terminals do. So a line that is not drawn again after a resize shows cut, and one drawn again
// in the wrong place shows twice. It knows the cursor moves, erases and wraps that the line
// editor and the screens use; any other control sequence is passed over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class FixedWidthScreen {
public:
    FixedWidthScreen(int columns, int rows);

    void write(std::string_view bytes);
    // The rows are cut (or widened) to the new width; the cursor stays where it was, within it.
    void resize(int columns);
    // The rows without their trailing blanks, the empty ones at the bottom left out.
    std::vector<std::string> lines() const;

private:
    void put(char character);
    void lineFeed();
    void control(char final, int first, int count);
    void erase(int row, int from, int to);

    int columns, rows;
    std::vector<std::string> cells;
    int x = 0, y = 0;
    bool wrapPending = false;  // the last column was written: the next character wraps
    std::string sequence;      // an escape sequence on its way
};
