#!/usr/bin/env bash
# no_display_e2e.sh -- without a graphical display the program says so in one line and ends with
# status 1 (it never runs on unseen): with DISPLAY and WAYLAND_DISPLAY unset, and with a DISPLAY
# that no X server answers.
set -euo pipefail
program=$1
work=$(mktemp -d /tmp/zedoria-nodisplay-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/runtime"
chmod 700 "$work/runtime"

# A display number that no X server here has a socket for.
free=90
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done

check() { # the environment's display variables, then the line the program must say
  local status=0
  env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work/runtime" "$1" \
    timeout 60 "$program" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] || { echo "exit status $status, expected 1 ($1)"; cat "$work/err"; exit 1; }
  [ ! -s "$work/out" ] || { echo "standard output not empty ($1)"; exit 1; }
  [ "$(cat "$work/err")" = "$2" ] || { echo "said: $(cat "$work/err")"; echo "expected: $2"; exit 1; }
}

check "NOTHING=set" \
  "zedoria: cannot open a window: no graphical display found (DISPLAY and WAYLAND_DISPLAY are unset)"
check "DISPLAY=:$free" \
  "zedoria: cannot open a window: no graphical display found (cannot connect to DISPLAY=:$free)"
check "WAYLAND_DISPLAY=zedoria-none" \
  "zedoria: cannot open a window: no graphical display found (cannot connect to WAYLAND_DISPLAY=zedoria-none)"
echo "no display e2e: passed"
