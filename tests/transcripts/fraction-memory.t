Fractions under a limit of address space, where the storage check cannot see everything the
big-number library takes: an allocation that fails inside the library refuses the operation
and the run goes on to its normal end. (Big numbers refused by the check itself, typed or
computed, are in memory-limits.t.) (AddressSanitizer reserves more address space than the limit
allows, so a sanitized build skips this, and so does the Windows build under wine, to which
the limit does not reach.)

  $ ASAN_OPTIONS=help=1 "$TAVOLENT" < /dev/null 2>&1 | grep -q AddressSanitizer && exit 80
  [1]
  $ [ -z "$TAVOLENT_WINE" ] || exit 80
  $ . "$TESTDIR/helpers.sh"

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
