// Tavolent: a menu-driven matrix calculator for the text console.
#include "app/Program.h"
#include "app/Terminal.h"

int main() {
    terminal::start();
    return runCalculator();
}
