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
eol='\r\n' # a Windows console program's text-mode output
patience=30

# Desktops have a window manager; without one, Wine waits 2 s for each closed window to be
# withdrawn, and the closing stand-in falls behind the polls.
start_desktop() {
    start_x
    start_window_manager
}

# Every case ends its Wine processes, so that the next one starts on its own display.
trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT

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
    clicks_into_open_dialog
    ;;
numbers_that_are_not_rolls)
    start_desktop
    start_standin stay 'pointer'
    lines_for '31,7 123\n64' '255 40\n480 175' 'Rolled: 31 ' 'Not a roll: 7' 'Not a roll: 123' \
        'Rolled: 64 '
    ;;
file_without_numbers)
    start_desktop
    start_standin stay 'pointer'
    lines_for 'none\n' '' 'No rolls in dice file' 'No rolls in dice file'
    ;;
hidden_dialog | minimised_dialog)
    start_desktop
    if [ "$case_name" = hidden_dialog ]; then
        start_standin hidden hidden
    else
        start_standin minimised mapped
    fi
    nothing_entered 4
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
