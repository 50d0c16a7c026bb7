#!/usr/bin/env bash
# `make install` and `make uninstall` outside the package manager.
#
#   packaging/local-install.sh install BUILD_DIR PREFIX   installs what BUILD_DIR built
#   packaging/local-install.sh uninstall PREFIX           removes it again
#
# DESTDIR, if set, is put in front of every path, as cmake --install does. The install keeps
# its manifest among the files it installs, PREFIX/share/tavolent/install_manifest.txt, so that
# uninstalling needs no build tree: the files written, then the directories that the install
# had to create. Uninstalling removes those files and each of those directories left empty.
set -euo pipefail

manifest_path() { echo "$1/share/tavolent/install_manifest.txt"; }

install_tree() {
  local build=$1 prefix=$2
  local manifest stage
  manifest=$(manifest_path "$prefix")
  # A rehearsal in a scratch root shows which directories the install needs; those missing
  # now are the ones it creates.
  stage=$(mktemp -d)
  trap "rm -rf '$stage'" EXIT
  DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
  mkdir -p "$stage$(dirname "$manifest")"
  local created=()
  while IFS= read -r dir; do
    [ -d "${DESTDIR:-}$dir" ] || created+=("$dir/")
  done < <(cd "$stage" && find . -mindepth 1 -type d | sed 's|^\.||' | sort)
  # Installing again creates nothing, but the directories of the first install stay its own.
  if [ -f "${DESTDIR:-}$manifest" ]; then
    mapfile -t -O "${#created[@]}" created < <(grep '/$' "${DESTDIR:-}$manifest")
  fi

  cmake --install "$build" --prefix "$prefix"
  mkdir -p "${DESTDIR:-}$(dirname "$manifest")"
  {
    cat "$build/install_manifest.txt"
    echo
    echo "$manifest"
    printf '%s\n' ${created[@]+"${created[@]}"} | sort -u
  } | sed '/^$/d' >"${DESTDIR:-}$manifest"
  echo "-- Manifest: ${DESTDIR:-}$manifest"
}

uninstall_tree() {
  local prefix=$1
  local manifest
  manifest=${DESTDIR:-}$(manifest_path "$prefix")
  if [ ! -f "$manifest" ]; then
    echo "Nothing to uninstall: no $manifest (give the PREFIX and DESTDIR of the install)." >&2
    exit 1
  fi
  local entries
  mapfile -t entries <"$manifest"
  local entry
  for entry in "${entries[@]}"; do
    case $entry in
      */) ;;
      *) rm -fv -- "${DESTDIR:-}$entry" ;;
    esac
  done
  # Deepest first, so that a directory emptied by its children goes too.
  while IFS= read -r entry; do
    if [ -d "${DESTDIR:-}$entry" ]; then
      rmdir -v --ignore-fail-on-non-empty -- "${DESTDIR:-}$entry"
    fi
  done < <(printf '%s\n' "${entries[@]}" | grep '/$' | sort -r)
}

case ${1:-} in
  install) install_tree "${2:?build directory missing}" "${3:?prefix missing}" ;;
  uninstall) uninstall_tree "${2:?prefix missing}" ;;
  *)
    echo "usage: $0 install BUILD_DIR PREFIX | uninstall PREFIX" >&2
    exit 2
    ;;
esac
