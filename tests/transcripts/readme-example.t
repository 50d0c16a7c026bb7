A double 2 x 2 matrix typed on two lines, its determinant, and the end.

  $ . "$TESTDIR/helpers.sh"
  $ run $'\x1b[B\r\r\r2\n2\n\x1b[B\x1b[B\r1 2\n3 4\n\x1b[B\x1b[B\r\x1b[B\x1b[B\x1b[B\r\rx\x1b[A\r\x1b[A\r'
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x3
  [Hauptmenue: ]
  [Eingabe - Menue: ]
  ==
  
  Geben Sie bitte folgende Daten ein:
  
  Anzahl der Zeilen = Anzahl der Spalten = [no newline]
  [Eingabe - Menue: ] x5
  ==
  Brueche sind in der Form 1/2 einzugeben, 
  also Zaehler und Nenner durch einen Schraegstrich getrennt.
  
  Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. 
  Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und 
  das Ganze muss in Klammern eingeschlossen werden.
  
  Bitte geben Sie die Werte der Matrixelemente ein. 
  
  Zeile 1 , Spalte 1 = Zeile 1 , Spalte 2 = Zeile 2 , Spalte 1 = Zeile 2 , Spalte 2 = [no newline]
  [Eingabe - Menue: ] x5
  [Hauptmenue: ] x7
  [Matrix - Operationen - Menue: ]
  ==
  
  Ergebnis: 
  
  -2
  
  Druecken Sie eine beliebige Taste . . .
  [Matrix - Operationen - Menue: ] x3
  [Hauptmenue: ] x3
  [exit 0]
