#!/bin/sh
# with-openbox.sh [--no-openbox] COMMAND...: runs a command on a private Xvfb display managed by
# openbox, as on a desktop with a real window manager. Fails loudly when either cannot start,
# and fails the command's run when either ends while it runs. With --no-openbox the display
# has no window manager: the command brings its own.
set -eu
name=with-openbox
# shellcheck source-path=SCRIPTDIR source=../support/servers.sh
. "$(dirname "$0")/../support/servers.sh"

openbox=yes
if [ "${1-}" = --no-openbox ]; then
    openbox=no
    shift
fi
need Xvfb openbox xprop

# Xvfb picks a free display itself and writes its number, so tests may run side by side. It
# never resets, as a desktop's server whose session never leaves it empty: a server resets when
# its last client leaves, and drops a client that connects meanwhile, as openbox may while
# `managing` below polls.
serve Xvfb Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display"
await Xvfb test -s "$work/display"
DISPLAY=":$(cat "$work/display")"
export DISPLAY

# openbox is managing once it has set the EWMH check window on the root.
managing() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}
if [ "$openbox" = yes ]; then
    serve openbox openbox --sm-disable
    await openbox managing
    # A moment more, so that openbox handles the first window as it will every later one.
    sleep 0.5
fi
run "$@"
