#!/usr/bin/env bash
# sound_e2e.sh -- the real program's sound through SDL's disk audio driver: at the start volume the
# first seconds of play are audible (the first guest's door bell); after the slider is dragged to
# 0 and "Übernehmen" clicked, the menu's ticks and play (up to the second guest's bell) are silent.
source "$(dirname "$0")/common.sh"

export SDL_AUDIODRIVER=disk
audio="$work/audio.raw"
export SDL_DISKAUDIOFILE="$audio"
second=22050 # samples a second, 16-bit mono
# Samples written so far.
samples() { echo $(($(stat -c %s "$audio" 2>/dev/null || echo 0) / 2)); }
# Waits until the audio thread has written $2 samples past sample $1 (it writes in real time).
wait_for_audio() {
  for _ in $(seq 1200); do [ "$(samples)" -ge $(($1 + $2)) ] && return; sleep 0.1; done
  echo "the game's audio output stopped at $(samples) samples"
  exit 1
}
# The loudest of the $2 samples from sample $1 on.
peak() {
  od -An -v -t d2 -j $(($1 * 2)) -N $(($2 * 2)) "$audio" |
    awk '{ for (i = 1; i <= NF; i++) { v = $i < 0 ? -$i : $i; if (v > m) m = v } } END { print m + 0 }'
}
# Escape until the game ends: in play it leaves for the menu, in the menu it ends the program
# (two presses that reach a busy game within one frame count as one, so another may be needed).
quit_game() {
  for _ in $(seq 20); do
    xdotool key --window "$window" Escape 2>/dev/null || true
    sleep 1
    kill -0 "$game_pid" 2>/dev/null || break
  done
  expect_exit 0
}

start_game
xdotool windowfocus --sync "$window" 2>/dev/null || true
wait_for_audio 0 $((second / 2)) # the sound device opens as the title menu starts
click_at 400 112                 # "Spielen"
mark=$(samples)
wait_for_audio "$mark" $((8 * second))
level=$(peak "$mark" $((8 * second)))
# At the start volume 0.8 the bell peaks at 6,600, louder than the tick (2,600) and the sizzle.
[ "$level" -ge 4000 ] || { echo "no door bell in the first seconds of play (peak $level)"; exit 1; }

key Escape
sleep 1
click_at 400 240 # "Optionen"
sleep 1
xdotool mousemove --window "$window" 600 106 mousedown 1
sleep 0.5
xdotool mousemove --window "$window" 560 106
sleep 0.5
xdotool mouseup 1
sleep 1 # the tick of the press, at the old level, has ended and is written
mark=$(samples)
click_at 400 240 # "Übernehmen", which ticks
for _ in $(seq 100); do
  [ "$(head -n 1 "$work/data/optionen.txt" 2>/dev/null)" = $'0.00000000\r' ] && break
  sleep 0.1
done
[ "$(head -n 1 "$work/data/optionen.txt")" = $'0.00000000\r' ] || { echo "volume 0 not saved"; exit 1; }
sleep 1
click_at 400 112 # "Spielen", which ticks
# Play on past 40 s of sound: the second guest comes 30 s after the first, the cook cooks.
wait_for_audio 0 $((40 * second))
level=$(peak "$mark" $(($(samples) - mark)))
[ "$level" -eq 0 ] || { echo "heard at volume 0 (peak $level)"; exit 1; }
quit_game
echo "sound e2e: passed"
