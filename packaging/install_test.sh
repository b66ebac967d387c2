#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a finished build into a temporary prefix and checks that what a
# desktop needs is in place and that the installed programs run.
# Usage: install_test.sh BUILD_DIR PROGRAM... (the programs this build makes)
set -euo pipefail
build=$1
shift
programs=("$@")
has() { [[ " ${programs[*]} " == *" $1 "* ]]; }
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in \
  share/applications/zelmo-tci.desktop \
  share/icons/hicolor/scalable/apps/zelmo-tci.svg \
  share/mime/packages/zelmo-tci.xml \
  share/doc/zelmo-tci/copyright \
  share/doc/zelmo-tci/README.md \
  lib/udev/rules.d/60-zelmo-tci-serial.rules; do
  [ -e "$prefix/$file" ] || fail "missing $file"
done
for size in 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/zelmo-tci.png
  [ -e "$png" ] || fail "missing the ${size} pixel icon"
  file "$png" | grep -q "PNG image data, $size x $size," || fail "the ${size} pixel icon is $(file -b "$png")"
done
for language in en de cz; do
  [ -s "$prefix/share/zelmo-tci/manual/manual_$language.html" ] || fail "missing manual_$language.html"
done
for program in "${programs[@]}"; do
  man_page=$prefix/share/man/man1/$program.1.gz
  [ -s "$man_page" ] || fail "missing the manual page of $program"
  # groff's own complaints about the page, as lintian would report them
  warnings=$(zcat "$man_page" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "manual page of $program: $warnings"
done
if has zelmo-tci; then
  module=$(find "$prefix/lib" -name zelmo-print.so -path '*/zelmo-tci/*')
  [ -n "$module" ] || fail "missing the printing module"
  if ldd "$module" | grep -q "not found"; then fail "the printing module misses libraries"; fi
fi
for program in "${programs[@]}"; do
  [ -x "$prefix/bin/$program" ] || fail "$program is not executable"
  if ldd "$prefix/bin/$program" | grep -q "not found"; then
    ldd "$prefix/bin/$program" | grep "not found" >&2
    fail "$program misses libraries"
  fi
done

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/zelmo-tci.desktop" || fail "desktop entry is not valid"
fi
grep -q '^Exec=zelmo-tci %f$' "$prefix/share/applications/zelmo-tci.desktop" || fail "desktop entry runs something else"
grep -q '^Icon=zelmo-tci$' "$prefix/share/applications/zelmo-tci.desktop" || fail "desktop entry names another icon"

work=$prefix/work
mkdir -p "$work"

# The installed command-line tool writes the default parameter file.
if has zelmo-cli; then
  "$prefix/bin/zelmo-cli" new "$work/default.ign" || fail "zelmo-cli new failed"
  head -c 18 "$work/default.ign" | grep -q '^TORVANEX_KEY   61 ' || fail "zelmo-cli new wrote no parameter file"
fi

# The installed window starts and keeps running until it is stopped; a crash or
# a library that cannot be loaded ends it early with another status. Its
# settings go to a folder of the test's own.
if has zelmo-tci; then
  status=0
  ZELMO_TCI_CONFIG_DIR=$work/config QT_QPA_PLATFORM=offscreen \
    timeout 3 "$prefix/bin/zelmo-tci" --port "$work/no-such-device" >"$work/tci.log" 2>&1 || status=$?
  if [ "$status" -ne 124 ]; then
    cat "$work/tci.log" >&2
    fail "zelmo-tci ended with status $status instead of running"
  fi
fi
echo "install test: passed"
