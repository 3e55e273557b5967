#!/bin/sh
# with-openbox.sh [--no-openbox] COMMAND...: runs a command on a private Xvfb display managed by
# openbox, as on a desktop with a real window manager. Fails loudly when either cannot start.
# With --no-openbox the display has no window manager: the command brings its own.
set -eu

openbox=yes
if [ "${1-}" = --no-openbox ]; then
    openbox=no
    shift
fi

for tool in Xvfb openbox xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "with-openbox: $tool is missing (tools/install-deps.sh installs it)" >&2
        exit 1
    fi
done

work=$(mktemp -d)
xvfb=
wm=
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number, so tests may run side by side.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
number=$(timeout 20 head -n 1 "$work/display" || true)
if [ -z "$number" ]; then
    echo "with-openbox: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$number"

if [ "$openbox" = yes ]; then
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm=$!
    # openbox is managing once it has set the EWMH check window on the root.
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        tries=$((tries + 1))
        if [ "$tries" -gt 200 ] || ! kill -0 "$wm" 2>/dev/null; then
            echo "with-openbox: openbox did not start on $DISPLAY:" >&2
            cat "$work/openbox.log" >&2
            exit 1
        fi
        sleep 0.05
    done

    # A moment more, so that openbox handles the first window as it will every later one.
    sleep 0.5
fi
"$@"
