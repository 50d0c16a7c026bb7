Under a 300 MB limit of address space, a 10000 x 10000 matrix (800 MB) is refused; a 4500 x
4500 one (162 MB) is taken, but its determinant's working copy no longer fits. Both refusals
are clear texts on standard error, and the program goes on. (AddressSanitizer reserves more
address space than the limit allows, so a sanitized build skips this, and so does the Windows
build under wine, to which the limit does not reach.)

  $ ASAN_OPTIONS=help=1 "$TAVOLENT" < /dev/null 2>&1 | grep -q AddressSanitizer && exit 80
  [1]
  $ [ -z "$TAVOLENT_WINE" ] || exit 80
  $ printf '\x1b[B\r\r\r10000\n10000\nx\r4500\n4500\n\x1b[B\x1b[B\x1b[B\x1b[B\r\x1b[B\x1b[B\x1b[B\r\rx\x1b[B\rx\x1b[B\x1b[B\x1b[B\x1b[B\x1b[B\r\x1b[A\r' | prlimit --as=300000000 -- "$TAVOLENT" 2> err.txt | grep -A 2 -e '^Ergebnis' -e '^Zeilen:'; echo "status ${PIPESTATUS[1]}"
  Ergebnis: 
  
  0
  status 0
  $ cat err.txt
  
  Es ist ein Fehler aufgetreten: 
  Nicht genug Arbeitsspeicher fuer diese Operation.
  
  
  Es ist ein Fehler aufgetreten: 
  Nicht genug Arbeitsspeicher fuer diese Operation.
  
