#!/bin/sh
# check-display.sh: `make run` says at once, before building, when there is no X display to
# show the game on, in the words the program itself would use.
case "${QT_QPA_PLATFORM:-xcb}" in
xcb*) ;;
*) exit 0 ;;
esac
if [ -z "${DISPLAY:-}" ]; then
    echo "cifrotto: no X display to show the game on (DISPLAY is not set)" >&2
    exit 1
fi
