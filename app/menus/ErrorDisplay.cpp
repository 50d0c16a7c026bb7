#include "app/menus/ErrorDisplay.h"

#include <iostream>
#include <new>

#include "app/menus/Screen.h"
#include "app/terminal/Terminal.h"
#include "matrix/ComputationCancelled.h"
#include "matrix/MatrixException.h"

void showMatrixException(const MatrixException& exception) {
    setTextAttribute(libraryErrorAttribute);
    std::cout << "Es ist folgender Fehler aufgetreten: " << std::endl;
    std::cout << exception.text << std::endl << std::endl;
    setTextAttribute(normalAttribute);
}

void showCaughtFailure() {
    try {
        throw;
    } catch (const terminal::InputEnded&) {
        throw;
    } catch (const MatrixException& exception) {
        showMatrixException(exception);
    } catch (const char* text) {
        showThrownText(text);
    } catch (const ComputationCancelled&) {
        showThrownText(cancelledText);
    } catch (const std::bad_alloc&) {
        // Refused by the storage check beforehand or, past it, by the system itself.
        showThrownText(outOfMemoryText);
    } catch (...) {
        showThrownText(unknownErrorText);
    }
}

void showThrownText(const char* text) {
    setTextAttribute(thrownErrorAttribute);
    std::cerr << std::endl;
    std::cerr << "Es ist ein Fehler aufgetreten: " << std::endl;
    std::cerr << text << std::endl;
    std::cerr << std::endl;
    setTextAttribute(normalAttribute);
}
