#!/usr/bin/env bash
# One end-to-end case: the real dicefeeder.exe under Wine on a throwaway Xvfb display, against
# the Win32 stand-in dialog, in a working directory of its own.
#   wine_case.sh CASE DICEFEEDER_EXE STANDIN_EXE WINEPREFIX
# (for the case unit_tests, the unit test program in place of DICEFEEDER_EXE; for zip_package,
# the build folder)
# A throwaway prefix is made once per run (make_prefix), shared by the cases, which run one
# at a time, and removed at the end (remove_prefix).
set -euo pipefail

case_name=$1
feeder=$2
standin=$3
export WINEPREFIX=$4
export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all

source "$(dirname "$0")/../e2e/lib.sh"
launcher=(wine)

# Desktops have a window manager; without one, Wine waits 2 s for each closed window to be
# withdrawn, and the closing stand-in falls behind the polls.
start_desktop() {
    start_x
    start_window_manager
}

# Every case ends its Wine processes, so that the next one starts on its own display.
trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT

# Rolls 53 31 66 and, after a line end, 53 again, at the dice grid's client points, in order;
# the pointer back at its place after every click; lines ended as a Windows console program's.
click_cycle() {
    start_feeder '35\n13\n66\n'
    wait_for "$work/clicks" '^pointer' 5 30
    stop_feeder
    expect_output 'Rolled: 53 \r\nRolled: 31 \r\nRolled: 66 \r\nRolled: 53 \r\n'
    expect_presses '405 130\n255 40\n480 265\n405 130'
    [ "$(grep -c '^release' "$work/clicks")" = 4 ] || fail "not every press was released"
    [ "$(grep '^pointer' "$work/clicks" | sort -u | wc -l)" = 1 ] ||
        fail "the pointer was not put back"
}

case "$case_name" in
make_prefix)
    rm -rf "$WINEPREFIX"
    env -u DISPLAY wineboot -i >/dev/null 2>&1
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot made no prefix in $WINEPREFIX"
    ;;
remove_prefix)
    rm -rf "$WINEPREFIX"
    ;;
unit_tests)
    # Here the second argument is the unit test program, which needs no display.
    env -u DISPLAY wine "$feeder" || fail "unit tests failed under Wine"
    ;;
zip_package)
    # Here the second argument is the build folder: the .zip that cpack makes from it holds
    # the program, the README as text and an example dice file, and the program starts.
    cpack --config "$feeder/CPackConfig.cmake" -G ZIP -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
        fail "cpack failed: $(cat "$work/cpack.log")"
    zip=$(ls "$work"/pkg/dicefeeder-*-windows-x86_64.zip)
    mkdir "$work/unzipped"
    (cd "$work/unzipped" && cmake -E tar xf "$zip")
    folder=$(dirname "$(find "$work/unzipped" -name dicefeeder.exe)")
    for file in dicefeeder.exe README.txt dicefile.txt; do
        [ -f "$folder/$file" ] || fail "the zip lacks $file"
    done
    x86_64-w64-mingw32-objdump -p "$folder/dicefeeder.exe" | grep 'DLL Name' |
        grep -viE 'KERNEL32|USER32|msvcrt' && fail "dicefeeder.exe needs a DLL beside Windows' own"
    # With the example dice file beside it and no dialog, it polls quietly until stopped.
    start_desktop
    status=0
    (cd "$folder" && exec timeout 8 wine ./dicefeeder.exe >"$work/out" </dev/null) || status=$?
    [ "$status" = 124 ] || fail "dicefeeder.exe ended by itself, status $status"
    expect_output ''
    ;;
closing_dialog)
    start_desktop
    start_standin close 'pointer'
    # The caption and the border put the client origin below and right of the window's.
    read -r _ cx cy wx wy < <(grep '^mapped' "$work/clicks")
    [ "$cx" -gt "$wx" ] && [ "$cy" -gt "$wy" ] || fail "client origin equals the window origin"
    click_cycle
    ;;
dialog_that_stays_open)
    start_desktop
    start_standin stay 'pointer'
    start_feeder '21 64'
    wait_for "$work/clicks" '^release' 3 30
    stop_feeder
    expect_output 'Rolled: 21 \r\nRolled: 64 \r\nRolled: 21 \r\n'
    expect_presses '180 40\n480 175\n180 40'
    ;;
numbers_that_are_not_rolls)
    start_desktop
    start_standin stay 'pointer'
    start_feeder '31,7 123\n64'
    wait_for "$work/out" '' 4 30
    stop_feeder
    expect_output 'Rolled: 31 \r\nNot a roll: 7\r\nNot a roll: 123\r\nRolled: 64 \r\n'
    expect_presses '255 40\n480 175'
    ;;
file_without_numbers)
    start_desktop
    start_standin stay 'pointer'
    start_feeder 'none\n'
    wait_for "$work/out" '' 2 30
    stop_feeder
    expect_output 'No rolls in dice file\r\nNo rolls in dice file\r\n'
    expect_presses ''
    ;;
hidden_dialog | minimised_dialog)
    start_desktop
    if [ "$case_name" = hidden_dialog ]; then
        start_standin hidden hidden
    else
        start_standin minimised mapped
    fi
    start_feeder '35'
    sleep 4
    stop_feeder
    expect_output ''
    expect_presses ''
    ;;
missing_dice_file)
    # No console attached: the key wait ends at once.
    start_desktop
    status=0
    started=$SECONDS
    (cd "$work/run" && exec timeout 20 wine "$feeder" >"$work/out" </dev/null) || status=$?
    [ "$status" = 0 ] || fail "exit status $status, not 0"
    [ $((SECONDS - started)) -le 10 ] || fail "took $((SECONDS - started)) s to end"
    expect_output "Can't open dice file\r\n"
    ;;
*)
    fail "no such case"
    ;;
esac
echo "ok ($case_name)"
