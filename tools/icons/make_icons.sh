#!/usr/bin/env bash
# Renders the program's icon (desktop/icons/ortolino.svg, the carrot of the
# splash window) into the PNG sizes the desktop menus use. The PNGs are
# committed beside the SVG; run this after editing the SVG (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../../desktop/icons"
for size in 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" ortolino.svg --output "ortolino-$size.png"
done
