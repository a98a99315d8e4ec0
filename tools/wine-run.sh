#!/bin/bash
# Runs a Windows program under Wine, headless: the crosscompiling emulator of
# the Windows build's tests, and the runner of VORNEL.exe.
#
# - WINEPREFIX defaults to a prefix in the build folder (created on first use);
# - LANG=ja_JP.UTF-8 so that the ANSI code page is 932 and Japanese renders;
# - without a reachable X display an Xvfb is started and kept for later runs.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build_dir="${VORNEL_BUILD_DIR:-$(pwd)}"
export WINEPREFIX="${WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

display_number="${DISPLAY:-}"
display_number="${display_number#*:}"
display_number="${display_number%%.*}"
if [ -z "${DISPLAY:-}" ] || [ ! -e "/tmp/.X11-unix/X${display_number}" ]; then
  # One shared Xvfb per machine for the tests; started once, reused after.
  export DISPLAY="${VORNEL_XVFB_DISPLAY:-:77}"
  lock="/tmp/vornel-xvfb${DISPLAY#:}.lock"
  (
    flock 9
    if [ ! -e "/tmp/.X11-unix/X${DISPLAY#:}" ] || ! kill -0 "$(cat /tmp/vornel-xvfb${DISPLAY#:}.pid 2>/dev/null || echo 0)" 2>/dev/null; then
      rm -f "/tmp/.X${DISPLAY#:}-lock" "/tmp/.X11-unix/X${DISPLAY#:}"
      nohup Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/tmp/vornel-xvfb.log 2>&1 9>&- &
      echo $! > "/tmp/vornel-xvfb${DISPLAY#:}.pid"
      for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
    fi
  ) 9>"$lock"
fi

# Create the prefix once (about 10 s), serialised between parallel tests.
(
  flock 8
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1 8>&- || true
    wineserver -w 8>&- || true
  fi
) 8>"$WINEPREFIX.lock"

exec wine "$@"
