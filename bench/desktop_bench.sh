#!/usr/bin/env bash
# desktop_bench.sh -- the real program's processor use and resident memory under Xvfb (Mesa's
# software renderer), in the title menu and in play, beside a bare SDL window that only clears and
# swaps 30 times a second, measured in the same run.
# Usage: bench/desktop_bench.sh BUILD_FOLDER (with zedoria and bench/bare_window built in it).
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=10 # each processor figure is the mean over this many seconds
work=$(mktemp -d /tmp/zedoria-desktop-XXXXXX)

# The sounds are mixed, as on a desktop, into SDL's disk driver's file (a machine without a
# sound card has no other device); their cost is part of the program's.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# Processor time of the process (every thread, user and system) over $seconds, in % of one core.
cpu_percent() {
  local pid=$1 ticks=$(getconf CLK_TCK) before after
  before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$seconds"
  after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  awk -v d=$((after - before)) -v t="$ticks" -v s="$seconds" 'BEGIN {printf "%.1f", 100 * d / t / s}'
}

resident_mb() {
  awk '/^VmRSS:/ {printf "%.0f", $2 / 1024}' "/proc/$1/status"
}

wait_for_window() {
  local window=""
  for _ in $(seq 600); do
    window=$(xdotool search --name "$1" 2>/dev/null | tail -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "no window titled $1 appeared" >&2; exit 1; }
  echo "$window"
}

"$build/bench/bare_window" $((seconds + 10)) &
bare=$!
pids+=("$bare")
wait_for_window '^bare$' >/dev/null
sleep 3
bare_cpu=$(cpu_percent "$bare")
bare_mb=$(resident_mb "$bare")
kill "$bare"

(cd / && exec "$build/zedoria") &
game=$!
pids+=("$game")
window=$(wait_for_window '^Zedoria$')
sleep 3 # start-up, and the renderer compiling its shaders in the first frames
menu_cpu=$(cpu_percent "$game")
menu_mb=$(resident_mb "$game")
xdotool mousemove --window "$window" 400 110 click 1 # "Spielen"
sleep 3
play_cpu=$(cpu_percent "$game")
play_mb=$(resident_mb "$game")
kill "$game"

awk -v bare="$bare_cpu" -v menu="$menu_cpu" -v play="$play_cpu" 'BEGIN {
  printf "bare SDL window (clear + swap at 30 Hz): %5.1f %% of a core\n", bare
  printf "title menu:                              %5.1f %% of a core (bare + %.1f)\n", menu, menu - bare
  printf "play:                                    %5.1f %% of a core (bare + %.1f; target: bare + 12 at most, menu no more than play)\n", play, play - bare
}'
echo "resident memory: bare window $bare_mb MB, title menu $menu_mb MB, play $play_mb MB"
