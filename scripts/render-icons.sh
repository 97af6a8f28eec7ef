#!/usr/bin/env bash
# Renders the program's icon at the sizes menus and launchers ask for, from the one drawing
# resources/icons/saporina.svg (needs rsvg-convert, Debian's librsvg2-bin). The PNGs are kept in the
# repository, so that building needs no SVG renderer; run this after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" saporina.svg -o "saporina-$size.png"
done
