#!/usr/bin/env bash
# Renders the icon's PNG sizes (48, 128, 256) from resources/icons/vorlandex.svg with rsvg-convert
# (Debian librsvg2-bin). The PNGs are committed; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 48 128 256; do
  rsvg-convert -w "$size" -h "$size" vorlandex.svg -o "vorlandex-$size.png"
done
