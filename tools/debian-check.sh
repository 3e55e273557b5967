#!/usr/bin/env bash
# debian-check.sh: runs the README's commands as a new user would, on a fresh clone of this
# checkout's last commit inside a fresh minimal Debian, with nothing of this machine's packages.
#
#   tools/debian-check.sh [--release 12|13] [--user | --user-without-sudo] [--runs N] [GOAL...]
#
#   --release N  Debian 13 (trixie, the default) or 12 (bookworm)
#   --user       run make as an ordinary user with sudo (NOPASSWD), not as root
#   --user-without-sudo
#                run make as an ordinary user without sudo, root having installed the
#                packages first, as the README tells such a user to
#   --runs N     run make N times in a row in the same clone, stopping at the first failure:
#                the later runs find everything built, as a contributor's second `make test` does
#   GOAL...      the make goals, `test` when none is given; `run` alone checks that the start
#                window appears (on a virtual display here), then closes it with Escape
#
# The minimal Debian (debootstrap minbase with git, make, ca-certificates and sudo) is made once
# and kept untouched in $CIFROTTO_CACHE/debian-N (default ~/.cache/cifrotto); every run works
# on a copy of it, deleted afterwards, in private PID, mount and IPC namespaces. Downloaded .debs
# are kept in $CIFROTTO_CACHE/apt-N for the next run (installed packages are not). The clone lies
# where players and packagers put theirs: at a long path, with a space and an accented letter.
# Needs root, or sudo, for debootstrap, the namespaces and chroot.
set -euo pipefail

# The whole script is one block that bash reads before running it, so that a checkout changing
# the script during a run (git switch, an edit) does not change the running one.
{
release=13
as_user=
runs=1
goals=()
while [ $# -gt 0 ]; do
    case "$1" in
    --release) release=${2:-}; shift 2 ;;
    --release=*) release=${1#*=}; shift ;;
    --user) as_user=sudo; shift ;;
    --user-without-sudo) as_user=plain; shift ;;
    --runs) runs=${2:-}; shift 2 ;;
    --runs=*) runs=${1#*=}; shift ;;
    -h | --help) sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0 ;;
    -*) echo "$0: unknown option $1 (see --help)" >&2; exit 2 ;;
    *) goals+=("$1"); shift ;;
    esac
done
case "$release" in
12) suite=bookworm ;;
13) suite=trixie ;;
*) echo "$0: --release is 12 or 13, not '$release'" >&2; exit 2 ;;
esac
[ ${#goals[@]} -gt 0 ] || goals=(test)
case "$runs" in
'' | *[!0-9]* | 0) echo "$0: --runs takes a number of runs, not '$runs'" >&2; exit 2 ;;
esac
run_check=
case " ${goals[*]} " in
" run ") run_check=1; [ "$runs" = 1 ] || { echo "$0: \`run\` is checked once" >&2; exit 2; } ;;
*" run "*) echo "$0: \`run\` does not end by itself: give it alone" >&2; exit 2 ;;
esac

if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        cache=${CIFROTTO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/cifrotto}
        # Made here first, so that root does not make the user's ~/.cache.
        mkdir -p "$cache"
        user_option=
        case $as_user in
        sudo) user_option=--user ;;
        plain) user_option=--user-without-sudo ;;
        esac
        exec sudo CIFROTTO_CACHE="$cache" "$0" --release "$release" --runs "$runs" $user_option \
            "${goals[@]}"
    fi
    echo "$0 needs root (debootstrap, namespaces and chroot) and sudo is not installed:" >&2
    echo "run it as root, e.g.  su -c '$0 ${*:-}'" >&2
    exit 1
fi

tree=$(cd "$(dirname "$0")/.." && pwd)
cache=${CIFROTTO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/cifrotto}
base=$cache/debian-$release
apt_cache=$cache/apt-$release
mkdir -p "$cache" "$apt_cache"
now() { date +%s; }
started=$(now)
say() { echo "debian-check [$(($(now) - started)) s]: $*"; }

"$tree/tools/install-deps.sh" check

# Made once; a run that breaks off leaves only base.new, which the next one starts again.
exec 9>"$base.lock"
flock 9
if [ ! -e "$base/.complete" ]; then
    say "making a minimal Debian $release in $base (once)"
    rm -rf "$base.new"
    # In a mount namespace of its own, so that the mounts debootstrap makes go with it.
    unshare --mount debootstrap --variant=minbase --include=git,make,ca-certificates,sudo \
        --cache-dir="$apt_cache" "$suite" "$base.new" http://deb.debian.org/debian
    touch "$base.new/.complete"
    mv "$base.new" "$base"
fi
flock -u 9

