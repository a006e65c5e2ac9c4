#!/usr/bin/env bash
# menu_e2e.sh -- the title menu with the real mouse: "Optionen" then "Übernehmen" saves the start
# values as their exact 16 bytes; "Highscore" opens a view without those buttons and "Zurück"
# leaves it; a saved "Vollbildmodus:" re-opens the display at once and is read at the next start;
# Escape in the menu ends the program with status 0.
source "$(dirname "$0")/common.sh"

settings="$work/data/optionen.txt"
expected="$work/expected_settings"
printf '0.800000012\r\n0\r\n' >"$expected"

start_game
xdotool windowfocus --sync "$window" 2>/dev/null || true
click_until_saved "$settings" 400 240
cmp "$settings" "$expected" || { echo "settings file differs:"; od -c "$settings" || true; exit 1; }
rm "$settings"

click_at 400 176 # "Highscore"
click_at 400 240 # the highscore view has no button on this row: nothing happens
click_at 400 240
[ ! -e "$settings" ] || { echo "the highscore view did not open"; exit 1; }
click_at 400 464 # "Zurück"
click_at 400 240 # "Optionen" and "Übernehmen" again: the main view is back
click_at 400 240
cmp "$settings" "$expected" || { echo "\"Zurück\" did not return to the main view"; exit 1; }
[ "$(xdotool search --name '^Zedoria$' | head -n 1)" = "$window" ] || { echo "window re-opened"; exit 1; }

# "Vollbildmodus:" and "Übernehmen": saved, and the display is opened again at once as the
# full-screen one (a new window; without a window manager Xvfb leaves its size as it was).
first_window=$window
click_at 400 240 # "Optionen"
click_at 400 176 # "Vollbildmodus:"
click_at 400 240 # "Übernehmen"
printf '0.800000012\r\n1\r\n' >"$expected"
cmp "$settings" "$expected" || { echo "full-screen flag not saved:"; od -c "$settings"; exit 1; }
sleep 1
window=$(xdotool search --name '^Zedoria$' 2>/dev/null | head -n 1 || true)
[ -n "$window" ] && [ "$window" != "$first_window" ] || { echo "the display was not opened again"; exit 1; }
key Escape
expect_exit 0

# The saved choice is read at the next start, before the display opens.
start_game
key Escape
expect_exit 0
echo "menu e2e: passed"
