Sizes and values typed through the dialogs, and the matrices shown by the output menu.

  $ . "$TESTDIR/helpers.sh"

Resizing keeps the top-left block and fills new places with zero:

  $ start 2; input 3 $'1 2 3\n4 5 6\n7 8 9\n'; input 1 $'2\n3\n'; show 1; input 1 $'4\n4\n'; show 1; finish
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x3
  [Hauptmenue: ]
  [Eingabe - Menue: ] x5
  ==
  Brueche sind in der Form 1/2 einzugeben, 
  also Zaehler und Nenner durch einen Schraegstrich getrennt.
  
  Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. 
  Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und 
  das Ganze muss in Klammern eingeschlossen werden.
  
  Bitte geben Sie die Werte der Matrixelemente ein. 
  
  Zeile 1 , Spalte 1 = Zeile 1 , Spalte 2 = Zeile 1 , Spalte 3 = Zeile 2 , Spalte 1 = Zeile 2 , Spalte 2 = Zeile 2 , Spalte 3 = Zeile 3 , Spalte 1 = Zeile 3 , Spalte 2 = Zeile 3 , Spalte 3 = [no newline]
  [Eingabe - Menue: ] x7
  ==
  
  Geben Sie bitte folgende Daten ein:
  
  Anzahl der Zeilen = Anzahl der Spalten = [no newline]
  [Eingabe - Menue: ] x9
  [Hauptmenue: ] x3
  [Ausgabe - Menue: ]
  ==
  
  Eigenschaften der Matrix:
  
  Zeilen:2
  Spalten: 3
  quadratische Matrix: Nein
  Nullmatrix: Nein
  Einheitsmatrix: Nein
  Skalarmatrix: Nein
  Dreiecksmatrix: keine
  Spaltenvektor: Nein
  Zeilenvektor: Nein
  
  Werte der Matrix: 
  
  1\t2\t3\t (esc)
  4\t5\t6\t (esc)
  
  Druecken Sie eine beliebige Taste . . .
  [Ausgabe - Menue: ] x5
  [Hauptmenue: ]
  [Eingabe - Menue: ]
  ==
  
  Geben Sie bitte folgende Daten ein:
  
  Anzahl der Zeilen = Anzahl der Spalten = [no newline]
  [Eingabe - Menue: ] x9
  [Hauptmenue: ] x3
  [Ausgabe - Menue: ]
  ==
  
  Eigenschaften der Matrix:
  
  Zeilen:4
  Spalten: 4
  quadratische Matrix: Ja
  Nullmatrix: Nein
  Einheitsmatrix: Nein
  Skalarmatrix: Nein
  Dreiecksmatrix: keine
  Spaltenvektor: Nein
  Zeilenvektor: Nein
  
  Werte der Matrix: 
  
  1\t2\t3\t0\t (esc)
  4\t5\t6\t0\t (esc)
  0\t0\t0\t0\t (esc)
  0\t0\t0\t0\t (esc)
  
  Druecken Sie eine beliebige Taste . . .
  [Ausgabe - Menue: ] x5
  [Hauptmenue: ] x3
  [exit 0]

Counts below one are refused, and the matrix keeps its size; all three runs show the same:

  $ start 2; input 1 $'0\n4\nx'; show 1; finish
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x3
  [Hauptmenue: ]
  [Eingabe - Menue: ]
  ==
  
  Geben Sie bitte folgende Daten ein:
  
  Anzahl der Zeilen = Anzahl der Spalten = Es ist folgender Fehler aufgetreten: 
  Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.
  
  Druecken Sie eine beliebige Taste . . .
  [Eingabe - Menue: ] x9
  [Hauptmenue: ] x3
  [Ausgabe - Menue: ]
  ==
  
  Eigenschaften der Matrix:
  
  Zeilen:3
  Spalten: 3
  quadratische Matrix: Ja
  Nullmatrix: Ja
  Einheitsmatrix: Nein
  Skalarmatrix: Ja
  Dreiecksmatrix: Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix)
  Spaltenvektor: Nein
  Zeilenvektor: Nein
  
  Werte der Matrix: 
  
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  
  Druecken Sie eine beliebige Taste . . .
  [Ausgabe - Menue: ] x5
  [Hauptmenue: ] x3
  [exit 0]
  $ for counts in $'-2\n3\n' $'3\n0\n'; do
  >   start 2; input 1 "${counts}x"; show 1; finish | cmp - <(start 2; input 1 $'0\n4\nx'; show 1; finish)
  > done

