#!/usr/bin/env bash
# Renders the icon's PNG sizes from the SVG; run after changing the drawing
# (needs rsvg-convert from librsvg2-bin). The PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" org.example.signova.svg \
        -o "hicolor/${size}x${size}/apps/org.example.signova.png"
done
