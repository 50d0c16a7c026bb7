// Tavolent: a menu-driven matrix calculator for the text console.
#include <iostream>
#include <span>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "app/terminal/Terminal.h"

int main(int argc, char* argv[]) {
    const std::span<const char* const> arguments(argv + 1, argc > 0 ? argc - 1 : 0);
    if (const std::optional<int> status = handleCommandLine(arguments, std::cout, std::cerr)) {
        return *status;
    }
    terminal::start();
    return runCalculator();
}
