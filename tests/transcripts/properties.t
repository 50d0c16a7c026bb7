The properties the output menu shows, each decided by exact comparison: square, zero,
identity, scalar, triangular, column vector, row vector. (The comparisons are the same code on
every platform and their answers are words, so the Windows build, whose reading and writing of
values the other transcripts check under wine, skips these.)

  $ [ -z "$TAVOLENT_WINE" ] || exit 80
  $ . "$TESTDIR/helpers.sh"
  $ properties() { # element type, rows, columns, values
  >   start $1; input 1 "$2"$'\n'"$3"$'\n'; input 3 "$4"$'\n'; show 1; finish |
  >   awk -F ': ' '/^(quadratische|Nullm|Einheitsm|Skalarm|Dreiecksm|Spaltenv|Zeilenv)/ { printf "%s ", $2 } END { print "" }'
  > }
  $ properties 2 3 3 '0 0 0 0 0 0 0 0 0'
  Ja Ja Nein Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 
  $ properties 2 3 3 '1 0 0 0 1 0 0 0 1'
  Ja Nein Ja Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 
  $ properties 2 3 3 '2 0 0 0 2 0 0 0 2'
  Ja Nein Nein Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 
  $ properties 2 3 3 '1 0 0 0 2 0 0 0 3'
  Ja Nein Nein Nein Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 
  $ properties 2 2 2 '1 2 0 3'
  Ja Nein Nein Nein obere Nein Nein 
  $ properties 2 2 2 '1 0 2 3'
  Ja Nein Nein Nein untere Nein Nein 
  $ properties 2 2 2 '1 2 3 4'
  Ja Nein Nein Nein keine Nein Nein 
  $ properties 2 2 3 '0 0 0 0 0 0'
  Nein Nein Nein Nein keine Nein Nein 
  $ properties 2 3 1 '0 0 0'
  Nein Nein Nein Nein keine Ja Nein 
  $ properties 2 1 3 '0 0 0'
  Nein Nein Nein Nein keine Nein Ja 
  $ properties 2 1 1 '5'
  Ja Nein Nein Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 
  $ properties 2 1 1 '1'
  Ja Nein Ja Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 
  $ properties 2 1 1 '-0'
  Ja Ja Nein Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 

Tiny values are not zero:

  $ properties 1 2 2 '1 0 1e-30 1'
  Ja Nein Nein Nein untere Nein Nein 
  $ properties 3 2 2 '(1,0) (0,1e-300) (0,1e-300) (1,0)'
  Ja Nein Nein Nein keine Nein Nein 
  $ properties 4 2 2 '1/1 0/3 0/1 2/2'
  Ja Nein Ja Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 

A fraction is compared by one rule wherever it stands, however it was typed: by its quotient
when its value fits 64 bits, exactly beyond. So 1 + 2^-53 typed with wide fields is taken as
its reduced form is (its quotient is 1), and a fraction that differs from 1 only beyond
double precision is the same in every property:

  $ properties 4 2 2 '9007199254740993000000000000/9007199254740992000000000000 0/1 0/1 1/1'
  Ja Nein Ja Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 
  $ properties 4 2 2 '9007199254740993/9007199254740992 0/1 0/1 1/1'
  Ja Nein Ja Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 

Unreduced 64-bit fields keep their own quotient, which may round differently from the
reduced one's; still, a diagonal of two equal such values is scalar, and not the identity:

  $ properties 4 2 2 '27021597764222979/27021597764222976 0/1 0/1 27021597764222979/27021597764222976'
  Ja Nein Nein Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 

Beyond 64 bits, exactly: 1 + 10^-30 is neither one nor equal to 1.

  $ properties 4 2 2 '1000000000000000000000000000001/1000000000000000000000000000000 0/1 0/1 1/1'
  Ja Nein Nein Nein Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 
  $ properties 4 2 2 '1000000000000000000000000000001/1000000000000000000000000000000 0/1 0/1 1000000000000000000000000000001/1000000000000000000000000000000'
  Ja Nein Nein Ja Diagonalmatrix (beinhaltet obere und untere Dreiecksmatrix) Nein Nein 
