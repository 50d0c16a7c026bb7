// Screens: the screens of the calculator as plain text, as a transcript through a pipe shows
// them, to compare whole screens against.
#pragma once

#include <string>
#include <vector>

namespace screens {

inline const std::string banner = "Tavolent   Version 1.8.6\n\n";
inline const std::string pausePrompt = "Druecken Sie eine beliebige Taste . . .\n";

// Keys as a pipe carries them.
inline const std::string up = "\x1b[A";
inline const std::string down = "\x1b[B";
inline const std::string enter = "\r";

// `downs` times down, then Enter: picks entry downs + 1 of a menu that starts on entry 1.
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

inline std::string typeMenu() {
    return menu("Bitte waehlen Sie den Datentyp der Matrixelemente:",
                {"Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38",
                 "Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308", "komplexe Zahlen", "Bruchzahl",
                 "Programm beenden"},
                false);
}

inline std::string mainMenu() {
    return menu("Hauptmenue: ", {"Eingabe", "Ausgabe", "Arithmetic", "Matrix-Operationen", "Gleichungsloeser",
                                 "Datentyp der Matrizen aendern", "Programm beenden"});
}

inline std::string inputMenu() {
    return menu("Eingabe - Menue: ",
                {"Groesze der Matrix 1 anpassen", "Groesze der Matrix 2 anpassen", "Werte der Matrix 1 eingeben",
                 "Werte der Matrix 2 eingeben", "Zurueck zum Hauptmenue"});
}

inline std::string outputMenu() {
    return menu("Ausgabe - Menue: ", {"Matrix 1 ausgeben", "Matrix 2 ausgeben", "Zurueck zum Hauptmenue"});
}

inline std::string arithmeticMenu() {
    return menu("Arithmetic - Menue: ",
                {"Matrix 1 + Matrix 2", "Matrix 1 - Matrix 2", "Matrix 1 * Matrix 2", "Zurueck zum Hauptmenue"});
}

inline std::string operationsMenu() {
    return menu("Matrix - Operationen - Menue: ",
                {"Determinante Matrix 1", "Determinante Matrix 2", "Adjunkte Matrix 1", "Adjunkte Matrix 2",
                 "Inverse Matrix 1", "Inverse Matrix 2", "Zurueck zum Hauptmenue"});
}

inline std::string repeat(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

inline std::string sizeDialog(const std::string& typedEcho = "") {
    return banner + "\nGeben Sie bitte folgende Daten ein:\n\n" + "Anzahl der Zeilen = " + typedEcho +
           "Anzahl der Spalten = ";
}

inline std::string valueEntryHeader(const std::string& request = "Bitte geben Sie die Werte der Matrixelemente ein. ") {
    return banner + "Brueche sind in der Form 1/2 einzugeben, \n" +
           "also Zaehler und Nenner durch einen Schraegstrich getrennt.\n\n" +
           "Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. \n" +
           "Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und \n" +
           "das Ganze muss in Klammern eingeschlossen werden.\n\n" + request + "\n\n";
}

inline std::string libraryError(const std::string& text) {
    return "Es ist folgender Fehler aufgetreten: \n" + text + "\n\n";
}

inline std::string thrownError(const std::string& text) {
    return "\nEs ist ein Fehler aufgetreten: \n" + text + "\n\n";
}

// Element types by their entry in the type menu.
inline std::string chooseFloat() {
    return choose(1);
}
inline std::string chooseDouble() {
    return choose(2);
}
inline std::string chooseComplex() {
    return choose(3);
}
inline std::string chooseFraction() {
    return choose(4);
}

}  // namespace screens

namespace screens {

// A transcript cut into screens, each starting with the banner.
inline std::vector<std::string> split(const std::string& transcript) {
    std::vector<std::string> parts;
    std::size_t start = transcript.find(banner);
    while (start != std::string::npos) {
        const std::size_t next = transcript.find(banner, start + banner.size());
        parts.push_back(transcript.substr(start, next == std::string::npos ? std::string::npos : next - start));
        start = next;
    }
    return parts;
}

// The screens that are not menus: dialogs, displays and results, in order.
inline std::vector<std::string> nonMenuScreens(const std::string& transcript) {
    std::vector<std::string> result;
    for (const std::string& screen : split(transcript)) {
        if (screen.find("Menue: \n\n") == std::string::npos && screen.find("Hauptmenue: \n\n") == std::string::npos &&
            screen.find("Bitte waehlen Sie den Datentyp") == std::string::npos) {
            result.push_back(screen);
        }
    }
    return result;
}

// Keys to move through menus whose selection the caller tracks: pick(entry) moves down
// from the current entry (wrapping) and presses Enter.
class MenuWalk {
public:
    explicit MenuWalk(int entries) : count(entries) {}
    std::string pick(int entry) {
        std::string keys;
        while (current != entry) {
            keys += down;
            current = current % count + 1;
        }
        return keys + enter;
    }

private:
    int count;
    int current = 1;
};

inline std::string matrixDisplay(const std::string& rows, const std::string& columns,
                                 const std::vector<std::string>& answers, const std::string& table) {
    const char* questions[] = {"quadratische Matrix: ", "Nullmatrix: ",    "Einheitsmatrix: ", "Skalarmatrix: ",
                               "Dreiecksmatrix: ",      "Spaltenvektor: ", "Zeilenvektor: "};
    std::string text = banner + "\nEigenschaften der Matrix:\n\nZeilen:" + rows + "\nSpalten: " + columns + "\n";
    for (std::size_t i = 0; i < answers.size(); ++i) {
        text += questions[i] + answers[i] + "\n";
    }
    return text + "\nWerte der Matrix: \n\n" + table + "\n" + pausePrompt;
}

inline const std::string diagonalWord = "Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix)";

}  // namespace screens
