The 6 x 6 fraction matrix whose elimination leaves 64 bits on the way: its determinant fits
again and is shown exactly, the same value as Python's exact fractions give.

  $ M='9/7 5/-1 -2/5 7/8 9/6 -18/3 -9/8 -3/6 -2/1 4/3 6/3 -2/8 2/-2 8/7 5/2 -5/1 -2/1 -7/1
  > -5/9 3/5 -4/1 3/1 5/1 -6/4 5/7 7/8 6/1 6/9 -4/9 1/6 4/7 -6/1 -2/1 -5/6 0/1 -2/1'
  $ printf '\x1b[B\x1b[B\x1b[B\r\r\r6\n6\n\x1b[B\x1b[B\r%s\n\x1b[B\x1b[B\r\x1b[B\x1b[B\x1b[B\r\rx\x1b[B\x1b[B\x1b[B\x1b[B\x1b[B\x1b[B\r\x1b[A\r' "$M" | "$TAVOLENT" | grep -a -A2 '^Ergebnis'
  Ergebnis: 
  
  8265779629/2903040
  $ python3 -c '
  > import sys
  > from fractions import Fraction as F
  > values = [F(int(z), int(n)) for z, n in (v.split("/") for v in sys.argv[1].split())]
  > a = [values[6 * i:6 * i + 6] for i in range(6)]
  > det = F(1)
  > for k in range(6):
  >     p = next(r for r in range(k, 6) if a[r][k] != 0)
  >     if p != k:
  >         a[k], a[p], det = a[p], a[k], -det
  >     det *= a[k][k]
  >     for r in range(k + 1, 6):
  >         f = a[r][k] / a[k][k]
  >         a[r] = [x - f * y for x, y in zip(a[r], a[k])]
  > print(det)' "$M"
  8265779629/2903040
