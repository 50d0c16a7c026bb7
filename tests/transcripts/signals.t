Through a pipe, output is held between reads, and a signal that ends the program writes what
is held from its handler. The handler never waits on a reader that has stopped, and what
arrives is always the start of what a normal run writes: never a block twice. (Signals do not
reach the Windows build under wine in the same way, so it skips these.)

  $ [ -z "$TAVOLENT_WINE" ] || exit 80
  $ . "$TESTDIR/helpers.sh"

The keys: doubles, Matrix 1 set to 600 x 600, then shown (over 700 kB of values).

  $ start 2; input 1 $'600\n600\n'; show 1; printf '%s' "$KEYS" > keys
  $ "$TAVOLENT" < keys | wc -c
  724400

A reader that keeps the pipe open but reads nothing: the program, blocked on the full pipe,
still ends on SIGTERM and on SIGHUP, by that signal.

  $ for signal in TERM HUP; do
  >   start_on_fifos; cat keys >&3
  >   pipe_holds 61440 || echo "the pipe never filled"
  >   kill -$signal $pid
  >   ended $pid
  >   fifo_status
  > done
  ended
  status 143
  ended
  status 129

A reader that reads slowly and then stops, with the program blocked in the middle of a block:
after SIGTERM, SIGHUP or SIGINT the reader gets the rest, and all it got is the start of a
normal run's output.

  $ printf '%sx\x1b[A\r\x1b[A\r' "$KEYS" | "$TAVOLENT" > normal; echo "status $?"
  status 0
  $ for signal in TERM HUP INT; do
  >   start_on_fifos; cat keys >&3
  >   head -c 100000 <&4 > got
  >   pipe_holds 61440 || echo "the pipe never filled"
  >   kill -$signal $pid
  >   cat <&4 >> got
  >   fifo_status
  >   [ "$(wc -c < got)" -gt 100000 ] || echo "nothing after the signal"
  >   cmp -n "$(wc -c < got)" got normal && echo "the start of a normal run"
  > done
  status 143
  the start of a normal run
  status 129
  the start of a normal run
  status 130
  the start of a normal run

A new window size where input and output are pipes draws no screen again: once the program
has taken the signal, the end of input follows the first screen without another.

  $ start_on_fifos; grep -m 1 -q '^Programm beenden' <&4
  $ kill -WINCH $pid; taken $pid 28; exec 3>&-; grep -c Tavolent <&4; fifo_status
  0
  status 1

SIGINT during a computation cancels only that computation, through a pipe as on a terminal:
the error says so, the menu comes back, and the run goes on to its normal end. Here the
product of two 2500 x 2500 matrices is interrupted after a second of it.

  $ start 2; input 1 $'2500\n2500\n'; input 2 $'2500\n2500\n'; arithmetic 3
  $ start_on_fifos; cat <&4 > screens.txt & printf '%s' "$KEYS" >&3
  $ busy_for $pid 1 || echo "no computation"
  $ kill -INT $pid
  $ printf 'x\x1b[B\r\x1b[A\r' >&3
  $ fifo_status
  status 0
  $ cat errors
  
  Es ist ein Fehler aufgetreten: 
  Berechnung abgebrochen
  
  $ grep -c '^Ergebnis' screens.txt
  0
  [1]
