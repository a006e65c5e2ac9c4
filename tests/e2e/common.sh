# common.sh -- shared by the end-to-end tests: the real program under Xvfb, driven with xdotool.
# Sourced, not run: it is not a test of its own (the test list takes only e2e/*_e2e.sh).
set -euo pipefail

program=$1
close_window=$2
work=$(mktemp -d /tmp/zedoria-e2e-XXXXXX)
# A copy of the program folder, so that the test's settings file never lands in the build.
cp "$program" "$work/zedoria"
ln -s "$(dirname "$program")/gfx" "$work/gfx"
ln -s "$(dirname "$program")/sfx" "$work/sfx"
mkdir -p "$work/data"
cp "$(dirname "$program")"/data/*.txt "$(dirname "$program")"/data/*.dat "$work/data/" 2>/dev/null || true
rm -f "$work/data/optionen.txt"

# Silent unless a test listens: SDL's dummy audio device (a test may name another driver).
export SDL_AUDIODRIVER=dummy

# Xvfb picks a free display itself and writes its number, so that tests may run side by side.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# Starts the game from another folder (it must find its files itself) and waits for its window.
start_game() {
  (cd / && exec "$work/zedoria") &
  game_pid=$!
  window=""
  for _ in $(seq 1200); do # two minutes: a sanitizer build on a busy machine starts slowly
    window=$(xdotool search --name '^Zedoria$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no window titled Zedoria appeared"; exit 1; }
  sleep 1
  # The newest window of that title: one found in the first instant may already be gone again.
  window=$(xdotool search --name '^Zedoria$' 2>/dev/null | tail -n 1 || true)
}

# Waits for the game to end and checks its exit status.
expect_exit() {
  local want=$1 status=0
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && { echo "the game did not end"; exit 1; }
  wait "$game_pid" || status=$?
  game_pid=""
  # The X server lets go of the window a moment after the program; the next start must not find it.
  for _ in $(seq 50); do xdotool search --name '^Zedoria$' >/dev/null 2>&1 || break; sleep 0.1; done
  [ "$status" -eq "$want" ] || { echo "exit status $status, expected $want"; exit 1; }
}

key() { xdotool key --window "$window" "$@"; sleep 0.3; }
# Clicks the left button at (x, y) of the game's window and gives the game a few frames.
click_at() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.4; }
