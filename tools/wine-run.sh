#!/bin/bash
# Runs a Windows program under Wine, headless: the crosscompiling emulator of
# the Windows build's tests, and the runner of VORNEL.exe.
#
# - WINEPREFIX defaults to a prefix in the build folder (created on first use);
# - LANG=ja_JP.UTF-8 so that the ANSI code page is 932 and Japanese renders;
# - without a reachable X display an Xvfb is started and kept for later runs.
#
# Other PCs, for the tests that run VORNEL as engineers' PCs are set up:
# - VORNEL_WINE_LANG (say en_US.UTF-8: code page 1252) runs under that locale,
#   in a prefix of its own (Wine fixes the code page when a prefix's
#   wineserver starts), with the Japanese fonts known by their Windows names
#   as on an English Windows with Japanese support installed;
# - VORNEL_SCREEN (say 1366x768) runs on an Xvfb screen of that size, on
#   display VORNEL_XVFB_DISPLAY, also in a prefix of its own.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build_dir="${VORNEL_BUILD_DIR:-$(pwd)}"
lang="${VORNEL_WINE_LANG:-ja_JP.UTF-8}"
screen="${VORNEL_SCREEN:-}"
suffix=""
[ "$lang" = "ja_JP.UTF-8" ] || suffix="-${lang%%.*}"
[ -z "$screen" ] || suffix="$suffix-$screen"
export WINEPREFIX="${WINEPREFIX:-$build_dir/wineprefix$suffix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG="$lang"
export LC_ALL="$lang"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

start_xvfb() {  # display, geometry: one Xvfb per display, started once and reused
  local display="$1" geometry="$2" lock="/tmp/vornel-xvfb${1#:}.lock"
  (
    flock 9
    if [ ! -e "/tmp/.X11-unix/X${display#:}" ] || ! kill -0 "$(cat /tmp/vornel-xvfb${display#:}.pid 2>/dev/null || echo 0)" 2>/dev/null; then
      rm -f "/tmp/.X${display#:}-lock" "/tmp/.X11-unix/X${display#:}"
      # The server outlives this run: it must not keep any file of its caller
      # open (a lock held around a test run would be held for ever).
      nohup Xvfb "$display" -screen 0 "${geometry}x24" -nolisten tcp >"/tmp/vornel-xvfb${display#:}.log" 2>&1 \
        3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&- &
      echo $! > "/tmp/vornel-xvfb${display#:}.pid"
      for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
    fi
  ) 9>"$lock"
}

display_number="${DISPLAY:-}"
display_number="${display_number#*:}"
display_number="${display_number%%.*}"
if [ -n "$screen" ]; then
  export DISPLAY="${VORNEL_XVFB_DISPLAY:?VORNEL_SCREEN needs VORNEL_XVFB_DISPLAY}"
  start_xvfb "$DISPLAY" "$screen"
elif [ -z "${DISPLAY:-}" ] || [ ! -e "/tmp/.X11-unix/X${display_number}" ]; then
  # One shared Xvfb per machine for the tests; started once, reused after.
  export DISPLAY="${VORNEL_XVFB_DISPLAY:-:77}"
  start_xvfb "$DISPLAY" 1280x1024
fi

# Create the prefix once (about 10 s), serialised between parallel tests.
(
  flock 8
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1 8>&- || true
    if [ "$lang" != "ja_JP.UTF-8" ]; then
      # MS Gothic, MS UI Gothic and MS PGothic as IPA Gothic: the fonts that
      # Windows links to its English UI fonts for Japanese text.
      for pair in "MS Gothic=IPAGothic" "MS UI Gothic=IPAGothic" "MS PGothic=IPAPGothic"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f \
          >/dev/null 2>&1 8>&- || true
      done
    fi
    wineserver -w 8>&- || true
  fi
) 8>"$WINEPREFIX.lock"

exec wine "$@"
