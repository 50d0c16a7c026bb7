#include "app/CommandLine.h"

#include <ostream>
#include <string_view>

#include "app/menus/Version.h"
#include "app/terminal/Terminal.h"

namespace {

constexpr const char* helpText =
    "Aufruf: tavolent [--help | --version]\n"
    "\n"
    "Menuegesteuerter Matrizenrechner fuer die Textkonsole: Summe, Differenz, Produkt,\n"
    "Vektorprodukt, Determinante, Adjunkte und Inverse von Matrizen aus Dezimalzahlen,\n"
    "komplexen Zahlen oder exakten Bruechen, und die Loesung linearer Gleichungssysteme.\n"
    "\n"
    "Tasten in den Menues:\n"
    "  Pfeil nach oben, H    den Eintrag darueber hervorheben\n"
    "  Pfeil nach unten, P   den Eintrag darunter hervorheben\n"
    "  Eingabetaste          den hervorgehobenen Eintrag waehlen\n"
    "Groeszen und Werte werden als Text getippt und mit der Eingabetaste abgeschlossen.\n"
    "Strg+C beendet das Programm.\n"
    "\n"
    "Optionen:\n"
    "  --help      diese Hilfe zeigen und beenden\n"
    "  --version   die Versionsnummer zeigen und beenden\n"
    "\n"
    "Ausfuehrlich beschrieben in der Handbuchseite: man tavolent\n";

// A full stdout (tavolent --help >/dev/full) must not pass for success.
int finish(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) {
        return 0;
    }
    err << terminal::outputFailedText;
    return 1;
}

}  // namespace

std::optional<int> handleCommandLine(std::span<const char* const> arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    // Each option stands alone: anything beside it is refused, so that a mistyped call never
    // passes for a successful one.
    const std::string_view first = arguments.front();
    const bool known = first == "--help" || first == "--version";
    if (known && arguments.size() > 1) {
        err << "tavolent: ueberzaehliges Argument '" << arguments[1] << "' (tavolent --help zeigt die Optionen)\n";
        return usageErrorStatus;
    }
    if (first == "--help") {
        out << helpText;
        return finish(out, err);
    }
    if (first == "--version") {
        out << "Tavolent " TAVOLENT_VERSION "\n";
        return finish(out, err);
    }
    err << "tavolent: unbekanntes Argument '" << first << "' (tavolent --help zeigt die Optionen)\n";
    return usageErrorStatus;
}
