#!/bin/bash
# Builds the guide: docs/images/<name>.png from the Wine tests' screenshots
# (<screenshots>/<name>.bmp, for every images/<name>.png the guide refers to)
# and docs/images/<name>.svg from the guide driver's figures (<screenshots>/<name>.svg),
# then <out>/ガイド.html and <out>/ガイド.pdf with pandoc and WeasyPrint
# (IPA Gothic for the Japanese text).
#
#   docs/build.sh <screenshot folder> <output folder>
set -euo pipefail
cd "$(dirname "$0")"
docs="$(pwd)"
[ $# -eq 2 ] || { echo "usage: docs/build.sh <screenshot folder> <output folder>" >&2; exit 2; }
shots="$1"
out="$2"
mkdir -p "$out" images

guide="ガイド.md"
missing=0
for name in $(grep -oE 'images/[A-Za-z0-9_-]+\.png' "$guide" | sed -E 's|images/(.*)\.png|\1|' | sort -u); do
  if [ ! -f "$shots/$name.bmp" ]; then
    echo "docs: the guide shows images/$name.png, but the tests took no $shots/$name.bmp" >&2
    missing=1
    continue
  fi
  # Without time stamps, so that an unchanged screen gives the same file.
  convert "$shots/$name.bmp" -strip -define png:exclude-chunks=date,time "images/$name.png"
done
# Figures the guide driver draws as SVG (the virtual breakwater) are copied as they are.
for name in $(grep -oE 'images/[A-Za-z0-9_-]+\.svg' "$guide" | sed -E 's|images/(.*)\.svg|\1|' | sort -u); do
  if [ ! -f "$shots/$name.svg" ]; then
    echo "docs: the guide shows images/$name.svg, but the guide driver drew no $shots/$name.svg" >&2
    missing=1
    continue
  fi
  cp "$shots/$name.svg" "images/$name.svg"
done
[ "$missing" -eq 0 ] || exit 1

pandoc "$guide" --from markdown --to html5 --standalone --self-contained \
  --resource-path="$docs" --css="$docs/guide.css" \
  --metadata lang=ja --metadata pagetitle="VORNEL ガイド" \
  --output "$out/ガイド.html"
weasyprint --base-url "$docs/" "$out/ガイド.html" "$out/ガイド.pdf" 2>"$out/weasyprint.log" ||
  { cat "$out/weasyprint.log" >&2; exit 1; }
# WeasyPrint names a missing font or image only as a warning: fail on those.
if grep -Ei 'Failed to load image|No font|unable to load' "$out/weasyprint.log" >&2; then exit 1; fi
pdffonts "$out/ガイド.pdf" | grep -q IPA || { echo "docs: the PDF has no IPA font embedded" >&2; exit 1; }
echo "docs: $out/ガイド.pdf ($(pdfinfo "$out/ガイド.pdf" | sed -n 's/^Pages: *//p') pages)"
