#!/usr/bin/env bash
# check_install.sh: `cmake --install` lays out the program, launcher, icons, metainfo, manual pages and Debian's documents where they belong, and nothing else.
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

# Exactly these files: the one program where Debian puts games, a launcher and its metainfo
# named by the id, the icon in the hicolor theme at every size a desktop asks for, the manual
# page in English and Italian, the changelog, the copyright and lintian's overrides.
expected=(
    games/cifrotto
    share/man/man6/cifrotto.6.gz
    share/man/it/man6/cifrotto.6.gz
    share/doc/cifrotto/changelog.gz
    share/doc/cifrotto/copyright
    share/lintian/overrides/cifrotto
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

program=games/cifrotto
[ -x $program ] || fail "$program is not executable"

# The launcher is valid (hints count: a launcher without a main category only shows up in a
# catch-all menu), starts the installed program by its full path and shows the installed icon;
# its one action starts it with the marks.
launcher="share/applications/$id.desktop"
if [ -f "$launcher" ]; then
    validation=$(desktop-file-validate "$launcher" 2>&1) || true
    [ -z "$validation" ] || fail "desktop-file-validate: $validation"
    # A key of the main group, or of the group named by $2.
    key() { sed -n "/^\[${2:-Desktop Entry}\]/,/^\[/s/^$1=//p" "$launcher"; }
    [ "$(key Exec)" = "$root/usr/$program" ] ||
        fail "launcher Exec '$(key Exec)' is not the installed $root/usr/$program"
    [ "$(key Icon)" = "$id" ] || fail "launcher Icon '$(key Icon)' is not '$id'"
    [ "$(key Actions)" = "segni;" ] || fail "launcher Actions '$(key Actions)' is not 'segni;'"
    [ "$(key Exec 'Desktop Action segni')" = "$root/usr/$program --segni" ] ||
        fail "the action's Exec '$(key Exec 'Desktop Action segni')' does not pass --segni"
    [ "$(key Name 'Desktop Action segni')" = "Gioca con i segni" ] ||
        fail "the action is not named 'Gioca con i segni'"
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

# The changelog's newest entry is this version, in a form dpkg reads.
if [ -f share/doc/cifrotto/changelog.gz ]; then
    gzip -dc share/doc/cifrotto/changelog.gz >"$root/changelog"
    newest=$(dpkg-parsechangelog -l "$root/changelog" -S Version 2>&1) || true
    [ "$newest" = "$version" ] || fail "newest changelog entry '$newest' is not '$version'"
fi

# Both manual pages tell of every option that --help lists.
if [ -x $program ]; then
    options=$(QT_QPA_PLATFORM=none $program --help | grep -Eo -- '--[a-z][a-z-]*' | sort -u)
    [ -n "$options" ] || fail "$program --help lists no options"
    for page in share/man/man6/cifrotto.6.gz share/man/it/man6/cifrotto.6.gz; do
        [ -f "$page" ] || continue
        text=$(gzip -dc "$page" | sed 's/\\-/-/g')
        for option in $options; do
            grep -qF -- "$option" <<<"$text" || fail "$page does not mention $option"
        done
    done
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install tree OK"
