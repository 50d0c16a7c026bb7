#include "app/menus/Screen.h"

#include <iostream>

#include "app/terminal/Terminal.h"

void beginScreen() {
    terminal::clearScreen();
    std::cout << bannerText << std::endl << std::endl;
}

void setTextAttribute(int value) {
    terminal::setAttribute(value);
}

void waitForKey() {
    terminal::waitForAnyKey();
}
