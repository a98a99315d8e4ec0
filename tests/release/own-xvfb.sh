# Sourced by the release scripts: an Xvfb of their own, 1600 x 1200 so that the
# parameter dialog fits beside the map, on a display number that Xvfb picks
# itself (-displayfd), so that it never meets another developer's display.
# Sets DISPLAY; stop_own_xvfb ends it (and only it).
own_xvfb_pid=""
start_own_xvfb() {
  local fifo number
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  own_xvfb_pid=$!
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  [ -n "$number" ] || { echo "own-xvfb: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$number"
}
stop_own_xvfb() {
  [ -n "$own_xvfb_pid" ] && kill "$own_xvfb_pid" 2>/dev/null || true
  own_xvfb_pid=""
}
