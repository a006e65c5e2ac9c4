# common.sh -- shared by the end-to-end tests: the real program under Xvfb, driven with xdotool.
# Sourced, not run: it is not a test of its own (the test list takes only e2e/*_e2e.sh).
set -euo pipefail

program=$1
close_window=$2
grab_window=${3:-} # prints a pixel of a window: "$grab_window" WINDOW X Y
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
# A test may set screen_size before sourcing this file. -noreset: an X server resets whenever its
# last client leaves (each xdotool call, an ended game), and a program connecting during a reset
# is refused; the game then cannot open its window.
Xvfb -displayfd 3 -screen 0 "${screen_size:-1024x768}x24" -nolisten tcp -noreset \
  3>"$work/display" >/dev/null 2>&1 &
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

# Starts the game from another folder (it must find its files itself) and waits for its window;
# arguments, if any, are the command that runs it (the copy of the program by default).
start_game() {
  (cd / && exec "${@:-$work/zedoria}") &
  game_pid=$!
  window=""
  for _ in $(seq 1200); do # two minutes: a sanitizer build on a busy machine starts slowly
    window=$(xdotool search --name '^Zedoria$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || break # ended without a window: its message is above
    sleep 0.1
  done
  if [ -z "$window" ]; then
    local status=0
    kill -0 "$game_pid" 2>/dev/null || { wait "$game_pid" || status=$?; game_pid=""; }
    [ -n "$game_pid" ] && echo "no window titled Zedoria appeared" ||
      echo "the game ended with status $status before its window appeared"
    exit 1
  fi
  sleep 1
  # The newest window of that title: one found in the first instant may already be gone again.
  window=$(xdotool search --name '^Zedoria$' 2>/dev/null | tail -n 1 || true)
}

# Waits for the game to end (up to 30 s: a sanitizer build closing its display on a busy machine
# takes a while) and checks its exit status.
expect_exit() {
  local want=$1 status=0
  for _ in $(seq 300); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && { echo "the game did not end"; exit 1; }
  wait "$game_pid" || status=$?
  game_pid=""
  # The X server lets go of the window a moment after the program; the next start must not find it.
  for _ in $(seq 50); do xdotool search --name '^Zedoria$' >/dev/null 2>&1 || break; sleep 0.1; done
  [ "$status" -eq "$want" ] || { echo "exit status $status, expected $want"; exit 1; }
}

key() { xdotool key --window "$window" "$@"; sleep 0.3; }
# One pixel of the game's window as RRGGBB.
pixel() { "$grab_window" "$window" "$1" "$2"; }
# Clicks at (x, y) until the settings file $1 exists: the menu's "Optionen" and "Übernehmen" share
# a row. Clicks made while the game still loads pile up and count as one click in the first menu
# frame; after that each click alternates the two, so the file comes from one "Übernehmen"
# clicked in a running menu, which leaves the main view shown.
click_until_saved() {
  for _ in $(seq 60); do
    click_at "$2" "$3"
    [ -e "$1" ] && break
  done
}
# Clicks the left button at (x, y) of the game's window and gives the game a few frames.
click_at() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.4; }
