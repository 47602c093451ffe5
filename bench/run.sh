#!/usr/bin/env bash
# Measures the X11 build on throwaway Xvfb displays, side by side with the xdotool peer
# (peer.sh), and prints the results as Markdown:
#   bash bench/run.sh > bench/results.md
# IDLE_SECONDS (default 600) sets how long the idle cost is measured. Takes about that long.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
idle_seconds=${IDLE_SECONDS:-600}
source "$here/tools/packages.sh"
need_packages "${BUILD_PACKAGES[@]}" libgtest-dev xvfb openbox x11-utils xdotool >&2
build=$here/build-bench
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target dicefeeder standin_dialog pointer poll_cost \
    read_cost >/dev/null

case_name=bench
feeder=$build/dicefeeder
standin=$build/tests/e2e/standin_dialog
pointer=$build/tests/e2e/pointer
source "$here/tests/e2e/lib.sh"

cpu_ns() { awk '{ print $1 }' "/proc/$1/schedstat"; }
switches() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$1/status"; }
peak_kib() { awk '/^VmHWM/ { print $2 }' "/proc/$1/status"; }

# Idle: both pollers on a display of their own with no dialog, for idle_seconds.
idle_start=$SECONDS
start_x
mkdir -p "$work/idle_ours" "$work/idle_peer"
printf '35 13 66\n' | tee "$work/idle_ours/dicefile.txt" >"$work/idle_peer/dicefile.txt"
(cd "$work/idle_ours" && exec "$feeder" >/dev/null) &
idle_pid=$!
pids+=("$idle_pid")
(cd "$work/idle_peer" && { timeout "$idle_seconds" bash "$here/bench/peer.sh" >/dev/null || true
    times >"$work/peer_times"; }) &
idle_peer_job=$!
pids+=("$idle_peer_job")
idle_cpu0=$(cpu_ns "$idle_pid")
idle_sw0=$(switches "$idle_pid")

# Everything else on a second display.
start_x
echo "## Cost of one poll (no dialog on the screen)" >"$work/report"
{
    echo
    echo "Microseconds per window lookup: wall time, and CPU time of the looking process."
    echo "Besides the decoys (mapped, other titles), three unmapped windows carry the dialog's"
    echo "title. The peer is \`xdotool search --onlyvisible --name '^GNU Backgammon - Dice\$'\`,"
    echo "one process per lookup as its loop runs it."
    echo
    echo "| desktop | decoys | ours wall | ours CPU | peer wall | peer CPU | peer / ours (CPU) |"
    echo "|---|---:|---:|---:|---:|---:|---:|"
} >>"$work/report"
poll_rows() {
    for decoys in 0 10 100 1000; do
        "$build/bench/poll_cost" "$decoys" 200 | awk -v desk="$1" \
            '{ printf "| %s | %d | %.0f | %.0f | %.0f | %.0f | %.0fx |\n", desk, $1, $2, $3, $4, $5, $5 / $3 }'
    done
}
poll_rows "no window manager" >>"$work/report"
start_window_manager
poll_rows "openbox" >>"$work/report"

# Latency and pointer excursion, on a fresh display without a window manager (openbox's
# click-to-focus grab holds pointer events back until it lets them through, which would blur
# the timestamps).
start_x
printf '35 13 66 21 54\n' >"$work/run/dicefile.txt"

# clicks_of TAG MODE CLICKS POLLER...: runs the poller against a stand-in in MODE until it has
# clicked CLICKS times; the stand-in's log is left in $work/clicks_TAG.
clicks_of() {
    local tag=$1 mode=$2 clicks=$3 standin_pid poller_pid
    shift 3
    "$standin" "$mode" 200 150 "$work/clicks_$tag" 2>/dev/null &
    standin_pid=$!
    pids+=("$standin_pid")
    wait_for "$work/clicks_$tag" '^mapped' 1 10
    "$pointer" 7 9 # outside the dialog
    (cd "$work/run" && exec "$@" >/dev/null) &
    poller_pid=$!
    pids+=("$poller_pid")
    wait_for "$work/clicks_$tag" '^release' "$clicks" $((clicks * 3 + 30))
    kill "$poller_pid" "$standin_pid"
    wait "$poller_pid" "$standin_pid" 2>/dev/null || true
}
# A dialog that reopens 0 to 1 s after each click appears at random moments of the poll.
clicks_of ours_random random 40 "$feeder"
clicks_of peer_random random 40 bash "$here/bench/peer.sh"
# A dialog that stays open: the pointer comes in, clicks and goes back out.
clicks_of ours_stay stay 20 "$feeder"
clicks_of peer_stay stay 20 bash "$here/bench/peer.sh"

