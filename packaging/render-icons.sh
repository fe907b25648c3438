#!/usr/bin/env bash
# Renders the icon's PNG sizes from the SVG, and those of the Windows console twin's icon. The PNGs
# are committed, so that neither the build nor the program needs an SVG renderer; run this after
# changing an SVG.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/icons"
command -v rsvg-convert >/dev/null || apt-get install -y -q librsvg2-bin
for size in 16 32 48 64 128 256; do
    mkdir -p "$size"
    rsvg-convert -w "$size" -h "$size" org.corvantis.Panel.svg -o "$size/org.corvantis.Panel.png"
done
cd ../windows
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" console.svg -o "console/$size.png"
done