work=$(mktemp -d "$cache/run-$release.XXXXXX")
# Downloaded packages go in and out of the run's own apt cache as hard links, so that two runs
# at once never share apt's lock on it.
keep_debs() { find "$1" -maxdepth 1 -name '*.deb' -exec cp -nl -t "$2" {} + 2>/dev/null || true; }
ns_pid=
xvfb_pid=
cleanup() {
    local status=$?
    trap - EXIT INT TERM
    # unshare ignores SIGTERM while it waits; when it is killed, the namespace's first process
    # gets SIGKILL, and every process in the namespace with it. The namespace's mounts were never
    # visible here and go with it.
    [ -z "$ns_pid" ] || { kill -KILL "$ns_pid" 2>/dev/null; wait "$ns_pid" 2>/dev/null; } || true
    [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; } || true
    keep_debs "$work/var/cache/apt/archives" "$apt_cache"
    if findmnt -rn -o TARGET | grep -q "^$work"; then
        say "left $work in place: something is still mounted in it" >&2
    else
        rm -rf "$work"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

say "copying $base"
cp -a "$base/." "$work/"
rm "$work/.complete"
keep_debs "$apt_cache" "$work/var/cache/apt/archives"
cp /etc/resolv.conf "$work/etc/resolv.conf"
echo "127.0.1.1 $(hostname)" >>"$work/etc/hosts"
# Run with sudo, this is root reading a checkout of the user's, which git refuses by default.
git() { command git -c safe.directory='*' "$@"; }
git -C "$tree" bundle create -q "$work/var/tmp/cifrotto.bundle" HEAD
say "checking $(git -C "$tree" log -1 --format='%h %s')"

display= display_env=
if [ -n "$run_check" ]; then
    Xvfb -displayfd 8 -noreset -screen 0 1280x1024x24 -nolisten tcp 8>"$work/var/tmp/display" \
        >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -s "$work/var/tmp/display" ] && break
        sleep 0.1
    done
    display=$(cat "$work/var/tmp/display")
    display_env="DISPLAY=:$display"
fi

# Inside, as root: the user when asked for, the clone, and make as root or as the user.
user=root home=/root path=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
[ -z "$as_user" ] || user=player home=/home/player path=/usr/local/bin:/usr/bin:/bin
clone="$home/src/giochi di prova/Cifrotto è il gioco dei colori, copiato là dove piace a chi lo\
 prova e lo costruisce/cifrotto"
inside=$(
    cat <<EOF
set -e
if [ $user != root ]; then
    useradd -m -s /bin/bash $user
fi
if [ "$as_user" = sudo ]; then
    echo '$user ALL=(ALL) NOPASSWD: ALL' >/etc/sudoers.d/$user
    chmod 440 /etc/sudoers.d/$user
fi
chmod 644 /var/tmp/cifrotto.bundle
runuser -u $user -- git -c init.defaultBranch=main -c advice.detachedHead=false clone -q /var/tmp/cifrotto.bundle "$clone"
cd "$clone"
if [ "$as_user" = plain ]; then
    echo "debian-check: as root, what the user without sudo asks root to install"
    apt-get update -q >/dev/null
    tools/install-deps.sh test
fi
for run in \$(seq $runs); do
    echo "debian-check: as $user in \$PWD: make ${goals[*]} (run \$run of $runs)"
    start=\$(date +%s)
    runuser -u $user -- env -i HOME=$home USER=$user LOGNAME=$user TERM=dumb \
        PATH=$path $display_env \
        make ${goals[*]} && status=0 || status=\$?
    echo "debian-check: make ${goals[*]} (run \$run of $runs) ended with status \$status after \$((\$(date +%s) - start)) s"
    [ \$status = 0 ] || exit \$status
done
EOF
)

unshare --mount --pid --ipc --fork --kill-child /bin/bash -c '
    set -e
    root=$1 display=$2 inside=$3
    mount --make-rprivate /
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    mount -t proc proc "$root/proc"
    mount -t sysfs sys "$root/sys"
    mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
    # Only the X server started for this run, not the others on this machine.
    if [ -n "$display" ]; then
        mkdir -p "$root/tmp/.X11-unix"
        touch "$root/tmp/.X11-unix/X$display"
        mount --bind "/tmp/.X11-unix/X$display" "$root/tmp/.X11-unix/X$display"
    fi
    exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "$inside"
' debian-check "$work" "${display:-}" "$inside" &
ns_pid=$!

if [ -z "$run_check" ]; then
    status=0
    wait "$ns_pid" || status=$?
    ns_pid=
    say "Debian $release, make ${goals[*]} ($runs runs) as $user: status $status, $(($(now) - started)) s in all"
    exit "$status"
fi

# make run: wait for the start window, then close it as a player would, with Escape.
export DISPLAY=:$display
run_started=$(now)
window=
while kill -0 "$ns_pid" 2>/dev/null; do
    window=$(xdotool search --onlyvisible --name '^Cifrotto$' 2>/dev/null | head -n 1) || true
    [ -z "$window" ] || break
    sleep 1
done
if [ -z "$window" ]; then
    status=0
    wait "$ns_pid" || status=$?
    ns_pid=
    say "Debian $release, make run as $user: ended (status $status) without a start window" >&2
    exit 1
fi
say "the start window appeared $(($(now) - run_started)) s after make run began"
xwininfo -id "$window" | sed -n 's/^xwininfo: //p; /Width\|Height/p'
xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 30); do
    kill -0 "$ns_pid" 2>/dev/null || break
    sleep 1
done
if kill -0 "$ns_pid" 2>/dev/null; then
    say "the game did not end on Escape within 30 s" >&2
    exit 1
fi
status=0
wait "$ns_pid" || status=$?
ns_pid=
say "Debian $release, make run as $user: status $status, $(($(now) - started)) s in all"
exit "$status"
}
