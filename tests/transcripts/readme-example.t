A double 2 x 2 matrix typed on two lines, its determinant, and the end.

  $ printf '\x1b[B\r\r\r2\n2\n\x1b[B\x1b[B\r1 2\n3 4\n\x1b[B\x1b[B\r\x1b[B\x1b[B\x1b[B\r\rx\x1b[A\r\x1b[A\r' | "$TAVOLENT"
  Tavolent   Version 1.8.6
  
  Bitte waehlen Sie den Datentyp der Matrixelemente:
  
  Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38
  Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308
  komplexe Zahlen
  Bruchzahl
  Programm beenden
  Tavolent   Version 1.8.6
  
  Bitte waehlen Sie den Datentyp der Matrixelemente:
  
  Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38
  Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308
  komplexe Zahlen
  Bruchzahl
  Programm beenden
  Tavolent   Version 1.8.6
  
  Bitte waehlen Sie den Datentyp der Matrixelemente:
  
  Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38
  Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308
  komplexe Zahlen
  Bruchzahl
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Geben Sie bitte folgende Daten ein:
  
  Anzahl der Zeilen = Anzahl der Spalten = Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  Brueche sind in der Form 1/2 einzugeben, 
  also Zaehler und Nenner durch einen Schraegstrich getrennt.
  
  Komplexe Zahlen dagegen sind in der Form (Re,Im) einzugeben. 
  Der reale Anteil ist dabei durch Komma vom imaginaeren Anteil getrennt und 
  das Ganze muss in Klammern eingeschlossen werden.
  
  Bitte geben Sie die Werte der Matrixelemente ein. 
  
  Zeile 1 , Spalte 1 = Zeile 1 , Spalte 2 = Zeile 2 , Spalte 1 = Zeile 2 , Spalte 2 = Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Eingabe - Menue: 
  
  Groesze der Matrix 1 anpassen
  Groesze der Matrix 2 anpassen
  Werte der Matrix 1 eingeben
  Werte der Matrix 2 eingeben
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Matrix - Operationen - Menue: 
  
  Determinante Matrix 1
  Determinante Matrix 2
  Adjunkte Matrix 1
  Adjunkte Matrix 2
  Inverse Matrix 1
  Inverse Matrix 2
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Ergebnis: 
  
  -2
  
  Druecken Sie eine beliebige Taste . . .
  Tavolent   Version 1.8.6
  
  
  Matrix - Operationen - Menue: 
  
  Determinante Matrix 1
  Determinante Matrix 2
  Adjunkte Matrix 1
  Adjunkte Matrix 2
  Inverse Matrix 1
  Inverse Matrix 2
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Matrix - Operationen - Menue: 
  
  Determinante Matrix 1
  Determinante Matrix 2
  Adjunkte Matrix 1
  Adjunkte Matrix 2
  Inverse Matrix 1
  Inverse Matrix 2
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Matrix - Operationen - Menue: 
  
  Determinante Matrix 1
  Determinante Matrix 2
  Adjunkte Matrix 1
  Adjunkte Matrix 2
  Inverse Matrix 1
  Inverse Matrix 2
  Zurueck zum Hauptmenue
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
  Tavolent   Version 1.8.6
  
  
  Hauptmenue: 
  
  Eingabe
  Ausgabe
  Arithmetic
  Matrix-Operationen
  Gleichungsloeser
  Datentyp der Matrizen aendern
  Programm beenden
