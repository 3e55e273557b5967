#!/bin/sh
# x11-switches.sh PROGRAM: on a Wayland session with an X display beside it, the ways a player
# sends the game to X11 all give an X11 window and none of sway's: QT_QPA_PLATFORM=xcb,
# `-platform xcb`, and a machine without Qt's wayland platform, where the game must still show.
# Runs under with-openbox.sh, whose display stands for XWayland.
set -u
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1-}" != --inside ]; then
    exec "$here/with-sway.sh" env DISPLAY="$DISPLAY" "$0" --inside "$1"
fi
program=$2
failed=0
# shellcheck source=../support/x11-game.sh
. "$here/../support/x11-game.sh"

# shows LABEL COMMAND...: the game started by COMMAND opens its start window on the X display,
# and sway has no window of it.
shows() {
    label=$1
    shift
    if ! start_game "$@"; then
        echo "FAIL: $label: no X11 window"
        failed=1
    elif swaymsg -t get_tree | grep -q '"app_id": "cifrotto"\|"shell": "xdg_shell"'; then
        echo "FAIL: $label: the game went to sway"
        failed=1
    else
        echo "PASS: $label: an X11 window"
    fi
    end_game
}

shows "QT_QPA_PLATFORM=xcb" env QT_QPA_PLATFORM=xcb "$program"
shows "-platform xcb" "$program" -platform xcb

# Qt's platforms as a machine without qt6-wayland has them: every plugin but the wayland ones,
# copied, since the folder they come from is hidden under them.
platforms=$(find /usr/lib -path '*/qt6/plugins/platforms' -type d | head -n 1)
without=$(mktemp -d)
for plugin in "$platforms"/*.so; do
    case $plugin in *wayland*) ;; *) cp "$plugin" "$without/" ;; esac
done
if [ "$(id -u)" -eq 0 ]; then
    hide="unshare --mount"
else
    hide="unshare --user --map-root-user --mount"
fi
# In a chroot whose root is no mount point there is no private mount namespace to hide them in.
if $hide true 2>/dev/null; then
    # shellcheck disable=SC2016 # expanded by the inner shell
    shows "no wayland platform" $hide sh -c 'mount --bind "$1" "$2" && exec "$3"' hide \
        "$without" "$platforms" "$program"
else
    echo "SKIP: no wayland platform: no private mount namespace here"
fi
rm -rf "$without"
exit $failed
