Through a pipe, CR, LF and CR LF each end a typed value, and the line end is never taken as
a key: the size 2 x 2 and the values arrive, and every key after them still counts.

CR after every value (what a terminal sends for Enter):

  $ printf '\x1b[B\r\r\r2\r2\r\x1b[B\x1b[B\x1b[B\x1b[B\r\x1b[B\r\rx\x1b[A\r\x1b[A\r' | "$TAVOLENT" | grep -A 3 -e '^Werte der Matrix: $' -e '^Zeilen:'; echo "status ${PIPESTATUS[1]}"
  Zeilen:2
  Spalten: 2
  quadratische Matrix: Ja
  Nullmatrix: Ja
  --
  Werte der Matrix: 
  
  0\t0\t (esc)
  0\t0\t (esc)
  status 0

CR LF after the size, and values on CR LF lines, two to a line:

  $ printf '\x1b[B\r\r\r2\r\n2\r\n\x1b[B\x1b[B\r1 2\r\n3 4\r\n\x1b[B\x1b[B\r\x1b[B\r\rx\x1b[A\r\x1b[A\r' | "$TAVOLENT" | grep -A 3 -e '^Werte der Matrix: $' -e '^Zeilen:'; echo "status ${PIPESTATUS[1]}"
  Zeilen:2
  Spalten: 2
  quadratische Matrix: Ja
  Nullmatrix: Nein
  --
  Werte der Matrix: 
  
  1\t2\t (esc)
  3\t4\t (esc)
  status 0

A value the program cannot read, ended by CR: the rest of that line goes, the next line is
asked again, and the CR LF of the next value is one line end:

  $ printf '\x1b[B\r\r\rzwei\r2\r\n3\r\x1b[B\x1b[B\x1b[B\x1b[B\r\x1b[B\r\rx\x1b[A\r\x1b[A\r' | "$TAVOLENT" 2>&1 | grep -e 'Ganzzahl' -e '^Zeilen:' -e '^Spalten:'; echo "status ${PIPESTATUS[1]}"
  Eingabefehler (Ganzzahl)
  Zeilen:2
  Spalten: 3
  status 0

The LF of a CR LF may come late, as through a FIFO from a slow writer: it still belongs to the
line end of the value it follows and is never a key. Here the column count's LF comes half a
second after its CR; the input menu then takes only the keys after it (up to "Zurueck zum
Hauptmenue", Enter) and the program ends through the main menu.

  $ . "$TESTDIR/helpers.sh"
  $ { printf '\x1b[B\r\r\r2\r2\r'; sleep 0.5; printf '\n\x1b[A\r\x1b[A\r'; } | "$TAVOLENT" | grep -c 'Anzahl der Zeilen'; echo "status ${PIPESTATUS[1]}"
  1
  status 0

In a menu too: the type menu's CR picks double, and its LF, sent only once the main menu
waits, is no second Enter there; up and Enter end the program.

  $ start_on_fifos; printf '\x1b[B\r' >&3; grep -m 1 -q '^Hauptmenue' <&4
  $ printf '\n\x1b[A\r' >&3; exec 3>&-; grep -c 'Eingabe - Menue' <&4; fifo_status
  0
  status 0
