#!/usr/bin/env bash
# highscore_e2e.sh -- an evening nobody serves, with a short highscore table: over the closing
# picture the name typed on the keyboard goes into the table file (heading kept, CR LF, Latin-1),
# and "Neuer Abend" in the title menu starts play again with the guests' contentment at 60.
source "$(dirname "$0")/common.sh"

table="$work/data/highscore.dat"
printf 'Kopf\r\nAnna,5\r\n' >"$table"
# A key for "ä" in the keyboard map before the game starts (xdotool's own remapping of a spare
# key while typing races with the program's reading of the map).
xmodmap -e 'keycode 94 = adiaeresis Adiaeresis'

start_game
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 1
table_tile=$(pixel 200 111) # a table tile of the "Spielen" bar; the name bar is made of them too
click_at 400 112            # "Spielen"
# Nobody serves: after about three minutes the host has walked up to the head of the table and
# the name bar is shown below the long table of the closing picture.
for _ in $(seq 480); do
  [ "$(pixel 200 495)" = "$table_tile" ] && break
  sleep 0.5
done
[ "$(pixel 200 495)" = "$table_tile" ] || { echo "no name bar over the closing picture"; exit 1; }

xdotool type --delay 80 'K'
xdotool key adiaeresis
xdotool type --delay 80 'the,' # the comma cannot stand in a name
key BackSpace                  # the name is "Käth"
key Return
sleep 1
points=$(sed -n 2p "$table" | tr -d '\r' | cut -d, -f2)
[ -n "$points" ] && [ "$points" -gt 60 ] || { echo "no entry saved:"; od -c "$table"; exit 1; }
printf 'Kopf\r\nK\344th,%s\r\nAnna,5\r\n' "$points" >"$work/expected_table"
cmp "$table" "$work/expected_table" || { echo "table differs:"; od -c "$table"; exit 1; }

key Escape
click_at 400 368 # "Neuer Abend": straight into a fresh evening
sleep 1
gauge=$(pixel 700 10) # the contentment bar reaches x = 710 at 60, in its colour (204, 255, 0)
[ "$gauge" = "ccff00" ] || { echo "contentment gauge shows $gauge, expected ccff00 at 60"; exit 1; }
key Escape
key Escape
expect_exit 0
echo "highscore e2e: passed"
