// Screen: the conventions every screen shares: a cleared window with the banner, the text
// attributes, and the pause.
#pragma once

#include "app/menus/Version.h"
#include "app/terminal/TextAttributes.h"

inline constexpr const char* bannerText = "Tavolent   Version " TAVOLENT_VERSION;

// Clears the window, then writes the banner and one empty line.
void beginScreen();
void setTextAttribute(int value);
// Writes the pause prompt and returns after one key press.
void waitForKey();
