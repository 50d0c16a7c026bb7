// TextAttributes: the four console text attributes the program uses (background colour times
// 16 plus foreground colour), which the terminal layer turns into escape sequences or console
// calls.
#pragma once

inline constexpr int normalAttribute = 7;
inline constexpr int highlightAttribute = 112;
inline constexpr int libraryErrorAttribute = 12;
inline constexpr int thrownErrorAttribute = 192;
