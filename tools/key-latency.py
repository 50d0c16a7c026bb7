#!/usr/bin/env python3
# Measures how long a key takes from the keyboard to the redrawn menu, on a pseudo-terminal:
# the down arrow, pressed 300 times in the element-type menu.
# Usage: tools/key-latency.py [build/tavolent]
import os, pty, time, select, sys
program = sys.argv[1] if len(sys.argv) > 1 else 'build/tavolent'
pid, fd = pty.fork()
if pid == 0:
    os.execv(program, [program])
seen = b''
def wait_count(marker, count, timeout=5):
    global seen
    end = time.time() + timeout
    while seen.count(marker) < count:
        r, _, _ = select.select([fd], [], [], max(0, end - time.time()))
        if not r: raise SystemExit('timeout')
        seen += os.read(fd, 65536)
wait_count(b'Programm beenden', 1)
time.sleep(0.2)
samples = []
total = seen.count(b'Programm beenden')
for i in range(300):
    t0 = time.perf_counter()
    os.write(fd, b'\x1b[B')
    total += 2  # the prefix code and the move each draw the menu
    wait_count(b'Programm beenden', total)
    samples.append(time.perf_counter() - t0)
samples.sort()
print("key to redrawn menu: median %.3f ms, 95th percentile %.3f ms, over %d arrow presses" % (samples[len(samples)//2]*1000, samples[int(len(samples)*0.95)]*1000, len(samples)))
os.kill(pid, 15)
