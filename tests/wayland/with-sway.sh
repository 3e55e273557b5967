#!/bin/sh
# with-sway.sh [--scale S] COMMAND...: runs a command as a client of a private headless sway,
# whose one output (HEADLESS-1) has scale S (1 unless told). The command finds it through
# WAYLAND_DISPLAY and SWAYSOCK, both absolute paths, and has no X display. Fails loudly when
# sway cannot start, and fails the command's run when sway ends while it runs.
set -eu
name=with-sway
# shellcheck source-path=SCRIPTDIR source=../support/servers.sh
. "$(dirname "$0")/../support/servers.sh"

scale=1
if [ "${1-}" = --scale ]; then
    scale=$2
    shift 2
fi
need sway swaymsg

# Sway refuses to run as root, so as root it runs as nobody, in a runtime directory of its
# own; the clients keep theirs, and reach its sockets by path.
mkdir -m 700 "$work/sway" "$work/client"
as_sway=
if [ "$(id -u)" -eq 0 ]; then
    chmod 711 "$work"
    chown 65534:65534 "$work/sway"
    as_sway="--reuid=65534 --regid=65534 --clear-groups"
fi
# Big enough at scale 2 for the game window and its title bar, in logical pixels.
width=$(awk -v s="$scale" 'BEGIN { printf "%d", 1280 * s }')
height=$(awk -v s="$scale" 'BEGIN { printf "%d", 900 * s }')
cat >"$work/sway/config" <<CONFIG
output HEADLESS-1 mode ${width}x${height} scale $scale
CONFIG
chmod 644 "$work/sway/config"

# Sway names its socket wayland-1 if it can, the next free number otherwise.
socket() {
    for s in "$work"/sway/wayland-[0-9]*; do
        [ -S "$s" ] && echo "$s" && return 0
    done
    return 1
}
answering() {
    socket && ls "$work"/sway/sway-ipc.*.sock &&
        SWAYSOCK=$(ls "$work"/sway/sway-ipc.*.sock) swaymsg -t get_outputs
}
# shellcheck disable=SC2086 # as_sway: no words, or setpriv's options
serve sway $as_sway env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK XDG_RUNTIME_DIR="$work/sway" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$work/sway/config"
await sway answering

WAYLAND_DISPLAY=$(socket)
export WAYLAND_DISPLAY
SWAYSOCK=$(ls "$work"/sway/sway-ipc.*.sock)
export SWAYSOCK
export XDG_RUNTIME_DIR="$work/client"
export XDG_SESSION_TYPE=wayland
# The game chooses its platform itself, as on a player's session.
unset QT_QPA_PLATFORM
unset DISPLAY
run "$@"
