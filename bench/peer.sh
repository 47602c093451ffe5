#!/usr/bin/env bash
# The peer: what a Linux user would otherwise write with xdotool. Once a second it looks for
# the dice dialog by its exact name; when it is there, it takes the next number of
# dicefile.txt, reads the pointer, clicks the roll's point in the dialog and moves the pointer
# back.
rolls=($(tr -c '0-9' ' ' <dicefile.txt))
next=0
while true; do
    id=$(xdotool search --onlyvisible --name '^GNU Backgammon - Dice$' | head -n 1)
    if [ -n "$id" ]; then
        roll=${rolls[next]}
        next=$(((next + 1) % ${#rolls[@]}))
        a=$((roll / 10)) b=$((roll % 10))
        [ "$a" -lt "$b" ] && { t=$a; a=$b; b=$t; }
        echo "Rolled: $a$b "
        eval "$(xdotool getmouselocation --shell)"
        xdotool mousemove --window "$id" $((75 * a + 30)) $((45 * b - 5)) click 1
        xdotool mousemove "$X" "$Y"
    fi
    sleep 1
done
