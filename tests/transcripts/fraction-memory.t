Fractions of millions of digits under a limit of address space: every big number the program
makes, typed or computed, is checked before it is made. What does not fit is refused with
the text of a matrix too large, the dialog asks again or the menu comes back, and the run
goes on to its normal end. (AddressSanitizer reserves more address space than the limit
allows, so a sanitized build skips this, and so does the Windows build under wine, to which
the limit does not reach.)

  $ ASAN_OPTIONS=help=1 "$TAVOLENT" < /dev/null 2>&1 | grep -q AddressSanitizer && exit 80
  [1]
  $ [ -z "$TAVOLENT_WINE" ] || exit 80
  $ . "$TESTDIR/helpers.sh"
  $ digits() { head -c "$1" /dev/zero | tr '\0' 7; }

Two 1 x 1 fraction matrices under 120 MB. Matrix 1 is typed first with 50 million digits,
which is refused, then with 10 million, which is taken, as is Matrix 2; their product is
computed, but its 20 million digits cannot be written out in what is left, and a result is
shown whole or not at all: no "Ergebnis" line.

  $ start 4; input 1 $'1\n1\n'; input 2 $'1\n1\n'
  $ input 3 "$(digits 50000000)/3"$'\n'"$(digits 10000000)/3"$'\n'; input 4 "$(digits 10000000)/7"$'\n'
  $ arithmetic 3; leave; printf '%s' "$KEYS$U$E" > keys
  $ prlimit --as=120000000 -- "$TAVOLENT" < keys 2> errors > out; echo "status $?"
  status 0
  $ grep -c '^Zeile 1 , Spalte 1 = ' out; grep -c '^Ergebnis' out
  2
  0
  [1]
  $ cat errors
  
  Es ist ein Fehler aufgetreten: 
  Nicht genug Arbeitsspeicher fuer diese Operation.
  
  
  Es ist ein Fehler aufgetreten: 
  Nicht genug Arbeitsspeicher fuer diese Operation.
  

The inverse of a 200 x 200 matrix of one-digit fractions under 77,000 KB of address space.
Its working copies take the library's temporaries and the allocator's overhead beyond what the
check counts, until an allocation inside the library fails; that one is not the end of the run
but the refusal of the operation, and no part of the result is shown:

  $ python3 -c '
  > import random
  > random.seed(200)
  > print(" ".join("%d/%d" % (random.randint(-9, 9), random.randint(1, 9)) for _ in range(200 * 200)))' > values
  $ start 4; input 1 $'200\n200\n'; input 3 "$(cat values)"$'\n'; operation 5; leave; printf '%s' "$KEYS$U$E" > keys
  $ (ulimit -v 77000; "$TAVOLENT" < keys 2> errors > out); echo "status $?"
  status 0
  $ grep -c '^Ergebnis' out; grep -c '^Nicht genug Arbeitsspeicher fuer diese Operation.$' errors
  0
  1
