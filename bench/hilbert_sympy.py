#!/usr/bin/env python3
"""The Hilbert inverses of bruch_bench, for comparison, in SymPy, a computer-algebra package a user
might pick instead: the CPU milliseconds of M.inv() for the 12 x 12 and 20 x 20 Hilbert matrices,
by SymPy's default method (Gaussian elimination) and by the adjugate, the method the program
uses. Each result is checked. Bench only: the program does not use SymPy (python3-sympy)."""
import time

from sympy import Matrix, Rational, eye


def hilbert(n):
    return Matrix(n, n, lambda i, j: Rational(1, i + j + 1))


for n in (12, 20):
    for method, runs in (("GE", 5), ("ADJ", 1)):
        best = float("inf")
        for _ in range(runs):
            h = hilbert(n)  # a fresh matrix, so that nothing cached is reused
            start = time.process_time()
            inverse = h.inv(method=method)
            best = min(best, time.process_time() - start)
        assert h * inverse == eye(n)
        print(f"sympy_hilbert_inverse/{n}/{method}: {best * 1000:.1f} ms CPU")
