#!/bin/sh
# test-env.sh [--config FOLDER] [NAME=VALUE...] -- COMMAND...: runs one test's command in the
# environment every test starts from, and in nothing else of the caller's. A test started from
# a terminal of a player's desktop would otherwise inherit their Qt platform theme, scale, font
# DPI, style, locale, configuration, display, Wayland socket, session and accessibility buses.
#
# Kept: PATH, TMPDIR, USER and LOGNAME. Set: a private home with its own configuration, data,
# cache and runtime folders, short and temporary, so that no test reads the player's own files
# and none depends on where the checkout lies; then each NAME=VALUE given. --config copies
# FOLDER's files into the private configuration folder, where "@XDG_CONFIG_HOME@" in them, as
# in a VALUE, is that folder's path.
set -eu
name=test-env
# The private home lies in /tmp whatever TMPDIR says, so that its paths stay short: fontconfig,
# as Debian 12 and 13 ship it, loses a buffer for a configuration path of about a hundred
# characters or more, which LeakSanitizer reports as the game's.
caller_tmpdir=${TMPDIR-}
TMPDIR=/tmp
# shellcheck source-path=SCRIPTDIR source=servers.sh
. "$(dirname "$0")/servers.sh"

config=
if [ "${1-}" = --config ]; then
    config=$2
    shift 2
fi

home="$work/home"
mkdir -p "$home/.config" "$home/.local/share" "$home/.local/state" "$home/.cache"
mkdir -m 700 "$work/runtime"
if [ -n "$config" ]; then
    cp -R "$config/." "$home/.config"
    find "$home/.config" -type f -exec sed -i "s|@XDG_CONFIG_HOME@|$home/.config|g" {} +
fi

# The test's own settings go after the common ones, without the "--" that ends them.
ended=
for argument; do
    shift
    if [ -z "$ended" ]; then
        case $argument in
        --)
            ended=yes
            continue
            ;;
        *=*) argument=$(printf '%s\n' "$argument" | sed "s|@XDG_CONFIG_HOME@|$home/.config|g") ;;
        *)
            echo "$name: '$argument' is not NAME=VALUE, and no -- came before the command" >&2
            exit 2
            ;;
        esac
    fi
    set -- "$@" "$argument"
done
[ -z "$caller_tmpdir" ] || set -- TMPDIR="$caller_tmpdir" "$@"
[ -z "${USER-}" ] || set -- USER="$USER" "$@"
[ -z "${LOGNAME-}" ] || set -- LOGNAME="$LOGNAME" "$@"
exec env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_DATA_HOME="$home/.local/share" XDG_STATE_HOME="$home/.local/state" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_DIRS=/etc/xdg \
    XDG_DATA_DIRS=/usr/local/share:/usr/share "$@"
