Inverses of Hilbert matrices (entries 1/(i+j-1)), whose elimination goes far past 64 bits,
compared with the exact inverse that Python's fractions give. (How long they take is measured
by make bench, BM_HilbertInverse.)

  $ keys() {
  >   local n=$1 values
  >   values=$(python3 -c 'import sys; n = int(sys.argv[1]); print(" ".join("1/%d" % (i + j + 1) for i in range(n) for j in range(n)))' "$n")
  >   printf '\x1b[B\x1b[B\x1b[B\r\r\r%d\n%d\n\x1b[B\x1b[B\r%s\n\x1b[B\x1b[B\r\x1b[B\x1b[B\x1b[B\r\x1b[B\x1b[B\x1b[B\x1b[B\rx\x1b[B\x1b[B\r\x1b[A\r' "$n" "$n" "$values"
  > }
  $ cat > check.py <<'PY'
  > import sys
  > from fractions import Fraction
  > n = int(sys.argv[1])
  > shown = open(sys.argv[2]).read().split("Ergebnis: \n\n")[1].split("\n")[:n]
  > inverse = [[Fraction(x) for x in line.split("\t") if x] for line in shown]
  > a = [[Fraction(1, i + j + 1) for j in range(n)] + [Fraction(int(i == k)) for k in range(n)] for i in range(n)]
  > for c in range(n):
  >     a[c] = [x / a[c][c] for x in a[c]]
  >     for r in range(n):
  >         if r != c:
  >             a[r] = [x - a[r][c] * y for x, y in zip(a[r], a[c])]
  > print("exact" if inverse == [row[n:] for row in a] else "differs", "corner", inverse[n - 1][n - 1])
  > PY
  $ keys 12 | "$TAVOLENT" > inverse12
  $ python3 check.py 12 inverse12
  exact corner 11445589052352
  $ keys 20 | "$TAVOLENT" > inverse20
  $ python3 check.py 20 inverse20
  exact corner 48722219250572027160000
