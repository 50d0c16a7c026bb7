#!/usr/bin/env bash
# Checks the Debian package as a user meets it: its name and control fields, the files it
# installs, its manual pages, lintian's verdict, and the installed program run through a pipe;
# then make install and make uninstall from the same build tree. Everything happens in a scratch
# root (the package unpacked with dpkg -x), so nothing on the machine is changed.
#
# Usage: packaging/test-package.sh BUILD_DIR   (the tree in which `make package` ran cpack)
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
failures=0
checks=0

pass() { checks=$((checks + 1)); }
fail() {
  checks=$((checks + 1))
  failures=$((failures + 1))
  echo "FAIL: $*" >&2
}
expect_equal() {  # what, expected, actual
  if [ "$2" == "$3" ]; then pass; else fail "$1: expected [$2], got [$3]"; fi
}
expect_match() {  # what, extended regex, actual
  if [[ "$3" =~ $2 ]]; then pass; else fail "$1: [$3] does not match [$2]"; fi
}

# The version is read from the project line, where it is set: the package, the banner and the
# manual page must all carry it.
version=$(sed -n 's/^project(tavolent VERSION \([0-9.]*\) .*/\1/p' "$source_dir/CMakeLists.txt")
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
arch=$(dpkg --print-architecture)
deb="$build/tavolent_${version}_${arch}.deb"
[ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# Control fields. Depends comes from dpkg-shlibdeps: the C and C++ run-time libraries.
field() { dpkg-deb --field "$deb" "$1"; }
expect_equal "Package" "tavolent" "$(field Package)"
expect_equal "Version" "$version" "$(field Version)"
expect_equal "Architecture" "$arch" "$(field Architecture)"
expect_equal "Section" "math" "$(field Section)"
expect_match "Maintainer" '^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$' "$(field Maintainer)"
expect_match "Depends (libc6)" '(^|, )libc6 \(>= [0-9.]+\)' "$(field Depends)"
expect_match "Depends (libstdc++6)" '(^|, )libstdc\+\+6 \(>= [0-9.]+\)' "$(field Depends)"
expect_equal "Description (summary)" "menuegesteuerter Matrizenrechner fuer die Textkonsole" \
  "$(field Description | head -n 1)"
# Only ASCII, like the program's own texts.
if LC_ALL=C grep -q '[^ -~]' <<<"$(field Description)"; then fail "Description is not plain ASCII"; else pass; fi

# Exactly the program, its compressed manual pages, its copyright file and changelog, owned by root, with the usual modes.
expect_equal "files in the package" \
  "-rwxr-xr-x root/root ./usr/bin/tavolent
-rw-r--r-- root/root ./usr/share/doc/tavolent/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/tavolent/copyright
-rw-r--r-- root/root ./usr/share/man/de/man1/tavolent.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/tavolent.1.gz" \
  "$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }')"

dpkg -x "$deb" "$root"
program="$root/usr/bin/tavolent"

# The manual pages, English and German: no warnings from groff, and the version of the package
# and a date in the title line.
for page in man1 de/man1; do
  text=$(gzip -dc "$root/usr/share/man/$page/tavolent.1.gz")
  expect_equal "groff -ww warnings ($page)" "" "$(groff -ww -z -man -Tutf8 2>&1 <<<"$text")"
  expect_match "title line ($page)" "^\\.TH TAVOLENT 1 [0-9]{4}-[0-9]{2}-[0-9]{2} \"tavolent $version\"" \
    "$(grep '^\.TH' <<<"$text")"
done

# The changelog's latest entry is this version; the copyright file carries the licence.
expect_match "changelog entry" "^tavolent \\($version\\) " "$(gzip -dc "$root/usr/share/doc/tavolent/changelog.gz" | head -n 1)"
expect_equal "copyright licence" "$(sed -n '/^Permission/,$p' "$source_dir/LICENSE")" \
  "$(sed -n '/^ Permission/,$s/^ \.\?//p' "$root/usr/share/doc/tavolent/copyright")"

