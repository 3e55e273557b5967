#!/usr/bin/env bash
# check_install.sh: `cmake --install` lays out the program, launcher, icons and metainfo where a desktop finds them, and nothing else.
# Usage: check_install.sh <cmake> <build-dir> <app-id> <project-version>
set -euo pipefail
cmake=$1 build=$2 id=$3 version=$4

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
"$cmake" --install "$build" --prefix "$root/usr" >"$root/install.log" || {
    cat "$root/install.log"
    exit 1
}
cd "$root/usr"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Exactly these files: a launcher and its metainfo named by the id, the icon in the hicolor
# theme at every size a desktop asks for, the licence, and the one program.
expected=(
    bin/cifrotto
    share/doc/cifrotto/copyright
    "share/applications/$id.desktop"
    "share/metainfo/$id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$id.svg"
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
if ! diff -u <(printf '%s\n' "${expected[@]}" | sort) \
    <(find . -type f -o -type l | sed 's|^\./||' | sort) >"$root/tree.diff"; then
    fail "installed files differ from the expected tree (- missing, + unexpected):"
    cat "$root/tree.diff"
fi

[ -x bin/cifrotto ] || fail "bin/cifrotto is not executable"

# The launcher starts the installed program and shows the installed icon.
launcher="share/applications/$id.desktop"
if [ -f "$launcher" ]; then
    key() { sed -n "s/^$1=//p" "$launcher"; }
    exec_program=$(key Exec | awk '{print $1}')
    if [ -z "$exec_program" ] || [ ! -x "bin/$exec_program" ]; then
        fail "launcher Exec '$(key Exec)' is not an installed program"
    fi
    [ "$(key Icon)" = "$id" ] || fail "launcher Icon '$(key Icon)' is not '$id'"
    [ "$(key Terminal)" = false ] || fail "launcher Terminal is '$(key Terminal)', not false"
fi

# The metainfo describes this id, launches this launcher, and knows this version.
metainfo="share/metainfo/$id.metainfo.xml"
if [ -f "$metainfo" ]; then
    meta_id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    [ "$meta_id" = "$id" ] || fail "metainfo id '$meta_id' is not '$id'"
    launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
    [ "$launchable" = "$id.desktop" ] || fail "metainfo launchable '$launchable' is not '$id.desktop'"
    newest=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo" | head -n 1)
    [ "$newest" = "$version" ] ||
        fail "newest metainfo release '$newest' is not the project's version '$version'"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install tree OK"
