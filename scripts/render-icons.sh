#!/usr/bin/env bash
# Renders the committed PNG icons from data/icons/vantor2000.svg; run it after changing the drawing.
# Needs rsvg-convert (Debian package librsvg2-bin), installed when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
status=$(dpkg-query -W -f='${db:Status-Status}' librsvg2-bin 2>/dev/null || true)
if [ "$status" != installed ]; then
  echo "Installing: librsvg2-bin"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends librsvg2-bin >/dev/null
fi
for size in 16 22 24 32 48 64 128 256; do
  folder=data/icons/hicolor/${size}x${size}/apps
  mkdir -p "$folder"
  rsvg-convert -w "$size" -h "$size" data/icons/vantor2000.svg -o "$folder/vantor2000.png"
done
echo "Rendered data/icons/hicolor/*/apps/vantor2000.png"
