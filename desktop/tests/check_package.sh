#!/usr/bin/env bash
# check_package.sh: the .deb that CPack builds installs Cifrotto where the desktop looks and declares what it needs.
# Usage: check_package.sh <cpack> <CPackConfig.cmake> <app-id>
set -euo pipefail
cpack=$1 config=$2 id=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Packages what is built: cpack's "preinstall" step runs as a dry run (make -n), so that a
# test run never rebuilds the tree under the other tests. `make package` builds first.
MAKEFLAGS=n "$cpack" --config "$config" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
shopt -s nullglob
debs=("$work"/out/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
    echo "FAIL: expected one .deb, found ${#debs[@]}"
    cat "$work/cpack.log"
    exit 1
fi
deb=${debs[0]}
echo "built $(basename "$deb")"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = cifrotto ] || fail "Package is '$(field Package)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
[ "$(field Maintainer)" = "Cifrotto <cifrotto@example.org>" ] ||
    fail "Maintainer is '$(field Maintainer)'"

# Linked libraries come from dpkg-shlibdeps; the SVG and platform plugins are loaded at run time.
depends=$(field Depends)
echo "Depends: $depends"
for package in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 qt6-qpa-plugins; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends does not list $package"
done

dpkg -x "$deb" "$work/root"
cd "$work/root"
[ -x usr/bin/cifrotto ] || fail "usr/bin/cifrotto missing or not executable"
for file in "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
    "usr/share/icons/hicolor/scalable/apps/$id.svg"; do
    [ -s "$file" ] || fail "$file missing"
done
for size in 16 22 24 32 48 64 128 256; do
    file="usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -s "$file" ] || fail "$file missing"
done
outside=$(find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "files outside /usr: $outside"
[ ! -e usr/local ] || fail "files under /usr/local"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package OK"
