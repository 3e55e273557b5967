#!/bin/sh
# with-orca.sh COMMAND...: runs COMMAND while Orca, the screen reader of Debian's desktop, runs
# with a private home and writes what it says to the file named by $ORCA_LOG (one line
# "SPEECH OUTPUT: '...'" per utterance), and to nothing else: no speech server, no sound. Meant
# to run inside with-atspi-bus.sh. With ORCA_LATER set, Orca is not started here: COMMAND
# starts it with "$ORCA_START" when it likes. Fails loudly when Orca cannot start; never skips.
set -eu
name=with-orca
# shellcheck source-path=SCRIPTDIR source=../support/servers.sh
. "$(dirname "$0")/../support/servers.sh"
need orca

# Orca runs in a PID namespace of its own (below), under unshare, which ignores SIGTERM while
# Orca runs: killing unshare kills Orca, the namespace's first process, and all of it at once.
# COMMAND may be the one that starts it, so it is stopped here rather than dying with this
# script as the servers do.
stop_orca() {
    if [ -s "$work/orca.pid" ]; then
        kill -KILL "$(cat "$work/orca.pid")" 2>/dev/null || true
    fi
}
trap stop_orca EXIT

# Orca keeps its settings under the home. There the log is made line-buffered, so that each
# utterance can be read as soon as it is said, and Orca is given no speech server: it still
# logs every utterance, but never hands one to speech-dispatcher, which would wait on a sound
# card that is not there or play through one that is. Sound and braille are off too, so that
# the test's Orca never reaches the machine's speakers or braille display.
export HOME="$work/home"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
mkdir -p "$XDG_DATA_HOME/orca" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
cat >"$XDG_DATA_HOME/orca/orca-customizations.py" <<'EOF'
import orca.debug
import orca.settings

if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
orca.settings.speechServerFactory = None
orca.settings.enableSound = False
orca.settings.enableBraille = False
EOF
export ORCA_LOG="${ORCA_LOG:-$work/orca.log}"
: >"$ORCA_LOG"
export ORCA_START="$work/start-orca"
# Orca refuses to start while another Orca of the same user runs, such as the developer's own
# or another test's, so it runs in a PID namespace of its own, with its own /proc, where it
# sees none. Root makes one as it is, also in a chroot, whose "/" cannot be made private as
# unshare's --mount-proc would: /proc is mounted again over a private copy. A user needs a user
# namespace of its own, which a chroot forbids: there this user's Orca tests take turns.
if [ "$(id -u)" -eq 0 ]; then
    namespace="unshare --mount --propagation unchanged --pid --fork --kill-child sh -c \
        'mount --make-rprivate /proc && mount -t proc proc /proc && exec \"\$@\"' orca"
elif unshare --user --map-current-user true 2>/dev/null; then
    namespace="unshare --user --map-current-user --pid --fork --kill-child --mount-proc"
else
    namespace=
    exec 9>"${TMPDIR:-/tmp}/cifrotto-orca-$(id -u).lock"
    flock 9
fi
cat >"$ORCA_START" <<EOF
#!/bin/sh
# Starts Orca in the background and returns once it listens to events (Orca 43 starts its
# registry, Orca 48 its AT-SPI main loop).
LC_ALL=C.UTF-8 LANGUAGE= $namespace orca --debug-file "$ORCA_LOG" >"$work/orca.out" 2>&1 &
echo \$! >"$work/orca.pid"
tries=0
until grep -qE "ORCA: Starting (registry|Atspi main event loop)" "$ORCA_LOG" 2>/dev/null; do
    tries=\$((tries + 1))
    if [ "\$tries" -gt 600 ]; then
        echo "with-orca: Orca did not start:" >&2
        cat "$work/orca.out" >&2
        tail -n 40 "$ORCA_LOG" >&2
        exit 1
    fi
    sleep 0.05
done
EOF
chmod +x "$ORCA_START"

if [ -z "${ORCA_LATER:-}" ]; then
    "$ORCA_START"
else
    # A blind player's desktop, where Orca has run before: Orca left the toolkits' accessibility
    # on, so a game started before Orca is on the AT-SPI bus from its start. (Qt 6.4 asks the
    # bus whether to be accessible only as it starts.) The bus keeps the setting in this test's
    # private home.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null
fi
"$@"
