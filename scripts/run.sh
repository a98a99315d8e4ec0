#!/bin/bash
# Builds VORNEL.exe and the solver, lays out a run folder with the sample data
# (run/: VORNEL.exe, zelvo_v3.exe, vornel-contour.exe, Db01, japan.llm, parameter.lst, M7000) and
# starts VORNEL under Wine in it. Without a display an Xvfb is started, a
# screenshot of the main window is saved as run/screenshot.png, and the
# program is closed again.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

bash scripts/setup.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/win -j"${VORNEL_JOBS:-2}" --target VORNEL zelvo_v3 vornel-contour >/dev/null

mkdir -p run
cp -r sample/. run/
cp build/win/VORNEL.exe build/win/solver/zelvo_v3.exe build/win/gridcontour/vornel-contour.exe run/

export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix-run}"
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run: creating the Wine prefix (about 10 s)"
  wine wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
# Wine draws the caption buttons with the Marlett font, which this Wine does not
# load from its own data folder: without a copy in the prefix the buttons show
# the letters "0 1 r".
for font in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf /usr/local/share/wine/fonts/marlett.ttf; do
  if [ -f "$font" ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
    break
  fi
done

cd run
if [ -n "${DISPLAY:-}" ] && [ -z "${VORNEL_HEADLESS:-}" ]; then
  exec wine explorer /desktop=VORNEL,1280x800 VORNEL.exe
fi

display=:${VORNEL_RUN_DISPLAY:-91}
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
wine explorer /desktop=VORNEL,1280x800 VORNEL.exe >/dev/null 2>&1 &
sleep "${VORNEL_RUN_SECONDS:-12}"
import -window root screenshot.png
echo "run: VORNEL started in $(pwd); screenshot of the main window: $(pwd)/screenshot.png"
