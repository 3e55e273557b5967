# shellcheck shell=dash disable=SC2154 # name: set by the script that sources this file
# servers.sh: sourced by the scripts that start private servers of their own (an X server, a
# window manager, a compositor) in a work folder, $work, made here. They set `name`, for their
# messages, first. However the script ends, by its exit, a failure, or a SIGKILL such as
# ctest's timeout sends, which runs no trap, its servers and its work folder go with it.

# need TOOL...: fails at once, and says how to get it, when a tool is missing.
need() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$name: $tool is missing (tools/install-deps.sh test installs it)" >&2
            exit 1
        fi
    done
}

work=$(mktemp -d)
# A watcher outside this script's process tree, which ctest's timeout kills whole, removes the
# folder once the script has gone.
# shellcheck disable=SC2016 # expanded by the watcher
setsid -f sh -c 'tail --pid="$1" -f /dev/null; rm -rf "$2"' watcher "$$" "$work" \
    </dev/null >/dev/null 2>&1
servers=

# serve NAME [SETPRIV-OPTION...] COMMAND...: starts a server in the background, its output in
# $work/NAME.log. The kernel sends it SIGTERM when this script ends, however it ends: SIGTERM,
# so that it still removes what it made outside the work folder (Xvfb's socket in
# /tmp/.X11-unix). Options that change the user go to the same setpriv, after which the signal
# is set: a change of user clears it.
serve() {
    local server=$1
    shift
    setpriv --pdeathsig TERM "$@" >"$work/$server.log" 2>&1 &
    echo $! >"$work/$server.pid"
    servers="$servers $server"
}

# running NAME: whether the server still runs; one that has ended but is not yet reaped counts
# as ended.
running() {
    local state
    state=$(sed -n 's/^State:[[:space:]]*//p' "/proc/$(cat "$work/$1.pid")/status" 2>/dev/null)
    case $state in
    "" | Z* | X*) return 1 ;;
    esac
}

# await NAME TEST...: waits up to twenty seconds for TEST to succeed while the server runs, and
# fails with its log if it does not.
await() {
    local server=$1 tries=0
    shift
    until "$@" >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ "$tries" -gt 400 ] || ! running "$server"; then
            echo "$name: $server did not start:" >&2
            cat "$work/$server.log" >&2
            exit 1
        fi
        sleep 0.05
    done
}

# run COMMAND...: runs the command and ends the script with its status; a server that ended
# meanwhile fails the run, as the command then ran at least in part without it.
run() {
    local status=0 server
    "$@" || status=$?
    for server in $servers; do
        if ! running "$server"; then
            echo "$name: $server ended while the command ran; its log:" >&2
            cat "$work/$server.log" >&2
            status=1
        fi
    done
    exit "$status"
}
