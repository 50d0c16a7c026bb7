#include "app/terminal/ConsoleLine.h"

#include <windows.h>
#include <algorithm>
#include <string_view>
#include <vector>

namespace terminal::detail {

namespace {

constexpr wchar_t enter = L'\r';
constexpr wchar_t backspace = L'\b';
constexpr wchar_t escape = L'\x1b';
constexpr wchar_t controlZ = L'\x1a';

// Where the echo goes: the console's screen even when standard output is redirected, as with
// the console's own echo.
HANDLE consoleScreen() {
    static const HANDLE screen = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return screen;
}

// The echo of a batch of keys is written at once: a pasted line comes as one batch.
std::wstring pendingEcho;

void echo(std::wstring_view text) {
    pendingEcho += text;
}

void flushEcho() {
    DWORD written = 0;
    WriteConsoleW(consoleScreen(), pendingEcho.data(), static_cast<DWORD>(pendingEcho.size()), &written, nullptr);
    pendingEcho.clear();
}

// Blanks the cell before the cursor and puts the cursor there, up at the end of the row above
// when a long line has wrapped.
void eraseCellBeforeCursor() {
    flushEcho();
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(consoleScreen(), &info) == 0) {
        return;
    }
    COORD at = info.dwCursorPosition;
    if (at.X > 0) {
        --at.X;
    } else if (at.Y > 0) {
        at.X = static_cast<SHORT>(info.dwSize.X - 1);
        --at.Y;
    } else {
        return;
    }
    DWORD written = 0;
    FillConsoleOutputCharacterW(consoleScreen(), L' ', 1, at, &written);
    SetConsoleCursorPosition(consoleScreen(), at);
}

// How many cells the echo of `character` takes.
int cellsOf(wchar_t character) {
    return character == controlZ ? 2 : 1;
}

void takeBackLast(std::wstring& line) {
    if (line.empty()) {
        return;
    }
    // A character beyond the basic plane is two UTF-16 units but one cell.
    const bool pair = line.size() >= 2 && IS_LOW_SURROGATE(line.back()) && IS_HIGH_SURROGATE(line[line.size() - 2]);
    const int cells = cellsOf(line.back());
    line.pop_back();
    if (pair) {
        line.pop_back();
    }
    for (int k = 0; k < cells; ++k) {
        eraseCellBeforeCursor();
    }
}

// The line as the console's own line input would have given it: in its input code page.
std::string encoded(const std::wstring& line) {
    const UINT codePage = GetConsoleCP();
    const int size =
        WideCharToMultiByte(codePage, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// Processed input keeps Ctrl-C with the control handler; without line input every key comes
// as it is typed, and the echo is this file's. The screen leaves virtual terminal processing
// for the line, since with it a row filled to its last column keeps the cursor there, and
// taking a character back would then miss the last cell.
class RawConsole {
public:
    explicit RawConsole(HANDLE input) : input(input) {
        GetConsoleMode(input, &inputMode);
        SetConsoleMode(input, (inputMode | ENABLE_PROCESSED_INPUT) & ~(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
        if (GetConsoleMode(consoleScreen(), &screenMode) != 0) {
            SetConsoleMode(consoleScreen(), (screenMode | ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT) &
                                                ~ENABLE_VIRTUAL_TERMINAL_PROCESSING);
        }
    }
    ~RawConsole() {
        SetConsoleMode(input, inputMode);
        SetConsoleMode(consoleScreen(), screenMode);
    }
    RawConsole(const RawConsole&) = delete;
    RawConsole& operator=(const RawConsole&) = delete;

private:
    HANDLE input;
    DWORD inputMode = 0;
    DWORD screenMode = 0;
};

// One key of the line other than Enter: Backspace and Esc take back, other control keys
// type nothing.
void type(wchar_t key, std::wstring& line) {
    if (key == backspace) {
        takeBackLast(line);
    } else if (key == escape) {
        while (!line.empty()) {
            takeBackLast(line);
        }
    } else if (key == controlZ) {
        line += key;
        echo(L"^Z");
    } else if (key == L'\t' || key >= L' ') {
        line += key;
        echo(std::wstring_view(key == L'\t' ? L" " : &key, 1));
    }
}

// The character a key event types, 0 for none: a key pressed, or Alt let go after a
// character was composed with Alt and the number pad.
wchar_t typedCharacter(const INPUT_RECORD& event) {
    if (event.EventType != KEY_EVENT) {
        return 0;
    }
    const KEY_EVENT_RECORD& key = event.Event.KeyEvent;
    const bool composed = !key.bKeyDown && key.wVirtualKeyCode == VK_MENU;
    return key.bKeyDown || composed ? key.uChar.UnicodeChar : 0;
}

// The events waiting in the console up to and including the first Enter, after waiting for at
// least one; what follows the Enter stays there for the menus, which read the console on
// their own. Nothing when the console cannot be read.
std::optional<std::vector<INPUT_RECORD>> eventsUpToEnter(HANDLE input) {
    for (;;) {
        DWORD waiting = 0;
        if (GetNumberOfConsoleInputEvents(input, &waiting) == 0) {
            return std::nullopt;
        }
        if (waiting == 0) {
            if (WaitForSingleObject(input, INFINITE) != WAIT_OBJECT_0) {
                return std::nullopt;
            }
            continue;
        }
        std::vector<INPUT_RECORD> events(waiting);
        DWORD seen = 0;
        if (PeekConsoleInputW(input, events.data(), waiting, &seen) == 0) {
            return std::nullopt;
        }
        DWORD take = seen;
        for (DWORD k = 0; k < seen; ++k) {
            if (typedCharacter(events[k]) == enter) {
                take = k + 1;
                break;
            }
        }
        DWORD taken = 0;
        if (ReadConsoleInputW(input, events.data(), take, &taken) == 0) {
            return std::nullopt;
        }
        events.resize(taken);
        return events;
    }
}

}  // namespace

std::optional<std::string> readConsoleLine(void* input) {
    const RawConsole raw(input);
    std::wstring line;
    for (;;) {
        const std::optional<std::vector<INPUT_RECORD>> events = eventsUpToEnter(input);
        if (!events) {
            return std::nullopt;
        }
        for (const INPUT_RECORD& event : *events) {
            const wchar_t key = typedCharacter(event);
            const WORD repeat = event.EventType == KEY_EVENT ? event.Event.KeyEvent.wRepeatCount : 0;
            for (WORD k = 0; k < std::max<WORD>(repeat, 1) && key != 0; ++k) {
                if (key == enter) {
                    echo(L"\r\n");
                    flushEcho();
                    if (!line.empty() && line.front() == controlZ) {
                        return std::nullopt;
                    }
                    return encoded(line) + "\r\n";
                }
                type(key, line);
            }
        }
        flushEcho();
    }
}

}  // namespace terminal::detail
