#!/bin/sh
# check-display.sh: `make run` says at once, before building, when there is no display to show
# the game on, in the words the program itself would use. A Wayland socket counts if it is
# there; whether its compositor answers, the program finds out.
case "${QT_QPA_PLATFORM:-}" in
'' | xcb*) ;;
*) exit 0 ;;
esac
wayland=
if [ -z "${QT_QPA_PLATFORM:-}" ] &&
    { [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${XDG_SESSION_TYPE:-}" = wayland ]; }; then
    wayland=${WAYLAND_DISPLAY:-wayland-0}
    case $wayland in
    /*) socket=$wayland ;;
    *) socket=${XDG_RUNTIME_DIR:-}/$wayland ;;
    esac
    [ -S "$socket" ] && exit 0
fi
[ -n "${DISPLAY:-}" ] && exit 0
if [ -n "$wayland" ]; then
    echo "cifrotto: no display to show the game on" \
        "($wayland does not answer, DISPLAY is not set)" >&2
else
    echo "cifrotto: no X display to show the game on (DISPLAY is not set)" >&2
fi
exit 1
