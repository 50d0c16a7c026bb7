The inverse of a 60 x 60 matrix of one-digit fractions p/q (p in -9..9, q in 1..9), typed as a
new user would, compared with the exact inverse that Python computes with its own integers:
each row cleared of its denominators, then a fraction-free Gauss-Jordan elimination. The same
matrix then solves a system, compared with the inverse times the right-hand side. (How long
they take is measured by make bench, exact_bench.)

  $ cat > matrix.py <<'PY'
  > import random
  > random.seed(60)
  > n = 60
  > print(" ".join("%d/%d" % (random.randint(-9, 9), random.randint(1, 9)) for _ in range(n * n)))
  > print(" ".join("%d/%d" % (random.randint(-9, 9), random.randint(1, 9)) for _ in range(n)))
  > PY
  $ python3 matrix.py > values
  $ keys() {
  >   printf '\x1b[B\x1b[B\x1b[B\r\r\r60\n60\n\x1b[B\x1b[B\r%s\n\x1b[B\x1b[B\r\x1b[B\x1b[B\x1b[B\r\x1b[B\x1b[B\x1b[B\x1b[B\rx\x1b[B\x1b[B\r' "$(sed -n 1p values)"
  >   printf '\x1b[B\x1b[B\x1b[B\x1b[B\r60\n%s\n%s\nx' "$(sed -n 1p values)" "$(sed -n 2p values)"
  >   printf '\x1b[A\r'
  > }
  $ cat > check.py <<'PY'
  > import sys
  > from fractions import Fraction
  > from math import lcm
  > n = 60
  > lines = open("values").read().split("\n")
  > a = [[Fraction(x) for x in lines[0].split()[i * n:(i + 1) * n]] for i in range(n)]
  > b = [Fraction(x) for x in lines[1].split()]
  > scales = [lcm(*(x.denominator for x in row)) for row in a]
  > m = [[int(x * s) for x in row] + [int(i == k) for k in range(n)] for i, (row, s) in enumerate(zip(a, scales))]
  > previous = 1
  > for k in range(n):
  >     r = next(r for r in range(k, n) if m[r][k] != 0)
  >     m[k], m[r] = m[r], m[k]
  >     for i in range(n):
  >         if i != k:
  >             m[i] = [(m[k][k] * x - m[i][k] * y) // previous for x, y in zip(m[i], m[k])]
  >     previous = m[k][k]
  > inverse = [[Fraction(m[i][n + j], m[i][i]) * scales[j] for j in range(n)] for i in range(n)]
  > shown = open(sys.argv[1]).read().split("Ergebnis: \n\n")
  > table = [[Fraction(x) for x in line.split("\t") if x] for line in shown[1].split("\n")[:n]]
  > solution = [Fraction(line.split(" = ")[1]) for line in shown[2].split("\n")[:n]] if len(shown) > 2 else []
  > expected = [sum(inverse[i][j] * b[j] for j in range(n)) for i in range(n)]
  > print("inverse", "exact" if table == inverse else "differs", "solution", "exact" if solution == expected else "differs")
  > print("largest denominator", max(x.denominator for row in inverse for x in row).bit_length(), "bits")
  > PY
  $ keys | "$TAVOLENT" > shown
  $ python3 check.py shown
  inverse exact solution exact
  largest denominator * bits (glob)
