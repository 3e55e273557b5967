#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Cifrotto need (with
# `bench`, also what `make bench` needs), and only those that are missing, so that a second
# call costs one dpkg query.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
    fonts-comic-neue fonts-dejavu-core
    clang-format
    xvfb xauth
    desktop-file-utils appstream dpkg-dev file
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

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "Missing packages (${missing[*]}) and neither root nor sudo to install them." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
