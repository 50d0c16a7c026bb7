The menus: their texts, how the keys move through them, and how the program ends.

  $ . "$TESTDIR/helpers.sh"

Every menu once, whole:

  $ printf '%s' "$(pick 2)$(pick 2)$(pick 3)$(pick 3)$(pick 4)$(pick 4)$(pick 7)$(pick 1)$(pick 5)$U$E" |
  > "$TAVOLENT" | awk -v RS="Tavolent   Version $TAVOLENT_VERSION\n\n" 'NR > 1 && !seen[$0]++ { printf "==\n%s", $0 }'
  ==
  Bitte waehlen Sie den Datentyp der Matrixelemente:
  
  Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38
  Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308
  komplexe Zahlen
  Bruchzahl
  Programm beenden
  ==
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  ==
  
  Ausgabe - Menue: 
  
  Matrix 1 ausgeben
  Matrix 2 ausgeben
  Zurueck zum Hauptmenue
  ==
  
  Arithmetic - Menue: 
  
  Matrix 1 + Matrix 2
  Matrix 1 - Matrix 2
  Matrix 1 * Matrix 2
  Zurueck zum Hauptmenue
  ==
  
  Matrix - Operationen - Menue: 
  
  Determinante Matrix 1
  Determinante Matrix 2
  Adjunkte Matrix 1
  Adjunkte Matrix 2
  Inverse Matrix 1
  Inverse Matrix 2
  Zurueck zum Hauptmenue
  ==
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue

An arrow sends two codes, each of which draws the menu. Up on the first entry wraps to
"Programm beenden", which ends the program with status 0:

  $ run "$U$E"
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x3
  [exit 0]

Five times down from the first entry comes back to it:

  $ run "$D$D$D$D$D$E$U$E"
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x11
  [Hauptmenue: ] x3
  [exit 0]

P moves down and H up; p, keys without meaning and a lone Escape only draw the menu again:

  $ run "PpHP$E$U$E"
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x5
  [Hauptmenue: ] x3
  [exit 0]
  $ run $'\x1b[D\x1b[C\x1b[H\x1bOP5x\x1b' "$E" "$U$E"
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x8
  [Hauptmenue: ] x3
  [exit 0]

Each element type leads to the main menu; changing the type shows the type menu on its first
entry again:

  $ for type in 1 2 3 4; do run "$(pick $type)$U$E" | tr '\n' ' '; echo; done
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] [Hauptmenue: ] x3 [exit 0] 
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x3 [Hauptmenue: ] x3 [exit 0] 
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x5 [Hauptmenue: ] x3 [exit 0] 
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x7 [Hauptmenue: ] x3 [exit 0] 
  $ run "$E$(pick 6)$U$E"
  [Bitte waehlen Sie den Datentyp der Matrixelemente:]
  [Hauptmenue: ] x11
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x3
  [exit 0]

The end of input ends the program with status 1, wherever it waits:

  $ run ''
  [Bitte waehlen Sie den Datentyp der Matrixelemente:]
  [exit 1]
  $ run "$D"
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x3
  [exit 1]
  $ run "$E$E$E"
  [Bitte waehlen Sie den Datentyp der Matrixelemente:]
  [Hauptmenue: ]
  [Eingabe - Menue: ]
  ==
  
  Geben Sie bitte folgende Daten ein:
  
  Anzahl der Zeilen = [no newline]
  [exit 1]
  $ run $'\x1b['
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x2
  [exit 1]
