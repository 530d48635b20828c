#!/bin/sh
# Renders the PNG icons from tessaro.svg, for desktops that want bitmaps.
# Run once after changing the SVG, then commit the PNGs: bash packaging/make-icons.sh
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "icons/$size"
    rsvg-convert --width "$size" --height "$size" --output "icons/$size/tessaro.png" tessaro.svg
done
