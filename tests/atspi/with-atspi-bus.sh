#!/bin/sh
# with-atspi-bus.sh COMMAND...: runs COMMAND with a private AT-SPI bus and registry, as on a
# desktop where a screen reader is running. Meant to run inside dbus-run-session on an X
# display (with-openbox.sh): the bus launcher announces the bus on the session bus and on the
# display. Fails loudly when the bus or the registry cannot start; never skips.
set -eu
name=with-atspi-bus
# shellcheck source-path=SCRIPTDIR source=../support/servers.sh
. "$(dirname "$0")/../support/servers.sh"

launcher=/usr/libexec/at-spi-bus-launcher
registry=/usr/libexec/at-spi2-registryd
need "$launcher" "$registry" dbus-send
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "with-atspi-bus: needs a session bus and a display (run it under dbus-run-session)" >&2
    exit 1
fi

# The bus's socket goes under the runtime folder: a private one keeps runs apart. A bus
# address inherited from the desktop would send the game and the client to the real one, and
# a display named for AT-SPI alone would send the registry, Orca and the client to that
# display's bus.
export XDG_RUNTIME_DIR="$work/runtime"
unset AT_SPI_BUS_ADDRESS AT_SPI_DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Waits on the name's owner rather than calling the name: a call would have D-Bus start a
# second launcher or registry of its own.
owned() {
    dbus-send "$1" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$2" | grep -q 'boolean true'
}

serve launcher "$launcher" --launch-immediately
await launcher owned --session org.a11y.Bus
address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress | tr -d ' ')
if [ -z "$address" ]; then
    echo "with-atspi-bus: the AT-SPI bus launcher gave no bus address:" >&2
    cat "$work/launcher.log" >&2
    exit 1
fi

serve registry "$registry"
await registry owned --bus="$address" org.a11y.atspi.Registry
run "$@"
