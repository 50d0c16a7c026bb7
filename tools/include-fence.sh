#!/usr/bin/env bash
# The includes that the floors' include paths cannot refuse by themselves: a path that climbs out
# of its folder ("../", "./"), and the headers of GMP and libedit outside the floors that own them
# (GMP: number/ and exact/; libedit: app/terminal/). Prints every such line; fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
# refuse <what> <extended regex> <file>...
refuse() {
  local what=$1 pattern=$2
  shift 2
  local hits
  if [ "$#" -gt 0 ] && hits=$(grep -n -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*$pattern" "$@"); then
    printf '%s:\n%s\n' "$what" "$hits"
    status=1
  fi
}

mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.inc' '*.h.in')
mapfile -t product < <(printf '%s\n' "${sources[@]}" | grep -E '^(app|elements|exact|matrix|memory|number|parallel)/')
refuse 'an include that climbs out of its folder' '"\.\.?/' "${sources[@]}"
mapfile -t outside < <(printf '%s\n' "${product[@]}" | grep -v -E '^(number|exact)/')
refuse 'GMP outside number/ and exact/' '[<"]gmp(xx)?\.h[>"]' "${outside[@]}"
mapfile -t outside < <(printf '%s\n' "${product[@]}" | grep -v -E '^app/terminal/')
refuse 'libedit outside app/terminal/' '[<"](histedit\.h|editline/)' "${outside[@]}"
exit "$status"
