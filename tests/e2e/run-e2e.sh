#!/usr/bin/env bash
# End-to-end run of the installed program: builds the Debian package from build/, installs
# it with apt-get, starts the program through its menu entry's command on a virtual display
# as an ordinary user, and works it with the keyboard and the mouse.
# Run as root after scripts/build.sh. Screenshots and logs go to build/e2e/.
#
#   E2E_KEEP_PACKAGE=1   leave the package installed afterwards
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
export LC_ALL=C.UTF-8

readonly CAPTION="Spielberichtsbogen des MEKO e. V. - Version: 1.0.0.0"
readonly MAIN_WINDOW="^Spielberichtsbogen des MEKO"
readonly QUESTION="^Bestätigung"
# Places on the sheet, in the main window's coordinates (its canvas starts at 0,0).
readonly F_SPIELTAG=(30 76)
readonly BT_ENDE=(985 682)

[ "$(id -u)" -eq 0 ] || { echo "e2e: run as root (apt-get, and the program runs as uid $E2E_UID)" >&2; exit 1; }
for tool in Xvfb xdotool xprop xwininfo import cpack apt-get setpriv sqlite3; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
done
mkdir -p "$E2E_OUT"
rm -f "$E2E_OUT"/*.png "$E2E_OUT"/*.log
trap cleanup EXIT
started=$(date +%s)

build_package
for library in libqt6widgets6 libsqlite3-0 fonts-liberation; do
    dpkg-deb -f "$PACKAGE" Depends | grep -q "$library" || die "the package does not depend on $library"
done
writable=$(dpkg-deb -c "$PACKAGE" | awk '$1 ~ /^.{8}w/')
[ -z "$writable" ] || die "the package holds what every user may write: $writable"
install_package
start_display
make_user_home

# First start: the user's program folder is made, with the program and a fresh database.
start_program
main=$(wait_for_window "$MAIN_WINDOW")
expect_equal "caption" "$(window_title "$main")" "$CAPTION"
expect_equal "window class (the menu entry's StartupWMClass)" "$(window_class "$main")" '"klw", "KLW"'
folder=$(user_folder)
database=$folder/Datenbank/KLW.abs
expect_equal "the running program" "$(readlink "/proc/$PROGRAM_PID/exe")" "$folder/klw"
[ -f "$database" ] || die "no database $database"
[ -d "$folder/MEKO" ] || die "no folder $folder/MEKO"
expect_equal "owner of the user's database" "$(stat -c %u "$database")" "$E2E_UID"
find "/proc/$PROGRAM_PID/fd" -lname "$database" | grep -q . || die "the program has not opened $database"
screenshot started

# A match day, then Tab; ending now asks first, since the header is no longer empty.
focus_window "$main"
type_into "$main" "${F_SPIELTAG[@]}" 7
press Tab
screenshot match-day
click_at "$main" "${BT_ENDE[@]}"
question=$(wait_for_window "$QUESTION")
screenshot end-question
press alt+n
wait_until_gone "$question"
program_running || die "the program ended although the user said no"
click_at "$main" "${BT_ENDE[@]}"
question=$(wait_for_window "$QUESTION")
press alt+j
wait_for_exit

# A later start keeps the user's database.
sqlite3 "$database" 'pragma user_version = 42'
start_program
main=$(wait_for_window "$MAIN_WINDOW")
expect_equal "user's database after a restart" "$(sqlite3 "$database" 'pragma user_version')" 42
screenshot restarted
# With an empty header the program ends at once, without a question.
focus_window "$main"
click_at "$main" "${BT_ENDE[@]}"
wait_for_exit

step "passed in $(($(date +%s) - started)) s"
