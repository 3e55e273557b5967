#!/bin/sh
# display-choice.sh PROGRAM SOURCE_DIR: on a Wayland session whose compositor does not answer
# the game opens its window through X11 and prints nothing; with no display at all it says so
# in one line and fails, and so does `make run`, before building anything; an X server that
# refuses the game is told from one that is not there. Runs under with-openbox.sh.
set -u
name=display-choice
# shellcheck source-path=SCRIPTDIR source=../support/servers.sh
. "$(dirname "$0")/../support/servers.sh"
# shellcheck source=../support/x11-game.sh
. "$(dirname "$0")/../support/x11-game.sh"
program=$1
source=$2
mkdir -m 700 "$work/runtime"
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

# A Wayland session whose compositor has gone: only XWayland's DISPLAY works. No
# locale at all, as on a system never given one, and a locale forced without UTF-8: Qt 6.8
# switches to UTF-8 characters and warns on every start unless the game chose them first.
# With no runtime directory a relative WAYLAND_DISPLAY names no socket, though joined to
# nothing it would name one that answers, the X server's own; Qt's own note of the missing
# directory is all that may be printed then.
x_socket=tmp/.X11-unix/X${DISPLAY#:}
for case in "no locale:" LC_ALL=C:LC_ALL=C \
    "no runtime directory:XDG_RUNTIME_DIR= WAYLAND_DISPLAY=$x_socket"; do
    label=${case%%:*}
    # shellcheck disable=SC2086 # settings: words, or none at all
    if start_game env -u QT_QPA_PLATFORM -u LANG -u LC_ALL -u LC_CTYPE \
        XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY=wayland-cifrotto-none \
        XDG_SESSION_TYPE=wayland ${case#*:} "$program" 2>"$work/wayland.err"; then
        echo "PASS: on a Wayland session ($label) the start window opens through X11"
    else
        fail "on a Wayland session ($label) no start window appeared"
    fi
    end_game
    if grep -v "^QStandardPaths: XDG_RUNTIME_DIR not set" "$work/wayland.err" >&2; then
        fail "on a Wayland session ($label) the game printed the above"
    else
        echo "PASS: on a Wayland session ($label) the game prints nothing"
    fi
done

# refuses LABEL SAID SETTING...: the game started with the settings fails, saying one line that
# matches the pattern SAID, and nothing else.
refuses() {
    label=$1
    said=$2
    shift 2
    env "$@" XDG_RUNTIME_DIR="$work/runtime" "$program" >"$work/out" 2>"$work/err"
    status=$?
    # shellcheck disable=SC2254 # SAID is a pattern
    case $(cat "$work/err") in
    $said) matches=yes ;;
    *) matches=no ;;
    esac
    if [ "$status" -ne 0 ] && [ $matches = yes ] && [ "$(wc -l <"$work/err")" -eq 1 ] &&
        [ ! -s "$work/out" ]; then
        echo "PASS: $label: one line and status $status"
    else
        fail "$label: status $status, said:"
        cat "$work/out" "$work/err" >&2
    fi
}

expected="cifrotto: no X display to show the game on (DISPLAY is not set)"
refuses "with no display (x11 session)" "$expected" -u DISPLAY -u QT_QPA_PLATFORM \
    -u WAYLAND_DISPLAY XDG_SESSION_TYPE=x11
refuses "with no display (wayland session)" "cifrotto: no display to show the game on \
(wayland-0 does not answer, DISPLAY is not set)" -u DISPLAY -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY \
    XDG_SESSION_TYPE=wayland
# An X server that wants a cookie the player lacks, as after su or sudo.
need xauth
: >"$work/cookie"
xauth -f "$work/cookie" add :0 . 0123456789abcdef0123456789abcdef
serve Xvfb Xvfb -auth "$work/cookie" -displayfd 3 -noreset -nolisten tcp 3>"$work/display"
await Xvfb test -s "$work/display"
: >"$work/no-cookie"
refusing=:$(cat "$work/display")
refuses "a display that is not there" "cifrotto: no X display to show the game on (:65000 does \
not answer)" DISPLAY=:65000 XAUTHORITY="$work/no-cookie"
refuses "an X server that refuses the game" "cifrotto: no X display to show the game on (the X \
server on $refusing refused the connection: Authorization required*)" DISPLAY="$refusing" \
    XAUTHORITY="$work/no-cookie"

env -u DISPLAY -u QT_QPA_PLATFORM make -s -C "$source" run BUILD="$work/build" >"$work/out" 2>"$work/err"
status=$?
if [ "$status" -ne 0 ] && [ "$(head -n 1 "$work/err")" = "$expected" ] && [ ! -e "$work/build" ]; then
    echo "PASS: make run with no display says so before building"
else
    fail "make run with no display: status $status, said:"
    cat "$work/out" "$work/err" >&2
fi
exit $failed
