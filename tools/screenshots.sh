#!/usr/bin/env bash
# Makes the README pictures from a real run: the program runs in a detached 80 x 24 tmux
# terminal, is driven with the keys a user would press, and the screens are captured with their
# colours and turned into SVG by tools/ansi2svg.py. Run it again after a change of the screens.
#
# Usage: tools/screenshots.sh [PROGRAM]   (default: build/dist/tavolent, built by make dist-build)
# Needs tmux and python3. Writes docs/main-menu.svg and docs/inverse.svg.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-}
if [ -z "$program" ]; then
  make dist-build >/dev/null
  program=build/dist/tavolent
fi
program=$(realpath "$program")
mkdir -p docs

# A server of its own, so no other tmux session is touched; no user configuration, no status
# line, so the pane is the whole 80 x 24 terminal.
socket="tavolent-screenshots-$$"
tmux_() { tmux -L "$socket" "$@"; }
trap 'tmux_ kill-server 2>/dev/null || true' EXIT
tmux_ -f /dev/null new-session -d -x 80 -y 24 -s shots "$program" \; set-option -g status off

capture() { tmux_ capture-pane -e -p -t shots; }

plain() { sed 's/\x1b\[[0-9;]*m//g'; }

# Waits until the screen shows the given text (the program draws asynchronously to us); with
# --raw the text is looked for in the capture with its colour sequences.
wait_for() {
  local filter=plain
  if [ "$1" == --raw ]; then
    filter=cat
    shift
  fi
  local text=$1
  for _ in $(seq 100); do
    if capture | "$filter" | grep -qF -- "$text"; then
      return
    fi
    sleep 0.05
  done
  echo "screen never showed: $text" >&2
  capture >&2
  exit 1
}

keys() { tmux_ send-keys -t shots "$@"; }
type_line() {
  tmux_ send-keys -t shots -l -- "$1"
  tmux_ send-keys -t shots Enter
}

snapshot() {  # file, title
  capture | python3 tools/ansi2svg.py --columns 80 --title "$2" >"docs/$1"
  echo "docs/$1"
}

# Fractions; Matrix 1 becomes the 2 x 2 matrix 2/3 1/2 / 1/4 3/5.
wait_for "Bitte waehlen Sie den Datentyp"
keys Down Down Down Enter
wait_for "Hauptmenue:"
keys Enter
wait_for "Eingabe - Menue:"
keys Enter
wait_for "Anzahl der Zeilen ="
type_line 2
wait_for "Anzahl der Spalten ="
type_line 2
wait_for "Eingabe - Menue:"
keys Down Down Enter
wait_for "Zeile 1 , Spalte 1 ="
type_line "2/3 1/2"
wait_for "Zeile 2 , Spalte 1 ="
type_line "1/4 3/5"
wait_for "Eingabe - Menue:"
keys Down Down Enter

# The main menu with "Matrix-Operationen" highlighted.
wait_for "Hauptmenue:"
keys Down Down Down
wait_for --raw $'\e[47mMatrix-Operationen'
snapshot main-menu.svg "Tavolent: Hauptmenue"

# Its inverse.
keys Enter
wait_for "Matrix - Operationen - Menue:"
keys Down Down Down Down Enter
wait_for "Druecken Sie eine beliebige Taste"
snapshot inverse.svg "Tavolent: Inverse einer 2 x 2-Matrix aus Bruechen"

# Back out and end the program the ordinary way.
keys x
wait_for "Matrix - Operationen - Menue:"
keys Down Down Enter
wait_for "Hauptmenue:"
keys Up Enter
