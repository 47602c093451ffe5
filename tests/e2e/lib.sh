# Shared by the end-to-end case scripts: a work directory, a throwaway X server, and checks.
# The sourcing script sets case_name first.

work=$(mktemp -d)
mkdir "$work/run"
pids=()
# Only a process whose parent is still this shell is ours: the number of one that has ended may
# already belong to another test's process.
cleanup() {
    local pid parent
    for pid in "${pids[@]}"; do
        parent=$(awk '{ print $4 }' "/proc/$pid/stat" 2>/dev/null) || continue
        [ "$parent" = $$ ] && kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL ($case_name): $* (DISPLAY=${DISPLAY:-})" >&2
    for f in "$work"/out "$work"/clicks "$work"/openbox.log "$work"/xvfb.log; do
        [ -f "$f" ] && { echo "--- $(basename "$f"):" >&2; cat -A "$f" >&2; }
    done
    exit 1
}

# Xvfb picks a free display number itself and writes it to fd 3 once it accepts clients.
# SCREEN sets its size and depth. -noreset: the server keeps its state (the pointer among it)
# while no client is connected.
start_x() {
    Xvfb -displayfd 3 -screen 0 "${SCREEN:-1280x1024x24}" -nolisten tcp -noreset "$@" \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    pids+=("$xvfb_pid")
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n1 "$work/display")"
}

# openbox, a reparenting window manager, on the display. It announces itself early in its
# start-up, and a window mapped before the start-up is over may never be managed; the work area
# is among the last things it sets.
start_window_manager() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_WORKAREA 2>/dev/null | grep -q '=' && return
        sleep 0.1
    done
    fail "openbox did not start: $(cat "$work/openbox.log")"
}

# wait_for FILE PATTERN COUNT SECONDS: until FILE has COUNT lines matching PATTERN.
wait_for() {
    local deadline=$((SECONDS + $4)) count
    while count=$(grep -c -- "$2" "$1" 2>/dev/null || true); [ "${count:-0}" -lt "$3" ]; do
        [ $SECONDS -lt $deadline ] || fail "waited $4 s for $3 lines '$2' in $(basename "$1")"
        sleep 0.05
    done
}

# The sourcing script sets standin and feeder; launcher runs them (empty, or wine).
launcher=()

# start_standin MODE FIRST_LINE: the stand-in dialog at (200, 150), once it has logged FIRST_LINE.
start_standin() {
    "${launcher[@]}" "$standin" "$1" 200 150 "$work/clicks" &
    pids+=($!)
    wait_for "$work/clicks" "^$2" 1 10
}

start_feeder() {
    printf '%b' "$1" >"$work/run/dicefile.txt"
    (cd "$work/run" && exec "${launcher[@]}" "$feeder" >"$work/out") &
    feeder_pid=$!
    pids+=("$feeder_pid")
}

stop_feeder() {
    kill "$feeder_pid" 2>/dev/null || fail "dicefeeder had ended by itself"
    wait "$feeder_pid" 2>/dev/null || true
}

expect_output() {
    [ "$(cat -A "$work/out")" = "$(printf '%b' "$1" | cat -A)" ] || fail "console lines differ"
}

# How the platform's console ends a line (as printf '%b' reads it), and how many seconds a case
# waits for the feeder at the most; the sourcing script changes them where they differ.
eol='\n'
patience=15

# expect_lines LINE...: the console lines, each ended as the platform ends them.
expect_lines() {
    local line expected=''
    for line in "$@"; do
        expected+="$line$eol"
    done
    expect_output "$expected"
}

# The presses in the dialog, as "X Y" lines.
expect_presses() {
    [ "$(awk '$1 == "press" { print $2, $3 }' "$work/clicks")" = "$(printf '%b' "$1")" ] ||
        fail "presses differ from: $1"
}

# The cases that read the same on every platform, against a stand-in already started.

# Rolls 53 31 66 and, after a line end, 53 again: clicked where the dice grid has them, in file
# order, every press released, the pointer back at one place after every click.
click_cycle() {
    local before
    before=$(grep -c '^pointer' "$work/clicks" || true)
    start_feeder '35\n13\n66\n'
    wait_for "$work/clicks" '^pointer' $((before + 4)) "$patience"
    stop_feeder
    expect_lines 'Rolled: 53 ' 'Rolled: 31 ' 'Rolled: 66 ' 'Rolled: 53 '
    expect_presses '405 130\n255 40\n480 265\n405 130'
    [ "$(grep -c '^release' "$work/clicks")" = 4 ] || fail "not every press was released"
    [ "$(grep '^pointer' "$work/clicks" | sort -u | wc -l)" = 1 ] ||
        fail "the pointer was not put back"
}

# Rolls 21 64 and 21 again, into a dialog that stays open.
clicks_into_open_dialog() {
    start_feeder '21 64'
    wait_for "$work/clicks" '^release' 3 "$patience"
    stop_feeder
    expect_lines 'Rolled: 21 ' 'Rolled: 64 ' 'Rolled: 21 '
    expect_presses '180 40\n480 175\n180 40'
}

# lines_for FILE PRESSES LINE...: for a dice file holding FILE, the feeder prints the LINEs and
# the dialog receives PRESSES.
lines_for() {
    local file=$1 presses=$2
    shift 2
    start_feeder "$file"
    wait_for "$work/out" '' $# "$patience"
    stop_feeder
    expect_lines "$@"
    expect_presses "$presses"
}

# nothing_entered SECONDS: with a roll in the file, in SECONDS the feeder prints and clicks
# nothing (the stand-in is not a dialog to click).
nothing_entered() {
    start_feeder '35'
    sleep "$1"
    stop_feeder
    expect_lines
    expect_presses ''
}
