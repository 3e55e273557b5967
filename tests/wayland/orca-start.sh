#!/bin/sh
# orca-start.sh PROGRAM: on a Wayland session with an X display beside it, as GNOME's has
# (XWayland), the game's start window, a native window of sway's, tells Orca what it offers,
# and Esc ends the game with status 0. Runs under with-openbox.sh, whose display is Orca's:
# Orca 43 will not start without one.
set -u
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1-}" != --heard ]; then
    exec "$here/with-sway.sh" env DISPLAY="$DISPLAY" dbus-run-session -- \
        "$here/../atspi/with-atspi-bus.sh" "$here/../atspi/with-orca.sh" "$0" --heard "$1"
fi
wtype -s 60000 &
keyboard=$!
"$2" &
game=$!
said="Finestra d'inizio: Comincia, Alt+C; Istruzioni, Alt+I; Esci, Alt+E."
failed=0
tries=0
until grep "SPEECH OUTPUT" "$ORCA_LOG" | grep -qF "$said"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 400 ] || ! kill -0 "$game" 2>/dev/null; then
        echo "FAIL: Orca did not say \"$said\"; it said:"
        grep "SPEECH OUTPUT" "$ORCA_LOG"
        failed=1
        break
    fi
    sleep 0.05
done
[ "$failed" -eq 1 ] || echo "PASS: Orca said \"$said\""
if swaymsg -t get_tree | grep -q '"shell": "xdg_shell"'; then
    echo "PASS: the start window is a native Wayland window"
else
    echo "FAIL: sway shows no native Wayland window of the game"
    failed=1
fi
wtype -k Escape
tries=0
while kill -0 "$game" 2>/dev/null && [ "$tries" -lt 200 ]; do
    tries=$((tries + 1))
    sleep 0.05
done
kill "$game" "$keyboard" 2>/dev/null
status=0
wait "$game" || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: Esc left the game running or it ended with status $status" &&
    failed=1; }
exit $failed
