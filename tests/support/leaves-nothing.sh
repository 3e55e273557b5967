#!/bin/sh
# leaves-nothing.sh WRAPPER SERVER: a run under with-openbox.sh or with-sway.sh (WRAPPER) leaves
# nothing behind, no process, no work folder, no X server socket, when the window manager or
# compositor (SERVER) dies while the command runs, which must fail the run, and when the wrapper
# itself is killed with SIGKILL, as ctest's timeout kills it.
set -u
if [ "$1" = --inside ]; then
    # As the wrapper's command: notes the wrapper's children, its servers among them, and the
    # X server's socket, then kills the server or the wrapper.
    notes=$2
    for pid in $(cat "/proc/$PPID/task/$PPID/children"); do # one line of PIDs
        echo "$pid $(cat "/proc/$pid/comm")"
    done >"$notes/children"
    if [ -n "${DISPLAY-}" ]; then
        echo "/tmp/.X11-unix/X${DISPLAY#:}" >"$notes/socket"
    fi
    if [ "$3" = wrapper ]; then
        kill -KILL "$PPID"
    else
        kill "$(awk -v server="$3" '$2 == server { print $1 }' "$notes/children")"
        sleep 1
    fi
    exit 0
fi
wrapper=$1
server=$2
notes=$(mktemp -d)
trap 'rm -rf "$notes"' EXIT
# The wrapper's work folder goes in here, where sway, run as nobody when this runs as root,
# reaches it.
chmod 711 "$notes"
mkdir -m 711 "$notes/tmp"
: >"$notes/children"
: >"$notes/socket"
failed=0

# Whether a live socket is bound to the path. Once the run's X server has gone, a socket of the
# same name that some server listens on is another server's, which took the free number; one
# that nothing listens on is the run's, left behind. (Telling them apart by inode would not do:
# a file system may give a freed inode number to the next file at once.)
listened() {
    awk -v path="$1" '$NF == path { found = 1 } END { exit !found }' /proc/net/unix
}

# Waits up to five seconds for the run's processes, work folder and X socket to go.
nothing_left() {
    tries=0
    while :; do
        left=$(ls -A "$notes/tmp")
        while read -r pid comm; do
            case $(sed -n 's/^State:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null) in
            "" | Z* | X*) ;;
            *) left="$left $comm" ;;
            esac
        done <"$notes/children"
        read -r socket <"$notes/socket"
        [ -z "$socket" ] || [ ! -e "$socket" ] || listened "$socket" || left="$left $socket"
        [ -n "$left" ] || return 0
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then
            echo "FAIL: $1 left$(echo " $left" | tr '\n' ' ')" >&2
            failed=1
            return 1
        fi
        sleep 0.05
    done
}

TMPDIR="$notes/tmp" "$wrapper" "$0" --inside "$notes" "$server" 2>"$notes/err"
status=$?
if [ "$status" -ne 0 ] && grep -q "$server ended while the command ran" "$notes/err"; then
    echo "PASS: $server dying fails the run, status $status"
else
    echo "FAIL: $server died and the run ended with status $status, saying:" >&2
    cat "$notes/err" >&2
    failed=1
fi
nothing_left "$server dying" && echo "PASS: $server dying leaves nothing"

TMPDIR="$notes/tmp" "$wrapper" "$0" --inside "$notes" wrapper
nothing_left "a SIGKILL to $(basename "$wrapper")" &&
    echo "PASS: a SIGKILL to $(basename "$wrapper") leaves nothing"
exit $failed
