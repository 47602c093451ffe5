#!/usr/bin/env bash
# A demo for anyone without GNU Backgammon at hand: on a virtual display, a stand-in dice
# dialog drawn as the real one looks; dicefeeder runs against docs/dicefile.txt for about ten
# seconds while the stand-in marks each cell it clicks. Prints the console lines and saves a
# screenshot.
#   bash tools/demo.sh [PNG]        (default: demo.png in the current directory)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
png=$(realpath -m "${1:-demo.png}")
source "$here/tools/packages.sh"
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev xvfb imagemagick
cmake -S "$here" -B "$here/build" -DBUILD_TESTING=ON >/dev/null
cmake --build "$here/build" -j"$(nproc)" --target dicefeeder standin_dialog >/dev/null

case_name=demo
feeder=$here/build/dicefeeder
standin=$here/build/tests/e2e/standin_dialog
source "$here/tests/e2e/lib.sh"

SCREEN=640x360x24 start_x
"$standin" demo 20 20 "$work/clicks" 2>/dev/null &
pids+=($!)
wait_for "$work/clicks" '^mapped' 1 10
cp "$here/docs/dicefile.txt" "$work/run/dicefile.txt"
(cd "$work/run" && exec "$feeder" >"$work/out") &
feeder_pid=$!
pids+=("$feeder_pid")
wait_for "$work/clicks" '^release' 10 20
sleep 0.3 # the last mark drawn
import -window root "$png"
stop_feeder
cat "$work/out"
echo "screenshot: $png" >&2
