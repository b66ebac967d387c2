#!/usr/bin/env bash
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

docdir=$(find "$prefix/share/doc" -mindepth 1 -maxdepth 1 -type d | head -n 1)
for file in \
  share/applications/zelmo-tci.desktop \
  share/icons/hicolor/scalable/apps/zelmo-tci.svg \
  lib/udev/rules.d/60-zelmo-tci-serial.rules; do
  [ -e "$prefix/$file" ] || fail "missing $file"
done
for language in en de cz; do
  [ -s "$docdir/manual/manual_$language.html" ] || fail "missing manual_$language.html in $docdir"
done
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
grep -q '^Exec=zelmo-tci$' "$prefix/share/applications/zelmo-tci.desktop" || fail "desktop entry runs something else"
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
