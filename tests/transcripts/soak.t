A long session through every menu, dialog and element type: the program keeps its memory flat
however long it runs. (What a keystroke costs is measured by tools/key-latency.py.)

  $ . "$TESTDIR/helpers.sh"

Values of an element type ($1) for $2 places, a bad one among them:

  $ values() {
  >   V=
  >   for ((i = 0; i < $2; i++)); do
  >     v=$((RANDOM % 19 - 9))
  >     case $1 in
  >       3) V+="($v,$((RANDOM % 19 - 9))) " ;;
  >       4) V+="$v/$((RANDOM % 5 + 1)) " ;;
  >       *) ((i % 3)) && V+="$v " || V+="$v.5 " ;;
  >     esac
  >   done
  >   V+=$'\n'
  > }

One round on one element type: sizes, values, both displays, every arithmetic and matrix
operation, a solved system, then the next type. An arrow counts as one keystroke:

  $ round() {
  >   n=$((RANDOM % 4 + 1)) m=$((RANDOM % 4 + 1))
  >   input 1 "$n"$'\n'"$n"$'\n'
  >   input 2 "$n"$'\n'"$m"$'\n'
  >   values $1 $((n * n)); input 3 "falsch"$'\n'"$V"
  >   values $1 $((n * m)); input 4 "$V"
  >   show 1; show 2
  >   for entry in 1 2 3; do arithmetic $entry; done
  >   for entry in 1 2 3 4 5 6; do operation $entry; done
  >   values $1 $((n * n)); coefficients=$V; values $1 $n; solver "$n"$'\n'"$coefficients$V"
  >   change_type $(($1 % 4 + 1))
  > }
  $ soak_keys() {
  >   RANDOM=20261207; start 1; type=1 count=0
  >   while ((count < $1)); do
  >     KEYS=; round $type; type=$((type % 4 + 1))
  >     printf '%s' "$KEYS"
  >     arrows=${KEYS//$D/.}; arrows=${arrows//$U/.}; count=$((count + ${#arrows}))
  >   done
  >   KEYS=; leave; printf '%s' "$KEYS$U$E"
  > }
  $ soak_keys 10000 > short.keys; soak_keys 100000 > long.keys

  $ /usr/bin/time -f %M -o short.kib "$TAVOLENT" < short.keys > short.out 2>&1; echo $?
  0
  $ /usr/bin/time -f %M -o long.kib "$TAVOLENT" < long.keys > long.out 2>&1; echo $?
  0

No failure goes unexplained:

  $ grep -c 'unbekannter Fehler' long.out
  0
  [1]

The peak memory of the long run is at most a mebibyte above that of the short one (but
AddressSanitizer keeps freed memory in quarantine):

  $ [ "$TAVOLENT_SANITIZED" = ON ] || (( $(tail -1 long.kib) <= $(tail -1 short.kib) + 1024 )) && echo flat
  flat
