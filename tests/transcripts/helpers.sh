# Sourced by the transcripts: keys by name, and the program run with its output condensed.
U=$'\x1b[A' D=$'\x1b[B' E=$'\r'

# Entry $1 of a menu that stands on its first entry: down $1 - 1 times, then Enter. `choose`
# adds it to KEYS, `pick` writes it; a long session built with `choose` forks no subshells.
choose() { local i; for ((i = 1; i < $1; i++)); do KEYS+=$D; done; KEYS+=$E; }
pick() { local KEYS=; choose "$1"; printf '%s' "$KEYS"; }

# Types its arguments into the program. Each menu shows as its heading in brackets (with the
# number of times it was drawn in a row), every other screen whole after "==", standard error
# in line; then the exit status. The banner must carry the project's version to be recognised.
run() {
  printf '%s' "$@" | "$TAVOLENT" 2>&1 | awk -v RS="Tavolent   Version $TAVOLENT_VERSION\n\n" '
    function flush() { if (times) printf "[%s]%s\n", heading, (times > 1 ? " x" times : ""); times = 0 }
    NR == 1 { if ($0 != "") print "before the first banner: " $0; next }
    match($0, /[^\n]*([Mm]enue: |Matrixelemente:)\n/) {
      menu = substr($0, RSTART, RLENGTH - 1)
      if (menu != heading) flush()
      heading = menu; times++; next
    }
    { flush(); heading = ""; printf "==\n%s%s", $0, ($0 ~ /\n$/ ? "" : "[no newline]\n") }
    END { flush() }'
  echo "[exit ${PIPESTATUS[1]}]"
}

# A session built from what the user does: `start` picks the element type, then each step
# opens its submenu from the main menu when it is not open yet and walks to its entry there
# (a submenu stays on the entry last used); `finish` goes back and ends the program through
# the main menu, and runs the whole session.
start() { KEYS= OPEN=0; choose "$1"; [ -n "${SIZES:-}" ] || SIZES=($(menu_sizes)); }
step() {
  if [ "$OPEN" != "$1" ]; then
    leave
    choose "$1"; OPEN=$1 SIZE=${SIZES[$1 - 1]} AT=1
  fi
  for (( ; AT != $2; AT = AT % SIZE + 1)); do KEYS+=$D; done
  KEYS+=$E$3
}
leave() { if [ "$OPEN" != 0 ]; then step "$OPEN" "$SIZE" ''; OPEN=0; fi; }
input() { step 1 "$1" "$2"; }
show() { step 2 "$1" x; }
arithmetic() { step 3 "$1" x; }
operation() { step 4 "$1" x; }
solver() { leave; choose 5; KEYS+=${1}x; }
change_type() { leave; choose 6; choose "$1"; }
finish() { leave; run "$KEYS$U$E"; }

# The number of entries of each of the first four submenus of the main menu, one a line,
# counted in the program's own menu tables: the entries after the heading, up to the table's end.
menu_sizes() {
  local heading
  for heading in 'Eingabe - Menue: ' 'Ausgabe - Menue: ' 'Arithmetic - Menue: ' 'Matrix - Operationen - Menue: '; do
    awk -v table="({\"$heading\"," 'index($0, table) { open = 1; next }
      open { entries += gsub(/\{"/, "") } open && /\}\}\);/ { print entries; exit }' "$TESTDIR"/../../app/menus/*.h
  done
}

# Waits until the pipe read on descriptor 4 holds at least $1 unread bytes: its writer, if it
# has more, is then blocked on it. Fails after a minute without them. (Perl, which starts in a
# tenth of the time Python takes on a loaded machine.)
pipe_holds() {
  perl -e 'require "sys/ioctl.ph";
    for (1 .. 600) {
      my $unread = pack("i", 0);
      ioctl(STDIN, FIONREAD(), $unread) or exit 2;
      exit 0 if unpack("i", $unread) >= $ARGV[0];
      select(undef, undef, undef, 0.1);
    }
    exit 1' "$1" <&4
}

# Waits (a minute at most) until process $1 has ended; says whether it did.
ended() {
  if timeout 60 tail -s 0.05 --pid="$1" -f /dev/null; then echo ended; else echo "still running"; kill -KILL "$1"; fi
}

# The program in the background on two FIFOs, keys written to descriptor 3 and its output
# read from descriptor 4 as the test pleases (standard error goes to the file `errors`); $pid
# is the program's. `fifo_status` waits for
# its end and says its exit status (without the shell's own notice of a signal).
start_on_fifos() {
  rm -f in screens pid status; mkfifo in screens
  ( "$TAVOLENT" < in > screens 2> errors & echo $! > pid; wait $!; echo "status $?" > status ) 2>/dev/null &
  exec 3> in 4< screens
  until [ -s pid ]; do sleep 0.01; done
  pid=$(cat pid)
}
fifo_status() { wait; exec 3>&- 4<&-; cat status; }

# Waits (a minute at most) until process $1 has taken signal number $2 (it is pending no more)
# and sleeps again.
taken() {
  local i pending
  for ((i = 0; i < 600; i++)); do
    pending=$(awk '/^(SigPnd|ShdPnd):/ { printf "0x%s|", $2 }' /proc/"$1"/status)
    (( (${pending}0) & (1 << ($2 - 1)) )) || [ "$(awk '{ print $3 }' /proc/"$1"/stat)" != S ] || return 0
    sleep 0.1
  done
  return 1
}

# Waits (a minute at most) until process $1 has used $2 seconds of processor time.
busy_for() {
  local ticks=$(getconf CLK_TCK) i
  for ((i = 0; i < 600; i++)); do
    (( $(awk '{ print $14 + $15 }' /proc/"$1"/stat) >= $2 * ticks )) && return 0
    sleep 0.1
  done
  return 1
}

# The program on a terminal of its own (tmux, 100 x 30), standard output to the file `out` and
# its exit status to `status`; under wine it is tavolent.exe itself, on wine's console. The
# shell around it ignores SIGINT, so that it outlives a Ctrl-C and can write the status. `keys`
# types tmux key names (-l: its arguments as text), `shows` waits (a minute at most) until `out`
# holds a text, `terminal_status` until the program has ended, and says its status.
start_on_terminal() {
  local program=("$TAVOLENT")
  [ -z "${TAVOLENT_EXE:-}" ] || program=(env "TMPDIR=$TAVOLENT_WINE_TMPDIR" "$TAVOLENT_WINE" "$TAVOLENT_EXE")
  rm -f out status
  tmux -S tmux.socket -f /dev/null new-session -d -x 100 -y 30 \
    "trap '' INT; $(printf '%q ' "${program[@]}")> out; echo \$? > status; sleep 600"
}
keys() { tmux -S tmux.socket send-keys -t 0 "$@"; }
shows() {
  for ((i = 0; i < 600; i++)); do
    [ -f out ] && tr -d '\r' < out | grep -q -F -e "$1" && return 0
    sleep 0.1
  done
  echo "not shown: $1"; return 1
}
terminal_status() {
  for ((i = 0; i < 600; i++)); do
    [ -s status ] && break
    sleep 0.1
  done
  cat status; tmux -S tmux.socket kill-server
}
