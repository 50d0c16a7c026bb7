The arithmetic and matrix-operations menus: results, error displays, and the matrices left as
they were.

  $ . "$TESTDIR/helpers.sh"
  $ results() { awk '/^Ergebnis: $/ { on = 1; next } /Fehler aufgetreten: $/ { on = 1 } /^Druecken/ { on = 0 } on && NF'; }

Fresh matrices are 3 x 3 zero matrices of every element type: their sum, their determinant,
and no inverse:

  $ for type in 1 2 3 4; do start $type; arithmetic 1; operation 1; operation 5; finish | results; done
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  0
  Es ist folgender Fehler aufgetreten: 
  Zu dieser Matrix gibt es keine Inverse (Determinante = 0).
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  0
  Es ist folgender Fehler aufgetreten: 
  Zu dieser Matrix gibt es keine Inverse (Determinante = 0).
  (0,0)\t(0,0)\t(0,0)\t (esc)
  (0,0)\t(0,0)\t(0,0)\t (esc)
  (0,0)\t(0,0)\t(0,0)\t (esc)
  (0,0)
  Es ist folgender Fehler aufgetreten: 
  Zu dieser Matrix gibt es keine Inverse (Determinante = 0).
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  0\t0\t0\t (esc)
  0
  Es ist folgender Fehler aufgetreten: 
  Zu dieser Matrix gibt es keine Inverse (Determinante = 0).

Sizes that do not fit show the library's text and no result line:

  $ start 2; input 1 $'2\n3\n'; input 3 $'1 2 3 4 5 6\n'; input 4 $'1 0 0 0 1 0 0 0 1\n'
  $ arithmetic 1; arithmetic 2; arithmetic 3; operation 1; operation 3; operation 5; finish | sed -n '/Arithmetic/,$p'
  [Arithmetic - Menue: ]
  ==
  Es ist folgender Fehler aufgetreten: 
  Die beiden zu addierenden Matrizen stimmen nicht in der Anzahl der Zeilen und Spalten ueberein.
  
  Druecken Sie eine beliebige Taste . . .
  [Arithmetic - Menue: ] x3
  ==
  Es ist folgender Fehler aufgetreten: 
  Die beiden zu subtrahierenden Matrizen stimmen nicht in der Anzahl der Zeilen und Spalten ueberein.
  
  Druecken Sie eine beliebige Taste . . .
  [Arithmetic - Menue: ] x3
  ==
  
  Ergebnis: 
  
  1\t2\t3\t (esc)
  4\t5\t6\t (esc)
  
  
  Druecken Sie eine beliebige Taste . . .
  [Arithmetic - Menue: ] x3
  [Hauptmenue: ] x7
  [Matrix - Operationen - Menue: ]
  ==
  Es ist folgender Fehler aufgetreten: 
  Es liegt keine quadratische Matrix vor.
  
  Druecken Sie eine beliebige Taste . . .
  [Matrix - Operationen - Menue: ] x5
  ==
  Es ist folgender Fehler aufgetreten: 
  Es liegt keine quadratische Matrix vor.
  
  Druecken Sie eine beliebige Taste . . .
  [Matrix - Operationen - Menue: ] x5
  ==
  Es ist folgender Fehler aufgetreten: 
  Es liegt keine quadratische Matrix vor.
  
  Druecken Sie eine beliebige Taste . . .
  [Matrix - Operationen - Menue: ] x5
  [Hauptmenue: ] x3
  [exit 0]

The difference is Matrix 1 - Matrix 2; the product of two column vectors is their vector
product, which needs equal lengths:

  $ start 2; input 1 $'1\n1\n'; input 2 $'1\n1\n'; input 3 $'5\n'; input 4 $'3\n'; arithmetic 2; finish | results
  2\t (esc)
  $ start 2; input 1 $'3\n1\n'; input 2 $'3\n1\n'; input 3 $'1 2 3\n'; input 4 $'4 5 6\n'; arithmetic 3
  $ input 1 $'2\n1\n'; input 2 $'2\n1\n'; arithmetic 3; input 2 $'4\n1\n'; arithmetic 3; finish | sed -n '/Arithmetic/,$p' | results
  -3\t (esc)
  6\t (esc)
  -3\t (esc)
  3\t (esc)
  -3\t (esc)
  Es ist folgender Fehler aufgetreten: 
  Bei den Spaltenvektoren liegt keine gleiche Anzahl an Zeilen vor, daher kann das Vektorprodukt nicht gebildet werden.

Fractions stay exact; negative zeros are shown; a 1 x 1 matrix has no adjugate:

  $ start 4; input 1 $'2\n2\n'; input 3 $'4/1 7/1\n2/1 6/1\n'; operation 1; operation 3; operation 5; finish | results
  10
  6\t-7\t (esc)
  -2\t4\t (esc)
  3/5\t-7/10\t (esc)
  -1/5\t2/5\t (esc)
  $ start 2; input 1 $'2\n2\n'; input 3 $'1 0 0 1\n'; operation 3; operation 5; operation 4; finish | results
  1\t-0\t (esc)
  -0\t1\t (esc)
  1\t-0\t (esc)
  -0\t1\t (esc)
  0\t-0\t0\t (esc)
  -0\t0\t-0\t (esc)
  0\t-0\t0\t (esc)
  $ start 2; input 1 $'1\n1\n'; input 3 $'5\n'; operation 3; operation 5; finish | results
  Es ist folgender Fehler aufgetreten: 
  Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.
  Es ist folgender Fehler aufgetreten: 
  Die Angabe der Zeilenanzahl und/oder Spaltenanzahl ist kleiner als 1.

A product past 64 bits stays exact:

  $ start 4; input 1 $'1\n1\n'; input 2 $'1\n1\n'; input 3 $'9223372036854775807/1\n'; input 4 $'2/1\n'
  $ arithmetic 3; finish | sed -n '/Arithmetic/,$p'
  [Arithmetic - Menue: ] x5
  ==
  
  Ergebnis: 
  
  18446744073709551614\t (esc)
  
  
  Druecken Sie eine beliebige Taste . . .
  [Arithmetic - Menue: ] x3
  [Hauptmenue: ] x3
  [exit 0]

No entry changes the matrices:

  $ start 4; input 1 $'2\n2\n'; input 3 $'1/2 2/4\n0/1 3/1\n'; input 2 $'2\n2\n'; input 4 $'1 / 3 4/1\n-2/6 0/5\n'
  $ for entry in 1 2 3; do arithmetic $entry; done; for entry in 1 2 3 4 5 6; do operation $entry; done
  $ solver $'1\n2/1\n1/1\n'; show 1; show 2; finish | grep $'\t$' | tail -4
  1/2\t2/4\t (esc)
  0\t3\t (esc)
  1/3\t4\t (esc)
  -2/6\t0\t (esc)

Enter after a result runs the same entry again:

  $ run "$(pick 2)$(pick 4)$D$E" x "$E" x "$U$U$E$U$E" | results
  0
  0
