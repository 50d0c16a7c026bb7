#include "app/Program.h"

#include <complex>

#include "app/MainMenu.h"
#include "app/TypeMenu.h"
#include "number/Bruch.h"

namespace {

// Two fresh 3 x 3 zero matrices for one run of the main menu.
template <typename T>
int runWithElementType() {
    Matrix<T> matrix1;
    Matrix<T> matrix2;
    return runMainMenuLoop<T>(matrix1, matrix2);
}

int runChosenType(int choice) {
    switch (choice) {
    case FloatElements:
        return runWithElementType<float>();
    case DoubleElements:
        return runWithElementType<double>();
    case ComplexElements:
        return runWithElementType<std::complex<double>>();
    default:
        return runWithElementType<Bruch>();
    }
}

}  // namespace

int runCalculator() {
    for (;;) {
        const int choice = runTypeMenu();
        if (choice == EndProgram) {
            return 0;
        }
        if (runChosenType(choice) == EndChoice) {
            return 0;
        }
    }
}
