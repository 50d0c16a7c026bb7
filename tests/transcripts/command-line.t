The options read before the first menu. The version comes from the project version. (Under
wine the two output streams arrive as one, so the Windows build skips these.)

  $ [ -z "$TAVOLENT_WINE" ] || exit 80
  $ set -o pipefail
  $ "$TAVOLENT" --version | sed "s/^Tavolent $TAVOLENT_VERSION\$/Tavolent (project version)/"
  Tavolent (project version)

The help goes to standard output, and nothing to standard error.

  $ "$TAVOLENT" --help 2>/dev/null
  Aufruf: tavolent [--help | --version | --threads N]
  
  Menuegesteuerter Matrizenrechner fuer die Textkonsole: Summe, Differenz, Produkt,
  Vektorprodukt, Determinante, Adjunkte und Inverse von Matrizen aus Dezimalzahlen,
  komplexen Zahlen oder exakten Bruechen, und die Loesung linearer Gleichungssysteme.
  
  Tasten in den Menues:
    Pfeil nach oben, H    den Eintrag darueber hervorheben
    Pfeil nach unten, P   den Eintrag darunter hervorheben
    Eingabetaste          den hervorgehobenen Eintrag waehlen
  Groeszen und Werte werden als Text getippt und mit der Eingabetaste abgeschlossen.
  Strg+C beendet das Programm.
  
  Optionen:
    --help       diese Hilfe zeigen und beenden
    --version    die Versionsnummer zeigen und beenden
    --threads N  mit hoechstens N Threads rechnen (1 bis 1024; 1 nutzt einen Kern);
                 ohne die Option mit so vielen, wie der Prozess Prozessoren nutzen darf
  
  Umgebungsvariable:
    TAVOLENT_THREADS=N   wie --threads N; die Option geht vor
  
  Ausfuehrlich beschrieben in der Handbuchseite: man tavolent
  $ "$TAVOLENT" --help >/dev/null

Anything but one of the two options, alone, is refused with one line on standard error and
status 2, before the program reads a key or draws a menu.

  $ "$TAVOLENT" --help extra
  tavolent: ueberzaehliges Argument 'extra' (tavolent --help zeigt die Optionen)
  [2]
  $ "$TAVOLENT" --version --help 2>/dev/null
  [2]
  $ for argument in --nonsense -h -V help --vers --help=x ''; do
  >   "$TAVOLENT" "$argument" --help </dev/null 2>/dev/null; echo "stdout empty, status $?"
  > done
  stdout empty, status 2
  stdout empty, status 2
  stdout empty, status 2
  stdout empty, status 2
  stdout empty, status 2
  stdout empty, status 2
  stdout empty, status 2
  $ "$TAVOLENT" -x 2>&1 >/dev/null </dev/null
  tavolent: unbekanntes Argument '-x' (tavolent --help zeigt die Optionen)
  [2]

The number of threads, from --threads or TAVOLENT_THREADS (the option goes first), is a whole
number from 1 to 1024; with a good one the calculator starts (here it meets the end of input at
once), a bad one is refused like an unknown argument.

  $ "$TAVOLENT" --threads 2 </dev/null >/dev/null
  [1]
  $ TAVOLENT_THREADS=1 "$TAVOLENT" </dev/null >/dev/null
  [1]
  $ TAVOLENT_THREADS=nonsense "$TAVOLENT" --threads 1 </dev/null >/dev/null
  [1]
  $ "$TAVOLENT" --threads 0 </dev/null
  tavolent: ungueltige Anzahl Threads '0' (erlaubt: eine ganze Zahl von 1 bis 1024)
  [2]
  $ TAVOLENT_THREADS=1025 "$TAVOLENT" </dev/null
  tavolent: ungueltiger Wert '1025' in TAVOLENT_THREADS (erlaubt: eine ganze Zahl von 1 bis 1024)
  [2]
  $ "$TAVOLENT" --threads </dev/null
  tavolent: --threads erwartet eine Anzahl (tavolent --help zeigt die Optionen)
  [2]
  $ "$TAVOLENT" --threads 2 --help </dev/null
  tavolent: ueberzaehliges Argument '--help' (tavolent --help zeigt die Optionen)
  [2]
  $ for value in -1 2x ' 2' 1.5 ''; do "$TAVOLENT" --threads "$value" </dev/null 2>/dev/null; echo "status $?"; done
  status 2
  status 2
  status 2
  status 2
  status 2

Output that cannot be written is an error, not a success.

  $ "$TAVOLENT" --help >/dev/full
  tavolent: Schreibfehler bei der Ausgabe
  [1]
