#!/usr/bin/env bash
# Builds the Debian package of a finished build and checks its dependencies and
# contents. Usage: package_test.sh BUILD_DIR PROGRAM... (the programs this build makes)
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
  ./usr/lib/udev/rules.d/60-zelmo-tci-serial.rules; do
  grep -q " $file\$" <<<"$contents" || fail "package lacks $file"
done
grep -q "/usr/share/doc/.*/manual/manual_cz.html$" <<<"$contents" || fail "package lacks the manuals"
dpkg-deb -I "$deb" postinst >/dev/null || fail "package has no postinst"
echo "package test: passed ($(basename "$deb"))"
