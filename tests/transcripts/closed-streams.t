Standard input, output or error may come closed or unwritable. The program's own files never
take their places, a closed input is the end of input, and output that cannot be written ends
the run with status 1 and one line on standard error. (Under wine the two output streams
arrive as one, through a pipe, so the Windows build skips these.)

  $ [ -z "$TAVOLENT_WINE" ] || exit 80

Input closed: the first screen, then the end of input at once, status 1.

  $ timeout 60 "$TAVOLENT" <&- | grep -c Bruchzahl; echo "status ${PIPESTATUS[0]}"
  1
  status 1

Output on a full device or closed: the first screen fails, and the run ends there.

  $ printf '\x1b[A\r' | timeout 60 "$TAVOLENT" > /dev/full
  tavolent: Schreibfehler bei der Ausgabe
  [1]
  $ printf '\x1b[A\r' | timeout 60 "$TAVOLENT" >&-
  tavolent: Schreibfehler bei der Ausgabe
  [1]

Also when the keys end first: the run ends with status 1 and says why only once.

  $ timeout 60 "$TAVOLENT" <&- >&-
  tavolent: Schreibfehler bei der Ausgabe
  [1]

Standard error closed: the error texts are lost, everything else goes on.

  $ printf '\x1b[B\r\r\rzwei\r2\r3\r\x1b[A\r\x1b[A\r' | timeout 60 "$TAVOLENT" 2>&- | grep -o 'Anzahl der Zeilen' | wc -l; echo "status ${PIPESTATUS[1]}"
  2
  status 0

A file size limit: the write past it fails, and the run ends with status 1 and the write-error
line, not killed by SIGXFSZ. The keys show a 30 x 30 matrix, more than the 1 kB allowed.

  $ . "$TESTDIR/helpers.sh"
  $ start 2; input 1 $'30\n30\n'; show 1; printf '%s' "$KEYS" > keys
  $ (ulimit -f 1; "$TAVOLENT" < keys > out); echo "status $?"
  tavolent: Schreibfehler bei der Ausgabe
  status 1

Keys through a pipe left non-blocking, the row count sent only once the program asks for it:
nothing there yet is no end of input.

  $ { printf '\x1b[B\r\r\r'; shows 'Anzahl der Zeilen' >&2; printf '2\n2\n\x1b[A\r\x1b[A\r'; } |
  >   perl -MFcntl -e 'fcntl(STDIN, F_SETFL, O_NONBLOCK) or die; exec @ARGV' "$TAVOLENT" > out; echo "status $?"
  status 0
  $ grep -c 'Anzahl der Spalten' out
  1
