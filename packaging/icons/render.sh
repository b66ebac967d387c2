#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the PNG icons kept beside the SVG; run it after changing the SVG.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for size in 48 64 128 256; do
  mkdir -p "$here/$size"
  rsvg-convert -w "$size" -h "$size" "$here/../zelmo-tci.svg" -o "$here/$size/zelmo-tci.png"
done