# lintian: no errors and no warnings; packaging/README.md explains each info that remains.
command -v lintian >/dev/null || { echo "FAIL: lintian is not installed" >&2; exit 1; }
lintian_report=$(lintian --fail-on none "$deb" 2>&1 | grep -E '^[EW]: ' || true)
expect_equal "lintian errors and warnings" "" "$lintian_report"

# The installed program: "Programm beenden" in the element-type menu (up from the first entry
# wraps to the last). The menu is drawn, then twice more for the arrow (its prefix code, then its
# move), and the program ends with 0.
type_screen="Tavolent   Version $version

Bitte waehlen Sie den Datentyp der Matrixelemente:

Dezimalzahl im Bereich von 1.17549e-38 bis 3.40282e+38
Dezimalzahl im Bereich von 2.22507e-308 bis 1.79769e+308
komplexe Zahlen
Bruchzahl
Programm beenden"
set +e
output=$(printf '\033[A\r' | "$program" 2>&1)
status=$?
set -e
expect_equal "exit status after Programm beenden" 0 "$status"
expect_equal "element-type menu, drawn three times" "$type_screen
$type_screen
$type_screen" "$output"

# Fractions: Matrix 1 set to 2 x 2 and filled with a value that cannot be read in between
# (refused, asked again); shown through the output menu (2/10 as typed), then its determinant
# and its inverse through the matrix-operations menu; then the end.
keys='\033[B\033[B\033[B\r'                        # element type Bruchzahl
keys+='\r\r2\n2\n'                                  # Eingabe, size of Matrix 1
keys+='\033[B\033[B\r1/2 1/3\n1,4\n1/4 2/10\n'       # values of Matrix 1
keys+='\033[B\033[B\r\033[B\r\rx\033[A\r'             # back; Ausgabe, Matrix 1, key, back
keys+='\033[B\033[B\033[B\r\rx'                      # Matrix-Operationen, determinant, key
keys+='\033[B\033[B\033[B\033[B\rx\033[B\033[B\r'      # inverse of Matrix 1, key, back
keys+='\033[A\r'                                    # Programm beenden
set +e
output=$(printf "$keys" | "$program" 2>&1)
status=$?
set -e
expect_equal "exit status after a fraction session" 0 "$status"
expect_match "fraction input error shown" $'Zeile 2 , Spalte 1 = \nEs ist ein Fehler aufgetreten: \nEingabefehler \\(Bruchzahl\\)\n\nZeile 2 , Spalte 1 = ' "$output"
expect_match "fraction table" $'Werte der Matrix: \n\n1/2\t1/3\t\n1/4\t2/10\t\n\nDruecken Sie eine beliebige Taste' "$output"
expect_match "determinant" $'\n\nErgebnis: \n\n1/60\n\nDruecken Sie eine beliebige Taste' "$output"
expect_match "inverse" $'\n\nErgebnis: \n\n12\t-20\t\n-15\t30\t\n\n\nDruecken Sie eine beliebige Taste' "$output"

expect_equal "tavolent --version" "Tavolent $version" "$("$program" --version)"

# make install and make uninstall into a scratch DESTDIR where one directory exists already:
# the installed program runs, and uninstalling leaves exactly that directory.
dest="$root/local"
mkdir -p "$dest/opt/tavolent/bin"
DESTDIR=$dest "$source_dir/packaging/local-install.sh" install "$build" /opt/tavolent >/dev/null
expect_equal "make install: --version" "Tavolent $version" "$("$dest/opt/tavolent/bin/tavolent" --version)"
DESTDIR=$dest "$source_dir/packaging/local-install.sh" uninstall /opt/tavolent >/dev/null
expect_equal "left after make uninstall" $'./opt\n./opt/tavolent\n./opt/tavolent/bin' "$(cd "$dest" && find . -mindepth 1 | sort)"

# End of input while a menu waits for a key ends the program with 1.
set +e
"$program" </dev/null >/dev/null 2>&1
status=$?
set -e
expect_equal "exit status at end of input" 1 "$status"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
