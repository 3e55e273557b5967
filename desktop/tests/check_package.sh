#!/usr/bin/env bash
# check_package.sh: the .deb that CPack builds installs Cifrotto where Debian and the desktop look, declares what it needs, and passes lintian.
# Usage: check_package.sh <cpack> <CPackConfig.cmake> <app-id> <source-dir>
set -euo pipefail
cpack=$1 config=$2 id=$3 source=$4

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

# Every package the program needs, named as this machine's dpkg names them (Debian 13 renamed
# libqt6core6 to libqt6core6t64 and moved the SVG image plugin to qt6-svg-plugins): the owners
# of the libraries it links and of the Qt plugins it loads, the xcb and wayland platforms (X11,
# and a Wayland session natively) and the SVG image plugin (the pictures at scales other than 1
# and 2).
needs() {
    local package
    package=$({ dpkg-query -S "$1" || dpkg-query -S "$(realpath "$1")"; } 2>/dev/null |
        sed -n '1s/[:,].*//p')
    if [ -n "$package" ]; then
        expected+=("$package")
    else
        fail "dpkg knows no package that holds $1"
    fi
}
expected=()
dpkg -x "$deb" "$work/root"
binary=$work/root/usr/games/cifrotto
linked=$(ldd "$binary")
for library in $(objdump -p "$binary" | awk '$1 == "NEEDED" { print $2 }'); do
    path=$(awk -v name="$library" '$1 == name && $3 ~ /^\// { print $3 }' <<<"$linked")
    if [ -n "$path" ]; then needs "$path"; else fail "$library is not found on this machine"; fi
done
[ ${#expected[@]} -gt 0 ] || fail "the program links no library"
# A UTF-8 locale, or Qt 6.8's qtpaths6 warns that it chose one.
plugins=$(LC_ALL=C.UTF-8 qtpaths6 --query QT_INSTALL_PLUGINS)
for plugin in platforms/libqxcb.so platforms/libqwayland-generic.so imageformats/libqsvg.so; do
    if [ -e "$plugins/$plugin" ]; then needs "$plugins/$plugin"; else fail "$plugins/$plugin is missing"; fi
done
# DejaVu Sans, the face of every caption whose layout names none.
needs /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
depends=$(field Depends)
echo "Depends: $depends"
listed=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for package in $(printf '%s\n' "${expected[@]}" | sort -u); do
    grep -qxF "$package" <<<"$listed" || fail "Depends does not list $package"
done

# Lintian, Debian's package checker, as a maintainer runs it, and its experimental tags too:
# every tag it shows fails, only the overrides the package ships (each with its reason) are let
# through. Lintian 2.122 made the spelling tag experimental; without -E the overridden tag
# below would not be shown there. As root it warns that it should not be; a lintian that
# cannot run at all fails the test too.
if ! command -v lintian >/dev/null; then
    fail "lintian is not installed (tools/install-deps.sh installs it)"
else
    status=0
    lintian -I -E --pedantic --show-overrides --fail-on error,warning \
        "$deb" >"$work/lintian.out" 2>"$work/lintian.err" || status=$?
    sed 's/^/lintian: /' "$work/lintian.out" "$work/lintian.err"
    case $status in
    0) ;;
    2) fail "lintian reports errors or warnings" ;;
    *) fail "lintian could not check the package (exit status $status)" ;;
    esac
    shown=$(grep -Ev '^(O|N): ' "$work/lintian.out" || true)
    [ -z "$shown" ] || fail "lintian shows tags that are not overridden"
    # The override for the Italian word proves that lintian read the program.
    grep -q '^O: cifrotto: spelling-error-in-binary serie' "$work/lintian.out" ||
        fail "lintian did not report the overridden Italian 'serie': did it check the program?"
fi

cd "$work/root"
program=usr/games/cifrotto
[ -x $program ] || fail "$program missing or not executable"
[ ! -e usr/bin ] || fail "usr/bin exists: Debian puts games in /usr/games"
grep -qF -- "$source" $program && fail "$program holds the build path $source"
# The first Exec is the main entry's; the action's adds --segni.
[ "$(sed -n 's/^Exec=//p' "usr/share/applications/$id.desktop")" = "/$program
/$program --segni" ] || fail "the launcher and its action do not start /$program"
for file in "usr/share/metainfo/$id.metainfo.xml" "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    usr/share/man/man6/cifrotto.6.gz usr/share/man/it/man6/cifrotto.6.gz \
    usr/share/doc/cifrotto/changelog.gz usr/share/lintian/overrides/cifrotto; do
    [ -s "$file" ] || fail "$file missing"
done
head -n 1 usr/share/doc/cifrotto/copyright |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright is not in Debian's machine-readable format"
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