Letters and a count beyond 32 bits are asked for again; a size whose storage cannot be had is
refused:

  $ start 2; input 1 $'abc\n2\n99999999999\n1\n'; input 2 $'200000\n200000\nx'; show 2; finish
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x3
  [Hauptmenue: ]
  [Eingabe - Menue: ]
  ==
  
  Geben Sie bitte folgende Daten ein:
  
  Anzahl der Zeilen = 
  Es ist ein Fehler aufgetreten: 
  Eingabefehler (Ganzzahl)
  
  Anzahl der Zeilen = Anzahl der Spalten = 
  Es ist ein Fehler aufgetreten: 
  Eingabefehler (Ganzzahl)
  
  Anzahl der Spalten = [no newline]
  [Eingabe - Menue: ] x3
  ==
  
  Geben Sie bitte folgende Daten ein:
  
  Anzahl der Zeilen = Anzahl der Spalten = 
  Es ist ein Fehler aufgetreten: 
  Nicht genug Arbeitsspeicher fuer diese Operation.
  
  Druecken Sie eine beliebige Taste . . .
  [Eingabe - Menue: ] x7
  [Hauptmenue: ] x3
  [Ausgabe - Menue: ] x3
  ==
  
  Eigenschaften der Matrix:
  
  Zeilen:3
  Spalten: 3
  quadratische Matrix: Ja
  Nullmatrix: Ja
  Einheitsmatrix: Nein
  Skalarmatrix: Ja
  Dreiecksmatrix: Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix)
  Spaltenvektor: Nein
  Zeilenvektor: Nein
  
  Werte der Matrix: 
  
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  
  Druecken Sie eine beliebige Taste . . .
  [Ausgabe - Menue: ] x3
  [Hauptmenue: ] x3
  [exit 0]

Values are asked for in row order, and one line may answer several:

  $ start 1; input 1 $'2\n2\n'; input 3 $'1 2.5\n-3\n1e-3\n'; show 1; finish
  [Bitte waehlen Sie den Datentyp der Matrixelemente:]
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
  [Hauptmenue: ] x3
  [Ausgabe - Menue: ]
  ==
  
  Eigenschaften der Matrix:
  
  Zeilen:2
  Spalten: 2
  quadratische Matrix: Ja
  Nullmatrix: Nein
  Einheitsmatrix: Nein
  Skalarmatrix: Nein
  Dreiecksmatrix: keine
  Spaltenvektor: Nein
  Zeilenvektor: Nein
  
  Werte der Matrix: 
  
  1\t2.5\t (esc)
  -3\t0.001\t (esc)
  
  Druecken Sie eine beliebige Taste . . .
  [Ausgabe - Menue: ] x5
  [Hauptmenue: ] x3
  [exit 0]

Fractions are kept as typed, complex numbers are read in all three forms:

  $ start 4; input 1 $'1\n3\n'; input 3 $'2/4 -3 / 6\n5\n/\n1\n'; show 1; finish | tail -6
  2/4\t-3/6\t5\t (esc)
  
  Druecken Sie eine beliebige Taste . . .
  [Ausgabe - Menue: ] x5
  [Hauptmenue: ] x3
  [exit 0]
  $ start 3; input 1 $'2\n2\n'; input 3 $'(1,2) ( 0 , -1 )\n3 (4.5)\n'; show 1; finish | tail -7
  (1,2)\t(0,-1)\t (esc)
  (3,0)\t(4.5,0)\t (esc)
  
  Druecken Sie eine beliebige Taste . . .
  [Ausgabe - Menue: ] x5
  [Hauptmenue: ] x3
  [exit 0]

