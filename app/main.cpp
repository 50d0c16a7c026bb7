// Tavolent: a menu-driven matrix calculator for the text console.
#include <iostream>
#include <span>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "app/menus/ErrorDisplay.h"
#include "app/terminal/Terminal.h"
#include "number/BigNumberMemory.h"

int main(int argc, char* argv[]) {
    // Every big number is checked before it is made; should one still not get its memory, the
    // program has to end, but the user reads why.
    bignumber::setUpAllocation([] { showThrownText(outOfMemoryText); });
    const std::span<const char* const> arguments(argv + 1, argc > 0 ? argc - 1 : 0);
    if (const std::optional<int> status = handleCommandLine(arguments, std::cout, std::cerr)) {
        return *status;
    }
    // The terminal's state for the run; when it ends, the terminal is left as it was found.
    terminal::Session session;
    terminal::start(session);
    return runCalculator();
}
