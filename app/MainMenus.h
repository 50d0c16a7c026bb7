// MainMenus: the main menu of each element type, run with two fresh 3 x 3 zero matrices until
// the user changes the element type or ends the program; each returns that entry. Each is built
// in a unit of its own (MainMenu<Type>.cpp), so that the menus and dialogs of one type are
// compiled once, beside those of the others, and nowhere else.
#pragma once

int runFloatMainMenu();
int runDoubleMainMenu();
int runComplexMainMenu();
int runBruchMainMenu();
