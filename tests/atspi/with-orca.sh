#!/bin/sh
# with-orca.sh COMMAND...: runs COMMAND while Orca, the screen reader of Debian's desktop, runs
# with a private home and writes what it says to the file named by $ORCA_LOG (one line
# "SPEECH OUTPUT: '...'" per utterance, also without a speech server). Meant to run inside
# with-atspi-bus.sh. With ORCA_LATER set, Orca is not started here: COMMAND starts it with
# "$ORCA_START" when it likes. Fails loudly when Orca cannot start; never skips.
set -eu

if ! command -v orca >/dev/null 2>&1; then
    echo "with-orca: orca is missing (tools/install-deps.sh test installs it)" >&2
    exit 1
fi
# Orca waits, without a word, for every other Orca of the same user to end. One that a test
# before this one is stopping gets a few seconds.
tries=0
while pgrep -u "$(id -u)" -x orca >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
        echo "with-orca: an Orca of this user is running already; this test needs its own" >&2
        exit 1
    fi
    sleep 0.05
done

work=$(mktemp -d)
# Orca takes a moment to say goodbye; the next test must not find it still running.
cleanup() {
    if [ -s "$work/orca.pid" ]; then
        pid=$(cat "$work/orca.pid")
        kill "$pid" 2>/dev/null || true
        tries=0
        while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 200 ]; do
            tries=$((tries + 1))
            sleep 0.05
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Orca keeps its settings under the home, and the log is made line-buffered there, so that
# each utterance can be read as soon as it is said.
export HOME="$work/home"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
mkdir -p "$XDG_DATA_HOME/orca" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
cat >"$XDG_DATA_HOME/orca/orca-customizations.py" <<'EOF'
import orca.debug

if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
EOF
export ORCA_LOG="${ORCA_LOG:-$work/orca.log}"
: >"$ORCA_LOG"
export ORCA_START="$work/start-orca"
cat >"$ORCA_START" <<EOF
#!/bin/sh
# Starts Orca in the background and returns once it has said that it is on.
LC_ALL=C.UTF-8 LANGUAGE= orca --debug-file "$ORCA_LOG" >"$work/orca.out" 2>&1 &
echo \$! >"$work/orca.pid"
tries=0
until grep -q "ORCA: Startup complete" "$ORCA_LOG" 2>/dev/null; do
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
fi
"$@"
