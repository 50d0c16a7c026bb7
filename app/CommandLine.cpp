#include "app/CommandLine.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string_view>

#include "app/menus/Version.h"
#include "app/terminal/Terminal.h"
#include "parallel/ThreadLimit.h"
#include "parallel/UsableProcessors.h"
#include "parallel/WorkerPool.h"

namespace {

constexpr const char* helpText =
    "Aufruf: tavolent [--help | --version | --threads N]\n"
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
    "  --help       diese Hilfe zeigen und beenden\n"
    "  --version    die Versionsnummer zeigen und beenden\n"
    "  --threads N  mit hoechstens N Threads rechnen (1 bis 1024; 1 nutzt einen Kern);\n"
    "               ohne die Option mit so vielen, wie der Prozess Prozessoren nutzen darf\n"
    "\n"
    "Umgebungsvariable:\n"
    "  TAVOLENT_THREADS=N   wie --threads N; die Option geht vor\n"
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

// The threads the computations may use: the option's value, else the environment's, and never
// more than the processors the process may use. Nothing when the value in force is refused.
std::optional<unsigned> threadLimit(std::span<const char* const> arguments, std::ostream& err) {
    std::optional<unsigned> limit = parallel::usableProcessors();
    if (arguments.size() >= 2) {
        if (!(limit = parallel::parseThreadLimit(arguments[1]))) {
            err << "tavolent: ungueltige Anzahl Threads '" << arguments[1]
                << "' (erlaubt: eine ganze Zahl von 1 bis 1024)\n";
        }
    } else if (const char* fromEnvironment = std::getenv("TAVOLENT_THREADS")) {
        if (!(limit = parallel::parseThreadLimit(fromEnvironment))) {
            err << "tavolent: ungueltiger Wert '" << fromEnvironment
                << "' in TAVOLENT_THREADS (erlaubt: eine ganze Zahl von 1 bis 1024)\n";
        }
    }
    if (!limit) {
        return std::nullopt;
    }
    return std::min(*limit, parallel::usableProcessors());
}

}  // namespace

std::optional<int> handleCommandLine(std::span<const char* const> arguments, std::ostream& out, std::ostream& err) {
    // Each option stands alone (--threads with its value): anything beside it is refused, so
    // that a mistyped call never passes for a successful one.
    const std::string_view first = arguments.empty() ? std::string_view() : arguments.front();
    const bool known = first == "--help" || first == "--version";
    const std::size_t allowed = known ? 1 : first == "--threads" ? 2 : 0;
    if (first == "--threads" && arguments.size() < 2) {
        err << "tavolent: --threads erwartet eine Anzahl (tavolent --help zeigt die Optionen)\n";
        return usageErrorStatus;
    }
    if (allowed > 0 && arguments.size() > allowed) {
        err << "tavolent: ueberzaehliges Argument '" << arguments[allowed]
            << "' (tavolent --help zeigt die Optionen)\n";
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
    if (!arguments.empty() && allowed == 0) {
        err << "tavolent: unbekanntes Argument '" << first << "' (tavolent --help zeigt die Optionen)\n";
        return usageErrorStatus;
    }
    const std::optional<unsigned> threads = threadLimit(arguments, err);
    if (!threads) {
        return usageErrorStatus;
    }
    parallel::WorkerPool::shared().setThreads(*threads);
    return std::nullopt;
}
