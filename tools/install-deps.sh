#!/usr/bin/env bash
# Installs the Debian packages that one use of the tree needs, and only those that are missing,
# so that a second call costs one dpkg query:
#   install-deps.sh run     building and running the game (`make run`)
#   install-deps.sh test    that, and what only the tests need (`make test`)
#   install-deps.sh bench   that of `run`, and what `make bench` needs
set -euo pipefail

# The compiler and CMake; Qt's development packages (Qt Test comes with qt6-base-dev, and the
# xcb and offscreen platforms and the AT-SPI bridge with libqt6gui6); libqt6svg6 for the SVG
# image plugin that draws the pictures at scales other than 1 and 2 (the program loads it, it
# does not link it); libxcb to ask the window manager for its frame; Comic Neue, compiled in,
# and DejaVu, the face every other text falls back to on a machine without fonts.
run=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 libxcb1-dev
    fonts-comic-neue fonts-dejavu-core
)
# clang-format for `make format-check`; Xvfb, openbox and the X tools for the tests under a
# window manager (xauth for xvfb-run, to run a test by hand as `make bench` does); D-Bus, the AT-SPI bus and its Python client for the screen reader's view,
# and Orca itself; the desktop and packaging checks (dpkg-dev and file for CPack's
# dpkg-shlibdeps, lintian for the .deb).
test=(
    clang-format
    xvfb xauth openbox x11-utils xdotool
    dbus at-spi2-core python3-gi gir1.2-atspi-2.0 orca
    desktop-file-utils appstream dpkg-dev file lintian
)
# `make bench` runs under xvfb-run (which needs xauth) and counts instructions with callgrind.
bench=(xvfb xauth valgrind)

case "${1:-}" in
run) packages=("${run[@]}") ;;
test) packages=("${run[@]}" "${test[@]}") ;;
bench) packages=("${run[@]}" "${bench[@]}") ;;
*)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac

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
