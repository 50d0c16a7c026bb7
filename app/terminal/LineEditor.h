// LineEditor: the typed lines of the dialogs on a terminal, read with libedit, so that a line
// may be of any length (a pasted megabyte) and is edited as in a shell: backspace and delete by
// whole characters, left and right, Home and End, Ctrl-U and Ctrl-W, and up and down to recall
// the lines typed earlier in this run. It is the stream buffer behind std::cin while standard
// input is a terminal; libedit takes its bytes one at a time from the program's own input
// buffer, so keys typed after a line stay there for the menus.
#pragma once

#include <cwchar>
#include <functional>
#include <streambuf>
#include <string>

struct editline;
struct history;

class LineEditor : public std::streambuf {
public:
    // What `nextByte` gives besides a byte 0..255.
    static constexpr int endOfInput = -1;
    static constexpr int continued = -2;  // after a stop: draw the prompt and the line again
    static constexpr int resized = -3;    // the window changed its size: the same, to the new size

    // `terminalFd` is the terminal standard input reads from; libedit echoes on that terminal
    // even when standard output goes elsewhere. libedit leaves the terminal in line mode after
    // each line; `afterLine` takes it back at once.
    LineEditor(int terminalFd, std::function<int()> nextByte, std::function<void()> afterLine);
    ~LineEditor() override;
    LineEditor(const LineEditor&) = delete;
    LineEditor& operator=(const LineEditor&) = delete;

    // The text on the line of the next prompt, which the program has written already; libedit
    // draws it again over the same text, and again after a stop or a resize.
    void setPrompt(std::string text) { prompt = std::move(text); }
    // Drops what is left of the current line.
    void discardLine() { setg(line.data(), line.data(), line.data()); }
    // Whether the current line still has text for the next value, which then needs no wait.
    bool holdsTypedText() const { return gptr() < egptr(); }

protected:
    int_type underflow() override;

private:
    static int readCharacter(editline* editor, wchar_t* character);
    static char* promptOf(editline* editor);

    std::function<int()> nextByte;
    std::function<void()> afterLine;
    editline* editor = nullptr;
    history* typedLines = nullptr;
    std::FILE* echo = nullptr;
    std::mbstate_t decoding{};
    std::string prompt;
    std::string line;
};
