#!/usr/bin/env bash
# sound_e2e.sh -- the real program's sound through SDL's disk audio driver: at the start volume the
# first seconds of play are audible (the first guest's door bell, the cook); after the slider is
# dragged to 0 and "Übernehmen" clicked, play is silent, and so it stays at the next start.
source "$(dirname "$0")/common.sh"

export SDL_AUDIODRIVER=disk
audio=""
# Samples written so far (16-bit mono).
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
seconds=22050

# At the start volume (0.8): the first guest comes 5 s after the start, the cook starts cooking.
audio="$work/audio1.raw"
export SDL_DISKAUDIOFILE="$audio"
start_game
xdotool windowfocus --sync "$window" 2>/dev/null || true
click_at 400 112 # "Spielen"
mark=$(samples)
wait_for_audio "$mark" $((8 * seconds))
level=$(peak "$mark" $((8 * seconds)))
# Louder than the click's tick (2,600) and the sizzle (2,100) at this volume: the bell (6,600).
[ "$level" -ge 4000 ] || { echo "no door bell at the start volume (peak $level)"; exit 1; }

# The slider dragged to 0 and saved: silence from then on, in the menu and in play.
key Escape
click_at 400 240 # "Optionen"
xdotool mousemove --window "$window" 600 106 mousedown 1
sleep 0.3
xdotool mousemove --window "$window" 560 106
sleep 0.3
xdotool mouseup 1
sleep 1 # the tick of the press, at the old level, has ended and is written
mark=$(samples)
click_at 400 240 # "Übernehmen"
[ "$(head -n 1 "$work/data/optionen.txt")" = $'0.00000000\r' ] || { echo "volume 0 not saved"; exit 1; }
click_at 400 112 # "Spielen"
sleep 5
wait_for_audio "$mark" $((5 * seconds))
level=$(peak "$mark" $(($(samples) - mark)))
[ "$level" -eq 0 ] || { echo "heard at volume 0 (peak $level)"; exit 1; }
key Escape
key Escape
expect_exit 0

# The next start reads the saved 0: its first guest and the cook play in silence.
audio="$work/audio2.raw"
export SDL_DISKAUDIOFILE="$audio"
start_game
xdotool windowfocus --sync "$window" 2>/dev/null || true
click_at 400 112 # "Spielen"
wait_for_audio 0 $((9 * seconds))
level=$(peak 0 "$(samples)")
[ "$level" -eq 0 ] || { echo "heard at the saved volume 0 (peak $level)"; exit 1; }
key Escape
key Escape
expect_exit 0
echo "sound e2e: passed"
