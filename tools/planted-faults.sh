#!/bin/bash
# Plants known faults, one at a time, in a scratch copy of the tree and reports for each
# whether `ctest` catches it. Usage: tools/planted-faults.sh [fault-name ...]
# SCRATCH (default /tmp/tavolent-faults) holds the copy and its build; JOBS defaults to 2.
set -u
source_tree=$(cd "$(dirname "$0")/.." && pwd)
scratch=${SCRATCH:-/tmp/tavolent-faults}
jobs=${JOBS:-2}

# name | file | perl substitution (applied to the whole file at once). A fault reported as not
# applied (pattern not found) must follow the code it plants in to where that has moved. The wait
# for the rest of a split escape sequence has no fault here: only a clock could tell a test that
# it is gone.
faults=(
  "swap-columns-second-index-against-rows|matrix/MatrixVector-inl.h|s/(::swapColumns.*?b > )columnCount/\${1}rowCount/s"
  "menu-up-on-first-entry-does-not-wrap|app/menus/Menu.cpp|s/selection = count;/selection = 1;/"
  "highlight-written-in-wrong-colour|app/terminal/TerminalCommon.cpp|s/0;30;47m/0;30;46m/"
  "ss3-arrows-not-decoded|app/terminal/KeyDecoder.cpp|s/second != '\\[' && second != 'O'/second != '['/"
  "fraction-without-slash-read|number/BruchText.cpp|s{separator != '/'}{separator < ' '}"
  "fraction-difference-adds|number/Bruch.h|s/(operator-\\(const Bruch& right\\) const \\{.*?sumLeaves64Bits\\(\\*this, right, )true/\${1}false/s"
  "column-exchange-keeps-determinant-sign|matrix/elimination/EliminationDriver.h|s/pivotRow\\[c\\] = -pivotRow\\[c\\];/(void)pivotRow[c];/"
  "solver-outcomes-swapped|matrix/Matrix-inl.h|s/\\? SolveResult::NoSolution : SolveResult::InfinitelyManySolutions/? SolveResult::InfinitelyManySolutions : SolveResult::NoSolution/"
  "one-entry-counts-as-column-vector|matrix/MatrixVector.h|s/columnCount == 1 && rowCount >= 2/columnCount == 1 && rowCount >= 1/"
  "resize-keeps-rows-by-column-count|matrix/MatrixVector-inl.h|s/std::min\\(rows, rowCount\\)/std::min(cols, rowCount)/"
  "table-drops-last-column|app/menus/MatrixTable.h|s/j <= matrix\\.getColumnCount\\(\\)/j < matrix.getColumnCount()/"
  "row-zero-not-checked|matrix/MatrixVector-inl.h|s/if \\(row < 1 \\|\\| row > rowCount/if (row > rowCount/"
  "modular-exchange-keeps-determinant-sign|exact/ModularElimination.cpp|s/negated = !negated;/(void)negated;/"
  "reconstruction-keeps-numerator-sign|exact/RationalReconstruction.cpp|s/remainder = -remainder;/(void)remainder;/"
  "storage-limit-ignored|memory/StorageLimit.h|s/(bytes > budget\\.left\\) \\{\\s*)return false;/\${1}return true;/"
)

rm -rf "$scratch/src"
mkdir -p "$scratch/src"
(cd "$source_tree" && tar --exclude='./build*' --exclude=./.git -cf - .) | tar -xf - -C "$scratch/src"
cmake -S "$scratch/src" -B "$scratch/build" -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 2
build() { cmake --build "$scratch/build" -j "$jobs" >"$scratch/build.log" 2>&1; }
run_tests() { ctest --test-dir "$scratch/build" -j "$jobs" --timeout 180 --stop-on-failure >"$scratch/ctest.log" 2>&1; }

if ! build || ! run_tests; then
  echo "the unchanged tree does not build or pass; see $scratch/*.log" >&2
  exit 2
fi

caught=0
total=0
for entry in "${faults[@]}"; do
  IFS='|' read -r name file substitution <<<"$entry"
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then
    continue
  fi
  target="$scratch/src/$file"
  original="$source_tree/$file"
  result=
  if [ ! -f "$original" ]; then
    result="not applied (no $file)"
  else
    perl -0pi -e "$substitution" "$target"
    if cmp -s "$original" "$target"; then
      result="not applied (pattern not found)"
    elif ! build; then
      result="not applied (does not build)"
    elif run_tests; then
      result="MISSED"
    else
      # The first test that failed, as ctest reports it ("... Test #12: Name ....***Failed").
      result="caught by $(sed -nE 's/^.*Test +#[0-9]+: ([^ ]+) .*\*\*\*.*$/\1/p' "$scratch/ctest.log" | head -1)"
      caught=$((caught + 1))
    fi
    total=$((total + 1))
    cp "$original" "$target"
  fi
  printf '%-42s %s\n' "$name" "$result"
done
build >/dev/null
echo "caught $caught of $total planted faults"
