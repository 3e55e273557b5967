#!/usr/bin/env bash
# busy-machine.sh [--orca BUILD] COMMAND...: runs COMMAND on a machine as busy as a player's or a
# packager's can be: one CPU-bound job per core and, with --orca, the Orca test of the build tree
# BUILD over and over beside it, each time with its own X server, window manager, buses and Orca.
# The tests must pass there as on a quiet machine: they wait for events, never for a time.
#
#   tools/busy-machine.sh --orca build sh -c 'for run in 1 2 3 4 5; do make test || exit; done'
#   tools/busy-machine.sh --orca build tools/debian-check.sh --release 13 --runs 5
#
# Ends with COMMAND's status, after saying how the Orca runs beside it went.
set -euo pipefail

orca_build=
if [ "${1:-}" = --orca ]; then
    orca_build=$(realpath "${2:?--orca takes a build tree}")
    shift 2
fi
if [ $# -eq 0 ] || [ "$1" = --help ] || [ "$1" = -h ]; then
    sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"
    exit 2
fi

log=$(mktemp)
loads=()
# Each load runs in a process group of its own, so that stopping it stops what it started.
stop() {
    local status=$?
    for group in "${loads[@]}"; do
        kill -TERM -- "-$group" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    if [ -n "$orca_build" ]; then
        echo "busy-machine: Orca beside it: $(grep -c '^orca passed' "$log" || true) runs passed," \
            "$(grep -c '^orca failed' "$log" || true) failed (log: $log)"
    else
        rm -f "$log"
    fi
    exit "$status"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

for _ in $(seq "$(nproc)"); do
    setsid sh -c 'while :; do :; done' &
    loads+=($!)
done
if [ -n "$orca_build" ]; then
    # shellcheck disable=SC2016 # expanded by the loop's shell
    setsid sh -c 'while :; do
        if ctest --test-dir "$1" -R "^orca_game\$" --output-on-failure >>"$2.out" 2>&1
        then echo "orca passed"; else echo "orca failed"; fi >>"$2"
    done' busy "$orca_build" "$log" &
    loads+=($!)
fi
beside="$(nproc) CPU-bound jobs"
[ -z "$orca_build" ] || beside="$beside and the Orca test of $orca_build"
echo "busy-machine: running $* beside $beside"
"$@"
