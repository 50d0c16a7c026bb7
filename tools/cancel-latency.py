#!/usr/bin/env python3
# Measures how long Ctrl-C takes to cancel a long exact computation, on a pseudo-terminal: the
# inverse of a 40 x 40 matrix of fractions with 20-digit numerators and denominators (seconds
# of work), cancelled at several moments after its progress line appears, from the key to
# "Berechnung abgebrochen" on the screen.
# Usage: tools/cancel-latency.py [build/tavolent]
import os, pty, select, sys, time
program = sys.argv[1] if len(sys.argv) > 1 else 'build/tavolent'
n = 40
state, values = 40, []
for k in range(n * n):
    state = (state * 6364136223846793005 + 1442695040888963407) % 2**64
    values.append(('-' if k % 3 == 0 else '') + str(10**19 + state % 8999999999999999999) + '/' +
                  str(10**19 + (state >> 7) % 8999999999999999999))
down = '\x1b[B'
keys = (down * 3 + '\r\r\r%d\r%d\r' % (n, n) + down * 2 + '\r' + ' '.join(values) + '\r' + down * 2 + '\r' +
        down * 3 + '\r' + down * 4 + '\r').encode()


def cancel_after(delay):
    pid, fd = pty.fork()
    if pid == 0:
        os.environ['TERM'] = 'xterm'
        os.execv(program, [program])
    seen = b''

    def pump(seconds):
        nonlocal seen
        end = time.time() + seconds
        while time.time() < end:
            if select.select([fd], [], [], 0.001)[0]:
                seen += os.read(fd, 65536)

    for i in range(0, len(keys), 512):
        os.write(fd, keys[i:i + 512])
        pump(0.002)
    while b'Berechnung laeuft' not in seen:
        pump(0.01)
    pump(delay)
    mark = len(seen)
    if b'Ergebnis' in seen:
        raise SystemExit('the inverse ended before Ctrl-C; take a later moment out')
    os.write(fd, b'\x03')
    sent = time.time()
    while b'Berechnung abgebrochen' not in seen[mark:]:
        pump(0.001)
    latency = time.time() - sent
    os.kill(pid, 9)
    os.waitpid(pid, 0)
    return latency


for delay in (0.0, 0.5, 1.0, 2.0, 3.0):
    print('Ctrl-C %.1f s after the progress line: cancelled in %.0f ms' % (delay, 1000 * cancel_after(delay)),
          flush=True)
