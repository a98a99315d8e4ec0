#!/bin/bash
# Draws the program's icons (a wave rolling towards a harbour breakwater) with
# ImageMagick and writes resources/vornel.ico (48, 32, 16 px) and
# resources/vornel_small.ico (16 px). The .ico files are committed; run this
# only to change them.
set -euo pipefail
cd "$(dirname "$0")/../resources"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:none \
  -fill '#1d4f91' -draw 'roundrectangle 8,8 248,248 36,36' \
  -fill '#3f86d0' -draw 'rectangle 8,120 248,210' \
  -fill '#2466b0' -draw 'roundrectangle 8,150 248,248 36,36' \
  -fill none -stroke white -strokewidth 20 \
  -draw 'path "M 24,132 C 60,70 110,70 128,120 C 140,150 170,150 186,128"' \
  -stroke none -fill white -draw 'circle 186,118 198,118' \
  -fill '#d9d9d9' -draw 'polygon 150,196 244,196 244,214 150,214' \
  -fill '#f2c230' -draw 'rectangle 226,160 240,196' -fill '#e53030' -draw 'rectangle 226,150 240,162' \
  "$tmp/icon.png"
for s in 48 32 16; do convert "$tmp/icon.png" -resize ${s}x${s} "$tmp/icon$s.png"; done
convert "$tmp/icon48.png" "$tmp/icon32.png" "$tmp/icon16.png" vornel.ico
convert "$tmp/icon16.png" vornel_small.ico
convert "$tmp/icon.png" -resize 128x128 "$tmp/preview.png" && cp "$tmp/preview.png" /tmp/vornel-icon-preview.png
