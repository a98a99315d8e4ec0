#!/bin/bash
# Renders the PDF that the Wine print test printed and checks that the page
# holds the framed window image where the print placed it: the bounding box
# of everything that is not white must be the frame at (x, y, w, h) in
# printer pixels. Inside it the map must show (the harbour extents in red),
# and nothing of the colour of the window that covered it during the print.
# Exit 77 (skipped) when the print test did not print.
set -euo pipefail
build="$1"
note="$build/last-print.txt"
if [ ! -f "$note" ]; then echo "no printed page to check"; exit 77; fi
winpath="$(sed -n 1p "$note")"
read -r pw ph dpix dpiy x y w h k < <(sed -n 2p "$note")
cover="$(sed -n 3p "$note")"
pdf="$(echo "$winpath" | sed -e 's/^[Zz]://' -e 's|\\|/|g')"
[ -f "$pdf" ] || { echo "printed file $pdf is missing"; exit 1; }
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
pdftoppm -r "$dpix" -rx "$dpix" -ry "$dpiy" -png -singlefile "$pdf" "$tmp/page"
read -r rw rh < <(identify -format "%w %h\n" "$tmp/page.png")
box="$(convert "$tmp/page.png" -fuzz 10% -format "%@" info:)"  # WxH+X+Y of the non-white area
bw="${box%%x*}"; rest="${box#*x}"; bh="${rest%%+*}"; rest="${rest#*+}"; bx="${rest%%+*}"; by="${rest#*+}"
echo "page ${rw}x${rh} (printer ${pw}x${ph}), scale $k, expected ${w}x${h}+${x}+${y}, found $box"
near() { local a=$1 b=$2 tol=$3; [ $(( a > b ? a - b : b - a )) -le "$tol" ]; }
tol=$(( pw / 200 + 3 ))
ok=1
near "$rw" "$pw" "$tol" || ok=0
near "$bw" "$((w + 1))" "$tol" || ok=0
near "$bh" "$((h + 1))" "$tol" || ok=0
near "$bx" "$x" "$tol" || ok=0
near "$by" "$y" "$tol" || ok=0
# The image inside the frame is the window, not an empty page.
convert "$tmp/page.png" -crop "$((w * 98 / 100))x$((h * 98 / 100))+$((x + w / 100))+$((y + h / 100))" +repage "$tmp/inside.png"
colours="$(convert "$tmp/inside.png" -unique-colors -format "%w" info:)"
# How many pixels inside the frame are near the colour $1.
pixels() { convert "$tmp/inside.png" -fuzz 15% -fill white +opaque "$1" -fill black -opaque "$1" -format "%[fx:round(w*h*(1-mean))]" info:; }
red="$(pixels "#FF0000")"
covered="$(pixels "${cover:-#FAAA14}")"
echo "inside the frame: $colours colours, $red pixels of harbour extents, $covered of the covering window"
[ "$colours" -gt 1 ] || ok=0
[ "$red" -gt 0 ] || ok=0
[ "$covered" -eq 0 ] || ok=0
[ "$ok" -eq 1 ] && echo "printed page: OK" || { echo "printed page: WRONG"; exit 1; }
