#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of a finished build, checks its dependencies and
# contents, and has lintian check it: any error or warning fails. Usage: package_test.sh BUILD_DIR PROGRAM... (the programs this build makes)
set -euo pipefail
build=$1
shift
programs=("$@")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() { echo "package test: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb=$(find "$out" -maxdepth 1 -name 'zelmo-tci_*.deb' | head -n 1)
[ -n "$deb" ] || fail "no package was written"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6serialport6 qt6-qpa-plugins libc6; do
  grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done

contents=$(dpkg-deb -c "$deb")
for program in "${programs[@]}"; do
  grep -q " ./usr/bin/$program\$" <<<"$contents" || fail "package lacks $program"
done
for file in ./usr/share/applications/zelmo-tci.desktop \
  ./usr/share/icons/hicolor/scalable/apps/zelmo-tci.svg \
  ./usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/zelmo-tci.png \
  ./usr/share/mime/packages/zelmo-tci.xml \
  ./usr/share/zelmo-tci/manual/manual_{en,de,cz}.html \
  ./usr/share/doc/zelmo-tci/{copyright,changelog.Debian.gz,README.md} \
  ./usr/lib/udev/rules.d/60-zelmo-tci-serial.rules; do
  grep -q " $file\$" <<<"$contents" || fail "package lacks $file"
done
grep -q " ./usr/share/metainfo/.*\.metainfo\.xml\$" <<<"$contents" || fail "package lacks the metainfo"
for program in "${programs[@]}"; do
  grep -q " ./usr/share/man/man1/$program.1.gz\$" <<<"$contents" || fail "package lacks the manual page of $program"
done
if [[ " ${programs[*]} " == *" zelmo-cli "* ]]; then
  grep -q " ./usr/share/bash-completion/completions/zelmo-cli\$" <<<"$contents" ||
    fail "package lacks the bash completion"
fi
grep -q " ./usr/share/doc/.*manual" <<<"$contents" && fail "manuals are under /usr/share/doc"
dpkg-deb -I "$deb" postinst >/dev/null || fail "package has no postinst"
grep -q " ./usr/lib/.*zelmo-tci/zelmo-print.so\$" <<<"$contents" || fail "package lacks the printing module"

# Each package a dependency names once.
names=$(sed 's/[,|]/\n/g' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | grep -v '^$' | sort)
[ -z "$(uniq -d <<<"$names")" ] || fail "Depends names a package twice: $depends"

command -v lintian >/dev/null || fail "lintian is not installed (scripts/setup installs it)"
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1 ||
  { cat "$out/lintian.log" >&2; fail "lintian found errors or warnings"; }
echo "package test: passed ($(basename "$deb"))"
