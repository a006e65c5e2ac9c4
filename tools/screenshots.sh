#!/usr/bin/env bash
# screenshots.sh -- runs the real game under Xvfb and saves the README's screenshots into docs/:
# the title menu, the room early in the evening, and the closing picture at the end of an evening
# nobody serves (about four minutes of real play). Usage: tools/screenshots.sh [BUILD_FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-tests}
grab=$build/tests/grab_window
[ -x "$grab" ] || { echo "build the tests first (grab_window is missing in $build/tests)"; exit 1; }
source "$root/tests/e2e/common.sh" "$build/zedoria" "$build/tests/close_window"

start_game
"$grab" "$window" "$root/docs/menu.png"
click_at 400 110 # "Spielen"
sleep 45         # the first two guests have come in and taken their seats
"$grab" "$window" "$root/docs/room.png"
for _ in $(seq 240); do sleep 1; done # nobody serves: the evening ends, the host walks up
"$grab" "$window" "$root/docs/ending.png"
key Escape
key Escape
expect_exit 0
echo "screenshots written to $root/docs"
