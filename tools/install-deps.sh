#!/usr/bin/env bash
# Installs the Debian packages that one use of the tree needs, and only those that are missing,
# so that a second call costs one dpkg query:
#   install-deps.sh run     building and running the game (`make run`)
#   install-deps.sh test    that, and what only the tests need (`make test`)
#   install-deps.sh bench   that of `run`, and what `make bench` needs
#   install-deps.sh check   what tools/debian-check.sh needs on the machine it runs on
set -euo pipefail

# The compiler and CMake; Qt's development packages (Qt Test comes with qt6-base-dev, and the
# xcb and offscreen platforms and the AT-SPI bridge with libqt6gui6); qt6-wayland for the
# wayland platform and its title bars (a Wayland session shows the game natively, at the
# screen's scale, rather than through XWayland); libqt6svg6 for the SVG
# image plugin that draws the pictures at scales other than 1 and 2 (the program loads it, it
# does not link it, and Debian 13 moved it into a package of its own: see svg_plugin below); libxcb to ask the window manager for its frame; Comic Neue, compiled in,
# and DejaVu, the face every other text falls back to on a machine without fonts; fontconfig's
# headers, to ask whether the installed Comic Neue is the one compiled in.
run=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-wayland qt6-svg-dev libqt6svg6 libxcb1-dev libfontconfig-dev
    fonts-comic-neue fonts-dejavu-core
)
# clang-format-19 for `make format-check` (Debian 12 and 13 both ship it, so the check gives one
# verdict on both); Xvfb, openbox and the X tools for the tests under a window manager (xauth for
# xvfb-run, to run a test by hand as `make bench` does); D-Bus, the AT-SPI bus and its Python
# client for the screen reader's view, and Orca itself with the voice `apt install orca` brings
# (the Orca tests run as on a player's machine); the desktop and packaging checks (dpkg-dev and
# file for CPack's dpkg-shlibdeps, lintian for the .deb); qt6ct, the platform theme through which
# the tests give the windows a dark scheme, high contrast and a large font, as a player would;
# sway, with grim for its pictures and wtype for its keys, for the game as a native Wayland
# client of a compositor that draws title bars itself; mutter, GNOME's compositor, which draws
# none, so that Qt's own must show.
test=(
    clang-format-19 qt6ct
    xvfb xauth openbox x11-utils xdotool
    sway grim wtype mutter
    dbus at-spi2-core python3-gi gir1.2-atspi-2.0 orca speech-dispatcher-espeak-ng
    desktop-file-utils appstream dpkg-dev file lintian
)
# `make bench` runs under xvfb-run (which needs xauth) and counts instructions with callgrind;
# it times the start-up under sway too.
bench=(xvfb xauth valgrind sway)
# tools/debian-check.sh: debootstrap (with the archive's keys) to make the Debian systems, and
# a virtual display with the X tools to see the game's start window appear in one.
check=(debootstrap debian-archive-keyring xvfb xdotool x11-utils)

case "${1:-}" in
run) packages=("${run[@]}") ;;
test) packages=("${run[@]}" "${test[@]}") ;;
bench) packages=("${run[@]}" "${bench[@]}") ;;
check) packages=("${check[@]}") ;;
*)
    echo "usage: $0 run|test|bench|check" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

# Qt's SVG image plugin is in libqt6svg6 up to Debian 12 and in qt6-svg-plugins from Debian 13,
# which libqt6svg6 only recommends. Its package is the one apt's lists name; when they name
# neither (lists never fetched), it is decided after apt-get update.
svg_plugin_installed() { dpkg-query -S '*/qt6/plugins/imageformats/libqsvg.so' >/dev/null 2>&1; }
svg_plugin_package() {
    local p
    for p in qt6-svg-plugins libqt6svg6; do
        if apt-cache show --no-all-versions "$p" >/dev/null 2>&1; then
            echo "$p"
            return 0
        fi
    done
    return 1
}
add_svg_plugin() {
    local p
    p=$(svg_plugin_package) || return 0
    case " ${missing[*]} " in *" $p "*) return 0 ;; esac
    missing+=("$p")
}
svg_plugin_unknown=
if [ "${1}" != check ] && ! svg_plugin_installed; then
    if svg_plugin_package >/dev/null; then
        add_svg_plugin
    else
        svg_plugin_unknown=1
    fi
fi
[ ${#missing[@]} -eq 0 ] && [ -z "$svg_plugin_unknown" ] && exit 0

svg_plugin_shell=
[ -n "$svg_plugin_unknown" ] &&
    svg_plugin_shell=' $(apt-cache show --no-all-versions qt6-svg-plugins >/dev/null 2>&1 && echo qt6-svg-plugins)'
install="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}$svg_plugin_shell"
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
    [ -z "$svg_plugin_unknown" ] || add_svg_plugin
    apt-get install -y -q --no-install-recommends "${missing[@]}"
elif command -v sudo >/dev/null 2>&1; then
    echo "Installing missing packages with sudo: ${missing[*]}"
    # sudo fails for a user it does not know; the message below says what to do instead.
    sudo apt-get update -q && { [ -z "$svg_plugin_unknown" ] || add_svg_plugin; } &&
        sudo apt-get install -y -q --no-install-recommends "${missing[@]}" ||
        as_root_instead
else
    as_root_instead
fi
