#!/bin/sh
# board-picture.sh PROGRAM GRAB_WINDOW FILE.png: the board as the game draws it, for the README.
# The real program on a private display (run it under tests/x11/with-openbox.sh): "Comincia",
# three rows played with the mouse as a player would, then the board's client area saved.
set -eu
program=$1
grab=$2
out=$3

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
"$program" &
game=$!
trap 'kill "$game" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
start=$(timeout 20 xdotool search --sync --onlyvisible --name '^Cifrotto$' | head -n 1)
xdotool windowactivate --sync "$start" key alt+c
board=
for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --name '^Cifrotto$'); do
        [ "$id" != "$start" ] && board=$id
    done
    [ -n "$board" ] && break
    sleep 0.1
done
[ -n "$board" ] || { echo "board-picture: the board never opened" >&2; exit 1; }

# Centres in the client area's pixels, from the board's layout in twips (15 to a pixel).
click() { xdotool mousemove --sync --window "$board" "$1" "$2" click 1; }
swatch() { click 36 $(((1080 + 600 * ($1 - 1) + 187) / 15)); }
hole() { click $(((2040 + 480 * ($2 - 1) + 187) / 15)) $(((840 + 600 * (12 - $1) + 187) / 15)); }
row=0
for colours in "4 7 9 6" "1 2 3 5" "8 10 11 4"; do
    row=$((row + 1))
    column=0
    for code in $colours; do
        column=$((column + 1))
        swatch "$code"
        hole "$row" "$column"
    done
    click 332 288 # "Conferma"
done
sleep 0.5
"$grab" "$board" "$out"
echo "board-picture: wrote $out"
