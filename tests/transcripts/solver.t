The equation solver: its dialog, its three outcomes, and what it refuses.

  $ . "$TESTDIR/helpers.sh"
  $ result() { sed -n '/^Ergebnis: $/,/^Druecken/p' | grep -v -e '^Ergebnis' -e '^$' -e '^Druecken'; }

A unique solution of two equations, the whole dialog:

  $ start 2; solver $'2\n1 1\n1 -1\n3 1\n'; finish
  [Bitte waehlen Sie den Datentyp der Matrixelemente:] x3
  [Hauptmenue: ] x9
  ==
  
  Gleichungsloeser:
  
  Anzahl der Koeffizienten: [no newline]
  ==
  Brueche sind in der Form 1/2 einzugeben, 
  also Zaehler und Nenner durch einen Schraegstrich getrennt.
  
  Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. 
  Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und 
  das Ganze muss in Klammern eingeschlossen werden.
  
  Geben Sie bitte die Koeffizientenmatrix ein: 
  
  Zeile 1 , Spalte 1 = Zeile 1 , Spalte 2 = Zeile 2 , Spalte 1 = Zeile 2 , Spalte 2 = [no newline]
  ==
  Brueche sind in der Form 1/2 einzugeben, 
  also Zaehler und Nenner durch einen Schraegstrich getrennt.
  
  Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. 
  Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und 
  das Ganze muss in Klammern eingeschlossen werden.
  
  Geben Sie bitte den Spaltenvektor der absoluten Glieder ein: 
  
  Zeile 1 , Spalte 1 = Zeile 2 , Spalte 1 = [no newline]
  ==
  
  Ergebnis: 
  
  x1 = 2
  x2 = 1
  
  Druecken Sie eine beliebige Taste . . .
  [Hauptmenue: ] x3
  [exit 0]

No solution, infinitely many, and the forms of each element type:

  $ start 2; solver $'2\n0 0 0 0\n0 0\n'; solver $'2\n0 0 0 0\n0 1\n'; solver $'1\n4\n2\n'; finish | result
  Das Gleichungssystem hat unendlich viele Loesungen.
  Das Gleichungssystem hat keine Loesung.
  x1 = 0.5
  $ start 4; solver $'1\n2/1\n1/1\n'; finish | result
  x1 = 1/2
  $ start 3; solver $'1\n(0,1)\n(1,0)\n'; finish | result
  x1 = (0,-1)

A count of zero is refused, an unreadable one asked for again, one too large to store refused
with a clear text; bad coefficients are asked for again:

  $ start 2; solver $'0\n'; finish | grep -v '^\['
  ==
  
  Gleichungsloeser:
  
  Anzahl der Koeffizienten: Es ist folgender Fehler aufgetreten: 
  Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.
  
  Druecken Sie eine beliebige Taste . . .

A negative count, however far below zero, is refused as 0 is; none wraps around:

  $ for count in -1 -4294967294; do
  >   start 2; solver "$count"$'\n'; finish | cmp - <(start 2; solver $'0\n'; finish)
  > done
  $ start 2; solver $'zwei\n1\n3\n6\n'; finish | sed -n '/Gleichungsloeser/,/Zeile/p'
  Gleichungsloeser:
  
  Anzahl der Koeffizienten: 
  Es ist ein Fehler aufgetreten: 
  Eingabefehler (Ganzzahl)
  
  
  Anzahl der Koeffizienten: [no newline]
  ==
  Brueche sind in der Form 1/2 einzugeben, 
  also Zaehler und Nenner durch einen Schraegstrich getrennt.
  
  Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. 
  Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und 
  das Ganze muss in Klammern eingeschlossen werden.
  
  Geben Sie bitte die Koeffizientenmatrix ein: 
  
  Zeile 1 , Spalte 1 = [no newline]
  $ start 2; solver $'4000000000\n'; finish | grep -v '^\['
  ==
  
  Gleichungsloeser:
  
  Anzahl der Koeffizienten: 
  Es ist ein Fehler aufgetreten: 
  Nicht genug Arbeitsspeicher fuer diese Operation.
  
  Druecken Sie eine beliebige Taste . . .
  $ start 4; solver $'1\n1,2\n2/1\nx\n1/1\n'; finish | grep -e Eingabefehler -e '^x1'
  Eingabefehler (Bruchzahl)
  Eingabefehler (Bruchzahl)
  x1 = 1/2
