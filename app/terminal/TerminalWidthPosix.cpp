// The width of the terminal on standard output, as the terminal reports it now (a resize
// changes it at any time).
#include <sys/ioctl.h>
#include <unistd.h>

#include "app/terminal/Terminal.h"

namespace terminal {

int columns() {
    winsize size{};
    return ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

}  // namespace terminal
