#!/usr/bin/env bash
# Renders art/logo.svg into the multi-size tray icon modules/img/logo.ico
# (16, 32, 48 and 256 pixels). The .ico is committed; run this only after
# changing the drawing. Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pngs=()
for size in 16 32 48 256; do
    rsvg-convert -w "$size" -h "$size" -o "$tmp/logo-$size.png" art/logo.svg
    pngs+=("$tmp/logo-$size.png")
done
# 256 is stored as PNG inside the icon, the small sizes as bitmaps.
icotool -c -o modules/img/logo.ico "$tmp/logo-16.png" "$tmp/logo-32.png" "$tmp/logo-48.png" \
    -r "$tmp/logo-256.png"
echo "modules/img/logo.ico written"
