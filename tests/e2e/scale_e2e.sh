#!/usr/bin/env bash
# scale_e2e.sh -- on a 2560 x 1600 screen the window opens at twice the picture, 1600 x 1216, and
# the real mouse's clicks land on the game's buttons at twice their positions; F11 switches to
# full screen and back at once, saving the flag on the settings file's second line each time.
screen_size=2560x1600
source "$(dirname "$0")/common.sh"
settings="$work/data/optionen.txt"

start_game
geometry=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "1600x1216" ] || { echo "client area $geometry, expected 1600x1216"; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || true
# "Optionen" and "Übernehmen" share menu row 7 (y = 224 to 256; 448 to 512 in the window): the
# clicks at window y = 480 save the settings only where they count at game y = 240.
click_until_saved "$settings" 800 480
cmp "$settings" <(printf '0.800000012\r\n0\r\n') || { echo "settings not saved"; exit 1; }

# F11 opens the display anew and then saves; the full-screen display first measures its refresh
# for up to a second, so the test waits for each step rather than for a fixed time.
settings_hold() { # settings_hold FLAG: the file holds the start volume and FLAG, within 10 s
  for _ in $(seq 100); do
    cmp -s "$settings" <(printf '0.800000012\r\n%s\r\n' "$1") && return 0
    sleep 0.1
  done
  return 1
}
new_window() { # the newest game window once it differs from $1, within 10 s
  local found=""
  for _ in $(seq 100); do
    found=$(xdotool search --name '^Zedoria$' 2>/dev/null | tail -n 1 || true)
    [ -n "$found" ] && [ "$found" != "$1" ] && break
    sleep 0.1
  done
  echo "$found"
}
first_window=$window
key F11
window=$(new_window "$first_window")
[ -n "$window" ] && [ "$window" != "$first_window" ] || { echo "F11 did not open the display anew"; exit 1; }
settings_hold 1 || { echo "F11 did not save full screen"; od -c "$settings"; exit 1; }
full_screen_window=$window
key F11
window=$(new_window "$full_screen_window")
settings_hold 0 || { echo "F11 did not save the window"; od -c "$settings"; exit 1; }
geometry=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "1600x1216" ] || { echo "back in a window of $geometry"; exit 1; }
key Escape
expect_exit 0
echo "scale e2e: passed"
