#!/usr/bin/env bash
# One end-to-end case: the real dicefeeder on a throwaway Xvfb display, against the stand-in
# dialog, in a working directory of its own.
#   x11_case.sh CASE DICEFEEDER STANDIN_DIALOG POINTER
set -euo pipefail

case_name=$1
feeder=$2
standin=$3
pointer=$4

source "$(dirname "$0")/lib.sh"

# click_cycle, from a pointer at (7, 9), which is where it ends too.
click_cycle_from_7_9() {
    "$pointer" 7 9
    click_cycle
    [ "$(grep '^pointer' "$work/clicks" | sort -u)" = "pointer 7 9" ] ||
        fail "the pointer was not put back"
    [ "$("$pointer")" = "7 9" ] || fail "the pointer did not end where it began"
}

case "$case_name" in
closing_dialog)
    start_x
    start_standin close mapped
    click_cycle_from_7_9
    ;;
closing_dialog_under_window_manager)
    start_x
    start_window_manager
    start_standin close reparented
    click_cycle_from_7_9
    ;;
dialog_that_stays_open)
    start_x
    start_standin stay mapped
    clicks_into_open_dialog
    # One poll a second: presses about 1000 ms apart, by the server's clock.
    awk '$1 == "press" { if (last && ($4 - last < 900 || $4 - last > 1200)) bad = 1; last = $4 }
         END { exit bad }' "$work/clicks" || fail "presses not one second apart"
    ;;
numbers_that_are_not_rolls)
    start_x
    start_standin stay mapped
    lines_for '31,7 70\n123 99999999999 64' '255 40\n480 175' 'Rolled: 31 ' 'Not a roll: 7' \
        'Not a roll: 70' 'Not a roll: 123' 'Not a roll: 2147483647' 'Rolled: 64 '
    ;;
file_without_numbers)
    start_x
    start_standin stay mapped
    lines_for 'no numbers here\n' '' 'No rolls in dice file' 'No rolls in dice file'
    ;;
hidden_dialog)
    start_x
    start_standin unmapped unmapped
    nothing_entered 2.5
    ;;
iconified_dialog)
    start_x
    start_window_manager
    start_standin iconified iconified
    nothing_entered 2.5
    ;;
flapping_dialog)
    # A dialog that comes and goes at random moments, now and then between the lookup and the
    # click: the feeder stays up, its lines follow the file exactly, and every press the
    # dialog receives is the point of a roll just printed.
    start_x
    "$standin" flap 200 150 "$work/clicks" "${FLAP_APPEARANCES:-300}" &
    pids+=($!)
    start_feeder '11 21 22 31 32 33 41 42 43 44 51 52 53 54 55 61 62 63 64 65 66\n'
    wait_for "$work/clicks" '^done' 1 $((${FLAP_APPEARANCES:-300} * 2 + 60))
    stop_feeder
    awk -v rolls='11 21 22 31 32 33 41 42 43 44 51 52 53 54 55 61 62 63 64 65 66' '
        BEGIN { n = split(rolls, roll, " ") }
        FILENAME == ARGV[1] {
            if ($0 != "Rolled: " roll[FNR % n ? FNR % n : n] " ") { print "line " FNR ": " $0; bad = 1 }
            points[FNR] = (75 * substr($2, 1, 1) + 30) " " (45 * substr($2, 2, 1) - 5)
            lines = FNR
            next
        }
        $1 == "press" {
            presses++
            while (next_line < lines && points[++next_line] != $2 " " $3) {}
            if (points[next_line] != $2 " " $3) { print "press off the rolls: " $0; bad = 1 }
        }
        $1 == "mapped" { appearances++ }
        END {
            printf "appearances %d, rolls %d, presses %d\n", appearances, lines, presses
            exit bad
        }' "$work/out" "$work/clicks" || fail "lines or presses out of order"
    ;;
missing_dice_file)
    # No terminal to wait on (setsid), no display: it must neither need nor open one.
    status=0
    (cd "$work/run" && unset DISPLAY && exec timeout 5 setsid -w "$feeder" >"$work/out" \
        </dev/null) || status=$?
    [ "$status" = 0 ] || fail "exit status $status, not 0"
    expect_output "Can't open dice file\n"
    ;;
no_usable_display)
    printf '35' >"$work/run/dicefile.txt"
    status=0
    (cd "$work/run" && unset DISPLAY && exec timeout 5 "$feeder" >"$work/out") || status=$?
    [ "$status" = 1 ] || fail "without a display: exit status $status, not 1"
    expect_output "Can't open display\n"
    start_x -extension XTEST
    status=0
    (cd "$work/run" && exec timeout 5 "$feeder" >"$work/out") || status=$?
    [ "$status" = 1 ] || fail "without XTEST: exit status $status, not 1"
    expect_output "X server has no XTEST extension\n"
    ;;
server_that_dies)
    start_x
    start_feeder '35'
    sleep 1.5
    kill -KILL "$xvfb_pid"
    killed_at=$SECONDS
    status=0
    wait "$feeder_pid" || status=$?
    [ $((SECONDS - killed_at)) -le 2 ] || fail "took $((SECONDS - killed_at)) s to end"
    [ "$status" = 1 ] || fail "exit status $status, not 1"
    expect_output "Lost the connection to the X server\n"
    ;;
*)
    fail "no such case"
    ;;
esac
echo "ok ($case_name)"
