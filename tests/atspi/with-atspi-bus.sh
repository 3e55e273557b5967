#!/bin/sh
# with-atspi-bus.sh COMMAND...: runs COMMAND with a private AT-SPI bus and registry, as on a
# desktop where a screen reader is running. Meant to run inside dbus-run-session on an X
# display (with-openbox.sh): the bus launcher announces the bus on the session bus and on the
# display. Fails loudly when the bus or the registry cannot start; never skips.
set -eu

launcher=/usr/libexec/at-spi-bus-launcher
registry=/usr/libexec/at-spi2-registryd
for tool in "$launcher" "$registry" dbus-send; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "with-atspi-bus: $tool is missing (tools/install-deps.sh installs it)" >&2
        exit 1
    fi
done
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "with-atspi-bus: needs a session bus and a display (run it under dbus-run-session)" >&2
    exit 1
fi

work=$(mktemp -d)
launched=
registered=
cleanup() {
    [ -n "$registered" ] && kill "$registered" 2>/dev/null
    [ -n "$launched" ] && kill "$launched" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
# The bus's socket goes under the runtime folder: a private one keeps runs apart. A bus
# address inherited from the desktop would send the game and the client to the real one.
export XDG_RUNTIME_DIR="$work/runtime"
unset AT_SPI_BUS_ADDRESS
mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() {
    echo "with-atspi-bus: $1" >&2
    cat "$work"/*.log >&2
    exit 1
}

# Polls up to ten seconds for a command to succeed; the daemons start in the background.
await() {
    tries=0
    until "$@" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -gt 200 ] && return 1
        sleep 0.05
    done
}

# Waits on the name's owner rather than calling the name: a call would have D-Bus start a
# second launcher or registry of its own.
owned() {
    dbus-send "$1" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$2" | grep -q 'boolean true'
}

"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
launched=$!
await owned --session org.a11y.Bus || fail "the AT-SPI bus launcher did not start"
address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress | tr -d ' ')
[ -n "$address" ] || fail "the AT-SPI bus launcher gave no bus address"

"$registry" >"$work/registry.log" 2>&1 &
registered=$!
await owned --bus="$address" org.a11y.atspi.Registry ||
    fail "the AT-SPI registry did not start on the bus $address"

"$@"
