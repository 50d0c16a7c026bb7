#!/usr/bin/env python3
"""Cost per keystroke of a piped replay: a scripted session of about 20,000 keys through every
menu, dialog and element type is piped into the program, its output read through a pipe, and
the wall time and the CPU time of the program are divided by the number of keys.

    tools/replay-cost.py build/tavolent [KEYS] [--strace]

With --strace the write system calls of one replay are counted too (needs strace)."""
import random
import resource
import subprocess
import sys
import time

DOWN, UP, ENTER = "\x1b[B", "\x1b[A", "\r"


class Walk:
    """A menu whose highlight stays where the last choice left it while the menu is open."""

    def __init__(self, entries):
        self.entries, self.current = entries, 1

    def pick(self, entry):
        keys = ""
        while self.current != entry:
            keys += DOWN
            self.current = self.current % self.entries + 1
        return keys + ENTER


SUBMENU_ENTRIES = {1: 5, 2: 3, 3: 4, 4: 7}


def values(kind, count, rng):
    def one():
        v = rng.randint(-9, 9)
        if kind == 3:
            return f"({v},{rng.randint(-9, 9)})"
        if kind == 4:
            return f"{v}/{rng.randint(1, 5)}"
        return str(v)
    return " ".join(one() for _ in range(count)) + "\n"


def in_submenu(menu, entry, typed):
    walk = Walk(SUBMENU_ENTRIES[menu])
    return Walk(7).pick(menu) + walk.pick(entry) + typed + walk.pick(SUBMENU_ENTRIES[menu])


def one_round(kind, rng):
    n = rng.randint(1, 4)
    keys = Walk(5).pick(kind)
    keys += in_submenu(1, 1, f"{n}\n{n}\n") + in_submenu(1, 2, f"{n}\n1\n")
    keys += in_submenu(1, 3, "falsch\n" + values(kind, n * n, rng)) + in_submenu(1, 4, values(kind, n, rng))
    for matrix in (1, 2):
        keys += in_submenu(2, matrix, "x")
    for entry in (1, 2, 3):
        keys += in_submenu(3, entry, "x")
    for entry in range(1, 7):
        keys += in_submenu(4, entry, "x")
    keys += Walk(7).pick(5) + f"{n}\n" + values(kind, n * n, rng) + values(kind, n, rng) + "x"
    return keys + Walk(7).pick(6)


def count_keys(keys):
    return len(keys) - 2 * keys.count("\x1b")


def session(wanted):
    rng = random.Random(20261207)
    keys, kind = "", 1
    while count_keys(keys) < wanted:
        keys += one_round(kind, rng)
        kind = kind % 4 + 1
    return keys + Walk(5).pick(5)


def main():
    binary = sys.argv[1]
    wanted = int(sys.argv[2]) if len(sys.argv) > 2 and sys.argv[2].isdigit() else 20000
    keys = session(wanted).encode()
    count = count_keys(keys.decode())
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    run = subprocess.run([binary], input=keys, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    print(f"{count} keys, exit status {run.returncode}, {len(run.stdout)} bytes out: "
          f"{wall / count * 1e6:.1f} us wall and {cpu / count * 1e6:.1f} us CPU per key")
    if "--strace" in sys.argv:
        trace = subprocess.run(["strace", "-f", "-c", "-e", "trace=write", binary], input=keys,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        calls = [line for line in trace.stderr.decode().splitlines() if line.rstrip().endswith("write")]
        print("write calls:", calls[0].split()[3] if calls else "?")
    return 0 if run.returncode == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
