#!/usr/bin/env bash
# window_e2e.sh -- the window is titled "Zedoria" with an 800 x 608 client area; Escape and the
# close box both end the program with status 0.
source "$(dirname "$0")/common.sh"

start_game
geometry=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "800x608" ] || { echo "client area $geometry, expected 800x608"; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || true
key Escape
expect_exit 0

start_game
# The close box: the window manager's delete request.
"$close_window" "$window"
expect_exit 0
echo "window e2e: passed"
