#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Cifrotto need (with
# `bench`, also what `make bench` needs), and only those that are missing, so that a second
# call costs one dpkg query.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libxcb1-dev
    fonts-comic-neue fonts-dejavu-core
    clang-format
    xvfb xauth openbox x11-utils xdotool
    dbus at-spi2-core python3-gi gir1.2-atspi-2.0
    desktop-file-utils appstream dpkg-dev file lintian
)
# `make bench` also counts instructions with callgrind.
if [ "${1:-}" = bench ]; then
    packages+=(valgrind)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

install="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
# Without root or sudo (a Debian installed with a root password), the user runs it as root
# and then builds as themselves: a build run as root leaves a build tree they cannot write.
as_root_instead() {
    {
        echo "Cifrotto needs these Debian packages: ${missing[*]}"
        echo "Install them as root with:"
        echo
        echo "    su -c '$install'"
        echo
        echo "then run make again as yourself (not as root, whose build folders you could not"
        echo "write to afterwards)."
    } >&2
    exit 1
}

export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
elif command -v sudo >/dev/null 2>&1; then
    echo "Installing missing packages with sudo: ${missing[*]}"
    # sudo fails for a user it does not know; the message below says what to do instead.
    sudo apt-get update -q && sudo apt-get install -y -q --no-install-recommends "${missing[@]}" ||
        as_root_instead
else
    as_root_instead
fi
