#!/usr/bin/env python3
"""The determinant as a user meets it, beside Eigen's partial-pivot LU built for this processor.

For each case random values are piped into Matrix 1 of the program, and "Determinante Matrix 1"
is asked for R times in one run; the same run without the determinants is subtracted, and the
difference divided by R. The peer (bench/DeterminantPeer.cpp, built with -march=native by
make bench) reads the same values and times its own determinant R times. Both figures are the
processor time of the process (user + system), the best of a few runs each; the ratio of the two
is printed beside the goal.

    tools/determinant-in-program.py PROGRAM PEER [TYPE:N ...]

TYPE is float, double or complex; without cases: double:300 double:1000 float:1000 complex:300."""
import os
import random
import subprocess
import sys
import threading

DOWN, ENTER = "\x1b[B", "\r"
TYPES = {"float": 1, "double": 2, "complex": 3}
GOALS = {("double", 300): 1.0, ("double", 1000): 0.9, ("float", 1000): 0.9, ("complex", 300): 1.0}
TRIES = 3


def walk(steps):
    """Enter on the entry `steps` below the highlighted one (a submenu keeps its highlight while it is open; the main menu starts again at its first)."""
    return DOWN * steps + ENTER


def values_text(kind, n, seed):
    rng = random.Random(seed)

    def one():
        return f"{rng.uniform(-1, 1):.6f}"
    if kind == "complex":
        return "\n".join(" ".join(f"({one()},{one()})" for _ in range(n)) for _ in range(n)) + "\n"
    return "\n".join(" ".join(one() for _ in range(n)) for _ in range(n)) + "\n"


def session(kind, n, values, determinants):
    """Type menu, sizes and values of Matrix 1, then the determinant `determinants` times."""
    keys = walk(TYPES[kind] - 1)
    keys += walk(0) + walk(0) + f"{n}\n{n}\n" + walk(2) + values + walk(2)
    keys += walk(3) + (ENTER + "x") * determinants + walk(6)
    return keys + walk(6)


def measured(command, stdin_bytes):
    """(processor seconds, output) of one run; the child is reaped by hand to get its usage."""
    process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL)
    # communicate() would reap the child itself; feed and drain by hand instead.
    chunks = []
    reader = threading.Thread(target=lambda: chunks.append(process.stdout.read()))
    reader.start()
    try:
        process.stdin.write(stdin_bytes)
        process.stdin.close()
    except BrokenPipeError:
        pass
    reader.join()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise RuntimeError(f"{command[0]} ended with status {process.returncode}")
    return usage.ru_utime + usage.ru_stime, b"".join(chunks)


def repeats_for(kind, n):
    """About half a second of determinants in each run."""
    work = n ** 3 * (4 if kind == "complex" else 1)
    return max(10, min(500, int(1.5e10 / work)))


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    program, peer = sys.argv[1], sys.argv[2]
    cases = [(c.split(":")[0], int(c.split(":")[1])) for c in sys.argv[3:]] or list(GOALS)
    print(f"{'type':8} {'n':>5} {'R':>4} {'program ms':>11} {'Eigen ms':>9} {'ratio':>6} {'goal':>5}")
    failed = False
    for kind, n in cases:
        values = values_text(kind, n, seed=n)
        r = repeats_for(kind, n)
        with_runs = session(kind, n, values, r).encode()
        without = session(kind, n, values, 0).encode()
        peer_input = f"{kind} {n} {r}\n{values}".encode()
        base = full = peer_ms = float("inf")
        for _ in range(TRIES):
            base = min(base, measured([program], without)[0])
            seconds, out = measured([program], with_runs)
            full = min(full, seconds)
            if out.count(b"Ergebnis: ") != r:
                raise RuntimeError(f"{kind} {n}: {out.count(b'Ergebnis: ')} results instead of {r}")
            # The peer times its determinants itself, without its parsing.
            peer_ms = min(peer_ms, float(measured([peer], peer_input)[1].split()[0]))
        ours = (full - base) / r
        goal = GOALS.get((kind, n))
        ratio = ours * 1e3 / peer_ms
        failed |= goal is not None and ratio > goal
        print(f"{kind:8} {n:5} {r:4} {ours * 1e3:11.3f} {peer_ms:9.3f} {ratio:6.2f} "
              f"{goal if goal else '':>5}", flush=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
