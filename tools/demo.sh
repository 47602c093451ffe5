#!/usr/bin/env bash
# A demo for anyone without GNU Backgammon at hand: on a virtual display, a stand-in dice
# dialog drawn as the real one looks; dicefeeder runs against docs/dicefile.txt for about ten
# seconds while the stand-in marks each cell it clicks. Prints the console lines and saves a
# screenshot.
#   bash tools/demo.sh [PNG]        (default: demo.png in the current directory)
set -euo pipefail
png=$(realpath -m "${1:-demo.png}")
source "$(dirname "$0")/standin_run.sh" demo imagemagick

SCREEN=640x360x24 start_x
"$standin" demo 20 20 "$work/clicks" 2>/dev/null &
pids+=($!)
wait_for "$work/clicks" '^mapped' 1 10
start_feeder "$(cat "$here/docs/dicefile.txt")"
wait_for "$work/clicks" '^release' 10 20
sleep 0.3 # the last mark drawn
import -window root "$png"
stop_feeder
cat "$work/out"
echo "screenshot: $png" >&2