latency() {
    awk '$1 == "mapped" { shown = $2 }
         $1 == "press" && shown { print $5 - shown; shown = 0 }' "$1" | sort -n |
        awk '{ v[NR] = $1 } END { printf "%d | %d | %d | %d", NR, v[1], v[int((NR + 1) / 2)], v[NR] }'
}
# The pointer's trip into the dialog and back, by the server's clock: from its arrival to the
# press, and from the press to its leaving on the way back.
excursion() {
    awk '$1 == "enter" { entered = $2 }
         $1 == "press" && entered { pressed = $4 }
         $1 == "leave" && pressed { print pressed - entered, $2 - pressed, $2 - entered; entered = pressed = 0 }' \
        "$1" | sort -n -k3 |
        awk '{ a[NR] = $1; b[NR] = $2; c[NR] = $3 }
             END { m = int((NR + 1) / 2); printf "%d | %d | %d | %d | %d", NR, a[m], b[m], c[m], c[NR] }'
}
ours_latency=$(latency "$work/clicks_ours_random")
peer_latency=$(latency "$work/clicks_peer_random")
ours_excursion=$(excursion "$work/clicks_ours_stay")
peer_excursion=$(excursion "$work/clicks_peer_stay")
{
    echo
    echo "## From the dialog's appearance to the click"
    echo
    echo "The stand-in dialog closes after each click and reopens 0 to 1 s later, at a random"
    echo "moment of the poll; milliseconds from its MapNotify to the ButtonPress it receives."
    echo
    echo "| poller | appearances | min | median | max |"
    echo "|---|---:|---:|---:|---:|"
    echo "| ours | $ours_latency |"
    echo "| peer | $peer_latency |"
    echo
    echo "## Pointer away from the user"
    echo
    echo "Milliseconds the pointer spends in a dialog that stays open for one click, by the X"
    echo "server's event timestamps (1 ms resolution): from its arrival (EnterNotify) to the"
    echo "press, from the press to its leaving on the way back (LeaveNotify), and the whole stay."
    echo
    echo "| poller | clicks | arrival to press, median | press to back, median | whole stay, median | whole stay, max |"
    echo "|---|---:|---:|---:|---:|---:|"
    echo "| ours | $ours_excursion |"
    echo "| peer | $peer_excursion |"
} >>"$work/report"

# Memory: peak resident set with a 3-number file and a 10,000,000-number file, each read for
# a few seconds with a dialog that stays open.
mkdir -p "$work/small" "$work/large"
printf '35 13 66\n' >"$work/small/dicefile.txt"
awk 'BEGIN { srand(1); for (i = 0; i < 10000000; i++) print 1 + int(rand() * 6) "" 1 + int(rand() * 6) }' \
    >"$work/large/dicefile.txt"
start_standin stay mapped
peak() {
    (cd "$1" && exec "$feeder" >/dev/null) &
    local pid=$!
    sleep 4
    peak_kib "$pid"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
small_peak=$(peak "$work/small")
large_peak=$(peak "$work/large")
cd "$work/large"
large_ns=$("$build/bench/read_cost" 11000000)
cd "$work/small"
small_ns=$("$build/bench/read_cost" 1000000)
{
    echo
    echo "## Memory"
    echo
    echo "| dice file | peak RSS (KiB) |"
    echo "|---|---:|"
    echo "| 3 numbers | $small_peak |"
    echo "| 10,000,000 numbers ($(du -m "$work/large/dicefile.txt" | cut -f1) MB) | $large_peak |"
    echo
    echo "## Cost per number read"
    echo
    echo "| dice file | requests | ns per number |"
    echo "|---|---:|---:|"
    echo "| 10,000,000 numbers (one rewind) | 11,000,000 | $large_ns |"
    echo "| 3 numbers (a rewind every third) | 1,000,000 | $small_ns |"
} >>"$work/report"

# The idle pollers, once their time is up.
remaining=$((idle_start + idle_seconds - SECONDS))
[ "$remaining" -gt 0 ] && sleep "$remaining"
idle_cpu=$(( $(cpu_ns "$idle_pid") - idle_cpu0 ))
idle_sw=$(( $(switches "$idle_pid") - idle_sw0 ))
idle_elapsed=$((SECONDS - idle_start))
kill "$idle_pid"
wait "$idle_peer_job" || true
peer_cpu=$(awk 'NR == 2 { split($1, u, "m"); split($2, s, "m"); print 60 * u[1] + u[2] + 60 * s[1] + s[2] }' \
    "$work/peer_times" | tr -d 's')
{
    echo
    echo "## Idle cost"
    echo
    echo "Polling with no dialog, on a display of their own: ours for $idle_elapsed s, the peer for"
    echo "$idle_seconds s. Each of our polls wakes once from its sleep and waits briefly for two or"
    echo "three X replies; each wait counts as a voluntary context switch."
    echo
    echo "| poller | CPU seconds | voluntary context switches per second |"
    echo "|---|---:|---:|"
    awk -v c="$idle_cpu" -v s="$idle_sw" -v t="$idle_elapsed" -v p="$idle_seconds" \
        'BEGIN { printf "| ours | %.3f (%.3f per %d s) | %.1f |\n", c / 1e9, c / 1e9 * p / t, p, s / t }'
    echo "| peer | $peer_cpu | (a new process tree every second) |"
} >>"$work/report"

echo "# Benchmark results"
echo
echo "$(date -u +%Y-%m-%d), $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo),"
echo "$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), $(. /etc/os-release; echo "$PRETTY_NAME"),"
echo "Xvfb $(dpkg-query -W -f='${Version}' xvfb), xdotool $(dpkg-query -W -f='${Version}' xdotool)."
echo "Made by \`bash bench/run.sh\`."
echo
cat "$work/report"
