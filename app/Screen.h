// Screen: the conventions every screen shares: a cleared window with the banner, the text
// attributes, and the pause.
#pragma once

#include "app/Version.h"

inline constexpr const char* bannerText = "Tavolent   Version " TAVOLENT_VERSION;

inline constexpr int normalAttribute = 7;
inline constexpr int highlightAttribute = 112;
inline constexpr int libraryErrorAttribute = 12;
inline constexpr int thrownErrorAttribute = 192;

// Clears the window, then writes the banner and one empty line.
void beginScreen();
void setTextAttribute(int value);
// Writes the pause prompt and returns after one key press.
void waitForKey();
