// The width of the console window on standard output (a resize changes it at any time).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "app/terminal/Terminal.h"

namespace terminal {

int columns() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info) == 0) {
        return 0;
    }
    return info.srWindow.Right - info.srWindow.Left + 1;
}

}  // namespace terminal
