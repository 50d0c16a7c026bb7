Every limit that can refuse an allocation is honoured by the storage check, the data segment
(ulimit -d) as the address space: a matrix or a number that does not fit is refused with the
text of a matrix too large, the matrices stay as they were and the run goes on to its normal
end. (The sanitizers reserve more memory than the limits allow, so a sanitized build skips
this, and so does the Windows build under wine, to which the limits do not reach.)

  $ [ "$TAVOLENT_SANITIZED" != ON ] && [ -z "$TAVOLENT_WINE" ] || exit 80
  $ . "$TESTDIR/helpers.sh"
  $ digits() { head -c "$1" /dev/zero | tr '\0' 7; }
  $ refusals() { grep -c '^Nicht genug Arbeitsspeicher fuer diese Operation.$' errors; }

A 5000 x 5000 double matrix under 100 MB of data segment; Matrix 1 keeps its 1 2 / 3 4:

  $ start 2; input 1 $'2\n2\n'; input 3 $'1 2\n3 4\n'; input 1 $'5000\n5000\nx'; show 1; leave
  $ printf '%s' "$KEYS$U$E" | prlimit --data=100000000 -- "$TAVOLENT" 2> errors | grep -A3 '^Werte der Matrix: '
  Werte der Matrix: 
  
  1\t2\t (esc)
  3\t4\t (esc)
  $ refusals
  1

Fractions of millions of digits under 40 MB of data segment: a number of 20 million digits
typed is refused and asked for again, and the product of two of 4 million is computed but
its text cannot be made in what is left, so not even its "Ergebnis" line is shown. (The digits
go straight into the file of keys, past the shell's variables, which would take seconds.)

  $ start 4; input 1 $'1\n1\n'; input 2 $'1\n1\n'; input 3 ''; printf '%s' "$KEYS" > keys
  $ { digits 20000000; echo /3; digits 4000000; echo /3; } >> keys
  $ KEYS=; input 4 ''; printf '%s' "$KEYS" >> keys; { digits 4000000; echo /7; } >> keys
  $ KEYS=; arithmetic 3; leave; printf '%s' "$KEYS$U$E" >> keys
  $ prlimit --data=40000000 -- "$TAVOLENT" < keys 2> errors > out; echo "status $?"
  status 0
  $ grep -c '^Zeile 1 , Spalte 1 = ' out; grep -c '^Ergebnis' out
  2
  0
  [1]
  $ refusals
  2
