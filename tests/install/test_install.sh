#!/usr/bin/env bash
# What `cmake --install` puts down, and how the launcher gives each user a program folder
# of their own. The launcher is run against a stand-in program that reports how it was
# started, so that no window is needed.
# Usage: test_install.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
failures=0

check() { # description, command...
    local what=$1
    shift
    if "$@"; then
        echo "ok    $what"
    else
        echo "FAIL  $what"
        failures=$((failures + 1))
    fi
}
same() { [ "$1" = "$2" ] || { echo "      expected: $2"; echo "      got:      $1"; return 1; }; }
missing() { [ ! -e "$1" ]; }

cmake --install "$build" --prefix "$prefix" >/dev/null

# --- the installed tree ------------------------------------------------------------------
while read -r kind path; do
    check "installed: $path" test "$kind" "$prefix/$path"
done <<'TREE'
-x bin/klw
-x libexec/klw/klw
-f share/klw/Datenbank/KLW.abs
-d share/klw/MEKO
-d share/klw/Adressbuch
-f share/applications/klw.desktop
-f share/icons/hicolor/scalable/apps/klw.svg
TREE
check "nothing installed is writable by every user" \
    same "$(find "$prefix" -perm -o+w ! -type l)" ""
shipped_db=$prefix/share/klw/Datenbank/KLW.abs
check "the shipped database is sound" same "$(sqlite3 "$shipped_db" 'pragma integrity_check')" "ok"
check "the shipped database holds no snapshot" same "$(sqlite3 "$shipped_db" 'select count(*) from SICHERUNG')" "0"
check "the shipped database holds the leagues" test "$(sqlite3 "$shipped_db" 'select count(*) from LIGA')" -gt 0

desktop=$prefix/share/applications/klw.desktop
check "the menu entry is valid" desktop-file-validate "$desktop"
check "the menu entry starts the installed launcher" \
    test -x "$prefix/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
check "the menu entry's icon is installed" \
    test -f "$prefix/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$desktop").svg"

# --- the launcher, with a stand-in program -----------------------------------------------
stand_in() { # generation
    printf '#!/bin/sh\necho "program %s from $0 with $*"\n' "$1" >"$prefix/libexec/klw/klw"
    chmod 755 "$prefix/libexec/klw/klw"
}
launch() { # HOME, XDG_DATA_HOME or "-", arguments...
    local home=$1 xdg=$2
    shift 2
    if [ "$xdg" = "-" ]; then
        env -i PATH=/usr/bin:/bin HOME="$home" "$prefix/bin/klw" "$@" </dev/null
    else
        env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$xdg" "$prefix/bin/klw" "$@" </dev/null
    fi
}
stand_in 1

# Where the program folder lies: XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
while read -r name xdg folder; do
    [ "$xdg" = '""' ] && xdg=
    home=$work/$name
    folder=${folder//@HOME@/$home}
    check "$name: first start runs the program from $folder" \
        same "$(launch "$home" "${xdg//@HOME@/$home}" -x 'a b')" "program 1 from $folder/klw with -x a b"
    check "$name: first start gives a fresh database" cmp -s "$folder/Datenbank/KLW.abs" "$shipped_db"
    check "$name: first start gives MEKO/" test -d "$folder/MEKO"
    check "$name: first start gives an empty Adressbuch/" same "$(ls -A "$folder/Adressbuch" 2>&1)" ""
    check "$name: the folder is the user's alone" same "$(stat -c %a "$folder")" "700"
    check "$name: no half-made folder is left" same "$(ls -d "$(dirname "$folder")"/klw.new.* 2>/dev/null)" ""
done <<'PLACES'
default - @HOME@/.local/share/klw
xdg_absolute @HOME@/data @HOME@/data/klw
xdg_relative data @HOME@/.local/share/klw
xdg_empty "" @HOME@/.local/share/klw
PLACES

home=$work/later
folder=$home/.local/share/klw
launch "$home" - >/dev/null
sqlite3 "$folder/Datenbank/KLW.abs" 'pragma user_version = 7'
check "a later start keeps the user's database" \
    same "$(launch "$home" - >/dev/null && sqlite3 "$folder/Datenbank/KLW.abs" 'pragma user_version')" "7"
stand_in 2
check "a start after an update runs the updated program" \
    same "$(launch "$home" -)" "program 2 from $folder/klw with "
check "an update keeps the user's database" same "$(sqlite3 "$folder/Datenbank/KLW.abs" 'pragma user_version')" "7"
rm -r "$folder/MEKO" "$folder/Datenbank/KLW.abs"
printf 'BEGIN:VCARD\r\nFN:Elke\r\nEND:VCARD\r\n' >"$folder/Adressbuch/Kontakte.vcf"
launch "$home" - >/dev/null
check "a missing shipped folder is made again" test -d "$folder/MEKO"
check "the user's address book is kept" grep -q "FN:Elke" "$folder/Adressbuch/Kontakte.vcf"
rm -r "$folder/Adressbuch"
launch "$home" - >/dev/null
check "a missing Adressbuch/ is made again" test -d "$folder/Adressbuch"
check "a missing database is not silently replaced" missing "$folder/Datenbank/KLW.abs"

home=$work/together
launch "$home" - >"$work/first.out" &
launch "$home" - >"$work/second.out" &
wait
check "two first starts at once both start the program" \
    same "$(cat "$work/first.out" "$work/second.out")" "program 2 from $home/.local/share/klw/klw with 
program 2 from $home/.local/share/klw/klw with "
check "two first starts at once leave one sound folder" \
    same "$(cd "$home/.local/share" && ls -A)" "klw"

# Faults are reported and the program is not started.
touch "$work/a-file"
mkdir "$work/taken" && touch "$work/taken/klw"
while read -r name home xdg; do
    [ "$home" = '""' ] && home=
    status=0
    out=$(launch "$home" "$xdg" 2>"$work/err") || status=$?
    check "$name: the launcher fails" test "$status" -ne 0
    check "$name: the program is not started" same "$out" ""
    check "$name: the launcher says why" grep -q "^klw: " "$work/err"
done <<FAULTS
data_home_is_a_file $work/nohome $work/a-file/data
folder_is_a_file $work/nohome2 $work/taken
no_home "" -
FAULTS

chmod 644 "$prefix/libexec/klw/klw"
status=0
launch "$work/broken" - >/dev/null 2>"$work/err" || status=$?
check "a broken installation is reported" test "$status" -ne 0 -a -s "$work/err"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
