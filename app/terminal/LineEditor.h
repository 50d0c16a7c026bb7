// LineEditor: the typed lines of the dialogs on a terminal, read with libedit, so that a line
// may be of any length (a pasted megabyte) and is edited as in a shell: backspace and delete by
// whole characters, left and right, Home and End, Ctrl-U and Ctrl-W, and up and down to recall
// the lines typed earlier in this run. It is the stream buffer behind std::cin while standard
// input is a terminal; libedit takes its bytes one at a time from the program's own input
// buffer, so keys typed after a line stay there for the menus.
//
// The bytes are decoded here before libedit sees them: an Escape reaches it only as part of a
// key it has a binding for (any other key, and an Escape alone, types nothing and changes
// nothing after it), and a byte that cannot continue a UTF-8 character ends that character as
// one replacement character and is then read as itself.
#pragma once

#include <cwchar>
#include <functional>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>

#include "app/terminal/KeyDecoder.h"

struct editline;
struct history;

class LineEditor : public std::streambuf {
public:
    // What the byte source's `next` gives besides a byte and its end of input.
    static constexpr int continued = -3;  // after a stop: draw the prompt and the line again
    static constexpr int resized = -4;    // the window changed its size: the same, to the new size

    // What the line editor knows of the screen around the line it reads.
    struct Screen {
        // Whether libedit draws the prompts again where typing starts. Where the screens go
        // elsewhere (`| tee log`), the prompts reach the terminal through them: this sends them
        // out now, before the line editor echoes, and answers false.
        std::function<bool()> drawsPrompt;
        // The lines above it since the screen was cleared, as written; null when the program's
        // output goes elsewhere and the screen is not known.
        std::function<const std::string*()> linesAbove;
        // The line is done and showed `shown`. libedit leaves the terminal in line mode after
        // each line: this takes it back at once.
        std::function<void(const std::string& shown)> afterLine;
    };

    // `terminalFd` is the terminal standard input reads from; libedit echoes on that terminal
    // even when standard output goes elsewhere.
    LineEditor(int terminalFd, ByteSource& input, Screen screen);
    ~LineEditor() override;
    LineEditor(const LineEditor&) = delete;
    LineEditor& operator=(const LineEditor&) = delete;

    // Drops what is left of the current line, and with it any value begun on earlier lines.
    void discardLine() {
        line.clear();
        setg(line.data(), line.data(), line.data());
        pendingValue.clear();
    }
    // A dialog has written `prompt` and reads its next value from here on: what it takes from
    // the line so far, and from every line before that it goes on past, is that value's pending
    // part. The prompt stands after the prompts before it when `sameLine` (no line began since
    // they were written), else it begins the line's prompts anew.
    void startValue(std::string_view prompt, bool sameLine);
    // Whether the current line still has text for the next value, which then needs no wait.
    bool holdsTypedText() const { return gptr() < egptr(); }
    // The last line, or the last Enter in a menu, ended with a CR whose LF, when it comes next
    // however late, belongs to that line end. Asking forgets it: the caller looks at the next
    // byte itself.
    bool takeLineFeedMayFollow() { return std::exchange(lineFeedMayFollow, false); }
    void lineEndedWithCarriageReturn() { lineFeedMayFollow = true; }

protected:
    int_type underflow() override;

private:
    static int readCharacter(editline* editor, wchar_t* character);
    static char* promptOf(editline* editor);

    bool nextCharacter(wchar_t& character);
    bool decode(int byte, wchar_t& character);
    void takeEscapedKey();
    void keepPendingPart();
    void moveToStartOfLine(std::size_t columnsBeforeCursor);
    void redrawAfterResize();
    void redrawLineAfterResize();
    int terminalColumns() const;

    ByteSource& input;
    Screen screen;
    editline* editor = nullptr;
    history* typedLines = nullptr;
    std::FILE* echo = nullptr;
    std::mbstate_t decoding{};
    int heldByte = -1;  // ended a character it could not continue; read again next
    int lastByte = -1;  // the last byte given to libedit: the CR or LF that ended the line
    bool lineFeedMayFollow = false;
    std::wstring boundKey;  // a key's sequence on its way to libedit
    std::string prompt;
    std::string promptsOnLine;  // the prompts handed since the line began, as they stand on it
    std::string lastPrompt;     // drawn again where an empty Enter moved on to a fresh line
    std::string line;
    std::size_t valueStart = 0;  // where in `line` the value being read began
    std::string pendingValue;    // the part of that value typed on earlier lines
};