A bad value is asked for again and the values before it are kept (a comma ends a decimal
number, and the rest of the line is the error):

  $ errors_and_values() { grep -e '^Eingabefehler' -e $'\t$'; }
  $ start 1; input 1 $'1\n2\n'; input 3 $'1 abc\n2\n'; show 1; finish | errors_and_values
  Eingabefehler (Dezimalzahl)
  1\t2\t (esc)
  $ start 1; input 1 $'1\n2\n'; input 3 $'1,5\n7\n'; show 1; finish | errors_and_values
  Eingabefehler (Dezimalzahl)
  1\t7\t (esc)
  $ start 2; input 1 $'1\n2\n'; input 3 $'1e999\n4 5\n'; show 1; finish | errors_and_values
  Eingabefehler (Dezimalzahl)
  4\t5\t (esc)
  $ start 3; input 1 $'1\n2\n'; input 3 $'(1;2)\n(1,2)\n\n\n3\n'; show 1; finish | errors_and_values
  Eingabefehler (komplexe Zahl)
  (1,2)\t(3,0)\t (esc)
  $ start 4; input 1 $'1\n2\n'; input 3 $'1/0\n1,2\n1/2 x/3\n3/4\n'; show 1; finish | errors_and_values
  Eingabefehler (Bruchzahl)
  Eingabefehler (Bruchzahl)
  Eingabefehler (Bruchzahl)
  1/2\t3/4\t (esc)
  $ start 4; input 1 $'1\n2\n'; input 3 $'99999999999999999999/1\n1/-2 3/1\n'; show 1; finish | errors_and_values
  99999999999999999999\t1/-2\t (esc)

The end of input in the middle of the values ends the program with status 1:

  $ start 2; input 3 $'1 2\n3'; run "$KEYS" | tail -2
  Zeile 1 , Spalte 1 = Zeile 1 , Spalte 2 = Zeile 1 , Spalte 3 = Zeile 2 , Spalte 1 = [no newline]
  [exit 1]
  $ start 4; input 3 $'1/2\n3'; run "$KEYS" | tail -2
  Zeile 1 , Spalte 1 = Zeile 1 , Spalte 2 = [no newline]
  [exit 1]

Identity and column vector answer their questions:

  $ start 2; input 3 $'1 0 0 0 1 0 0 0 1\n'; input 2 $'3\n1\n'; show 1; show 2; finish | grep -v '^\['
  ==
  Brueche sind in der Form 1/2 einzugeben, 
  also Zaehler und Nenner durch einen Schraegstrich getrennt.
  
  Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. 
  Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und 
  das Ganze muss in Klammern eingeschlossen werden.
  
  Bitte geben Sie die Werte der Matrixelemente ein. 
  
  Zeile 1 , Spalte 1 = Zeile 1 , Spalte 2 = Zeile 1 , Spalte 3 = Zeile 2 , Spalte 1 = Zeile 2 , Spalte 2 = Zeile 2 , Spalte 3 = Zeile 3 , Spalte 1 = Zeile 3 , Spalte 2 = Zeile 3 , Spalte 3 = [no newline]
  ==
  
  Geben Sie bitte folgende Daten ein:
  
  Anzahl der Zeilen = Anzahl der Spalten = [no newline]
  ==
  
  Eigenschaften der Matrix:
  
  Zeilen:3
  Spalten: 3
  quadratische Matrix: Ja
  Nullmatrix: Nein
  Einheitsmatrix: Ja
  Skalarmatrix: Ja
  Dreiecksmatrix: Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix)
  Spaltenvektor: Nein
  Zeilenvektor: Nein
  
  Werte der Matrix: 
  
  1\t0\t0\t (esc)
  0\t1\t0\t (esc)
  0\t0\t1\t (esc)
  
  Druecken Sie eine beliebige Taste . . .
  ==
  
  Eigenschaften der Matrix:
  
  Zeilen:3
  Spalten: 1
  quadratische Matrix: Nein
  Nullmatrix: Nein
  Einheitsmatrix: Nein
  Skalarmatrix: Nein
  Dreiecksmatrix: keine
  Spaltenvektor: Ja
  Zeilenvektor: Nein
  
  Werte der Matrix: 
  
  0\t (esc)
  0\t (esc)
  0\t (esc)
  
  Druecken Sie eine beliebige Taste . . .

The output menu stays on the entry just used; changing the type discards the values:

  $ run "$(pick 2)$(pick 2)$D$E" x "$E" x "$D$E$U$E" | grep -c Eigenschaften
  2
  $ start 2; input 3 $'1 2 3 4 5 6 7 8 9\n'; change_type 2; show 1; finish | tail -9
  
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  
  Druecken Sie eine beliebige Taste . . .
  [Ausgabe - Menue: ] x5
  [Hauptmenue: ] x3
  [exit 0]
