#!/usr/bin/env python3
"""The inverses of exact_bench in SymPy, a computer-algebra package a user might pick instead:
the CPU milliseconds of M.inv() (its default method, Gaussian elimination) for the Hilbert
matrices of exact_bench and for random one-digit fraction matrices p/q (p in -9..9, q in 1..9)
of the same sizes. Each result is checked. Bench only: the program does not use SymPy
(python3-sympy)."""
import random
import time

from sympy import Matrix, Rational, eye


def hilbert(n):
    return Matrix(n, n, lambda i, j: Rational(1, i + j + 1))


def one_digit(n):
    generator = random.Random(1000 + n)
    return Matrix(n, n, lambda i, j: Rational(generator.randint(-9, 9), generator.randint(1, 9)))


def cpu_milliseconds(make, n, runs):
    best = float("inf")
    for _ in range(runs):
        m = make(n)  # a fresh matrix, so that nothing cached is reused
        start = time.process_time()
        inverse = m.inv()
        best = min(best, time.process_time() - start)
    assert m * inverse == eye(n)
    return best * 1000


for name, make, sizes in (("Hilbert", hilbert, (12, 20)), ("OneDigitFractions", one_digit, (10, 20, 50))):
    for n in sizes:
        runs = 3 if n <= 20 else 1
        print(f"sympy Inverse/{name}/{n}: {cpu_milliseconds(make, n, runs):.1f} ms CPU", flush=True)
