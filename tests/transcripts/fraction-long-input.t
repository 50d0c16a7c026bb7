Fractions typed with more digits than 64 bits hold, and one whose reduced form needs 2^63, are
read exactly, shown as typed, and computed with: the determinant agrees with Python's fractions.

  $ printf '\x1b[B\x1b[B\x1b[B\r\r\r2\n2\n\x1b[B\x1b[B\r123456789012345678901234567891/7 -9223372036854775808/-1\n1/1 1/1\n\x1b[B\x1b[B\r\x1b[B\r\rx\x1b[B\x1b[B\r\x1b[B\x1b[B\x1b[B\r\rx\x1b[B\x1b[B\x1b[B\x1b[B\x1b[B\x1b[B\r\x1b[A\r' | "$TAVOLENT" | grep -a -A3 -e '^Werte der Matrix: ' -e '^Ergebnis'
  Werte der Matrix: 
  
  123456789012345678901234567891/7\t-9223372036854775808/-1\t (esc)
  1\t1\t (esc)
  --
  Ergebnis: 
  
  123456788947782074643251137235/7
  
  $ python3 -c 'from fractions import Fraction as F; print(F(123456789012345678901234567891, 7) - F(-9223372036854775808, -1))'
  123456788947782074643251137235/7
