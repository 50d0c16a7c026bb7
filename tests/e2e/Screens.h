// Screens: keys and screens of the calculator, for the tests on a pseudo-terminal.
#pragma once

#include <string>
#include <vector>

#include "app/Version.h"

namespace screens {

inline const std::string banner = "Tavolent   Version " TAVOLENT_VERSION "\n\n";
inline const std::string pausePrompt = "Druecken Sie eine beliebige Taste . . .\n";

inline const std::string up = "\x1b[A", down = "\x1b[B", enter = "\r";

// Picks `entry` of a menu that stands on its first entry.
inline std::string choose(int entry) {
    std::string keys;
    for (int i = 1; i < entry; ++i) {
        keys += down;
    }
    return keys + enter;
}

inline std::string menu(const std::string& heading, const std::vector<std::string>& entries, bool blankLine = true) {
    std::string text = banner + (blankLine ? "\n" : "") + heading + "\n\n";
    for (const std::string& entry : entries) {
        text += entry + "\n";
    }
    return text;
}

inline std::string sizeDialog() {
    return banner + "\nGeben Sie bitte folgende Daten ein:\n\nAnzahl der Zeilen = Anzahl der Spalten = ";
}

inline std::string thrownError(const std::string& text) {
    return "\nEs ist ein Fehler aufgetreten: \n" + text + "\n\n";
}

// The screens of a transcript that are not menus: dialogs, displays and results, in order.
inline std::vector<std::string> nonMenuScreens(const std::string& transcript) {
    std::vector<std::string> result;
    for (std::size_t start = transcript.find(banner); start != std::string::npos;) {
        const std::size_t next = transcript.find(banner, start + banner.size());
        const std::string screen = transcript.substr(start, next == std::string::npos ? next : next - start);
        if (screen.find("enue: \n\n") == std::string::npos &&
            screen.find("Datentyp der Matrixel") == std::string::npos) {
            result.push_back(screen);
        }
        start = next;
    }
    return result;
}

// pick(entry) moves down from the current entry of a menu (wrapping) and presses Enter.
class MenuWalk {
public:
    explicit MenuWalk(int entries) : count(entries) {}
    std::string pick(int entry) {
        std::string keys;
        for (; current != entry; current = current % count + 1) {
            keys += down;
        }
        return keys + enter;
    }

private:
    int count;
    int current = 1;
};

}  // namespace screens
