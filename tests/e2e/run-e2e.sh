#!/usr/bin/env bash
# End-to-end run of the installed program: builds the Debian package from build/, installs
# it with apt-get, starts the program through its menu entry's command with --maildatei on
# a virtual display as an ordinary user, and plays a whole match by keyboard alone, not
# one mouse event: the header, the home team picked in the team search, twelve pass
# numbers (two new members), the name transfer, the doubles, all sets (one refused) with
# three substitutes picked from the sets fields (F4, Alt+Down), a snapshot (Ctrl+S) right
# after the last set typed, the PDF (Ctrl+Shift+P) with its save dialog, the result file
# and the mail window with both attached, the preview (Ctrl+P) printing on a CUPS PDF
# queue of the run's own (Ctrl+P there too), and the end (Ctrl+Q) with its last snapshot.
# Then it reads both PDFs, the result file, the member rows and the snapshots.
# Run as root after scripts/build.sh. Screenshots and logs go to build/e2e/.
#
#   E2E_KEEP_PACKAGE=1   leave the package installed afterwards
set -euo pipefail
source "$(dirname "$0")/e2e-lib.sh"
source "$(dirname "$0")/e2e-cups.sh"
export LC_ALL=C.UTF-8

# The caption carries the project's version, as the top CMakeLists.txt declares it.
VERSION=$(sed -nE 's/^project\(KLW VERSION ([0-9.]+).*/\1/p' "$E2E_REPO/CMakeLists.txt")
[ -n "$VERSION" ] || { echo "e2e: no project version in $E2E_REPO/CMakeLists.txt" >&2; exit 1; }
readonly VERSION CAPTION="Spielberichtsbogen des MEKO e. V. - Version: $VERSION"
readonly MAIN_WINDOW="^Spielberichtsbogen des MEKO"
readonly QUESTION="^Bestätigung$"
readonly INFORMATION="^Information"

# The match. Home: the first team of the league in the team search; guest: typed.
readonly LIGA=Oberliga SPIELTAG=7 GASTTEAM="Highlander Herten"
readonly HOME_PASS=(10007 10016 10031 10109 90001 10137)
# G3 is a member of the guest team looked up in the database at the start of the run.
GUEST_PASS=(10325 10349 member 10379 90002 10436)
declare -A NEW_NAME=([90001]="Erwin Neu" [90002]="Uwe Zweiter")
declare -A NEW_NICK=([90001]="Neuling" [90002]="")
# Sets of the sixteen singles (home guest), in game order; game 5's guest first types 3.
# The substitutes of games 3, 7 and 10 win theirs.
readonly SETS=("2 0" "2 1" "2 1" "2 0" "1 2" "2 1" "1 2" "0 2" "2 1" "0 2" "1 2" "2 0" "0 2" "2 1" "2 0" "1 2")

[ "$(id -u)" -eq 0 ] || { echo "e2e: run as root (apt-get, a user of the run's own, cupsd)" >&2; exit 1; }
for tool in Xvfb xdotool xprop xwininfo import cpack apt-get setpriv sqlite3 useradd pdftotext pdfinfo iconv; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
done
no_mouse_in_scripts "$0" "$(dirname "$0")"/e2e-*.sh
mkdir -p "$E2E_OUT"
rm -f "$E2E_OUT"/*.png "$E2E_OUT"/*.log "$E2E_OUT"/*.pdf
trap cleanup EXIT
started=$(date +%s)

build_package
for library in libqt6widgets6 libqt6printsupport6 libsqlite3-0 fonts-liberation; do
    dpkg-deb -f "$PACKAGE" Depends | grep -q "$library" || die "the package does not depend on $library"
done
writable=$(dpkg-deb -c "$PACKAGE" | awk '$1 ~ /^.{8}w/')
[ -z "$writable" ] || die "the package holds what every user may write: $writable"
install_package
start_display
make_user_home
start_cupsd
shipped=/usr/share/klw/Datenbank/KLW.abs
HEIMTEAM=$(sqlite3 "$shipped" "select TEAM from TEAMS where LIGA = '$LIGA' order by LIGA, TEAM limit 1")
guest_members=$(sqlite3 "$shipped" "select PASSNR from Mitglied where TEAM = '$GASTTEAM' and LIGA = '$LIGA'")
picked=$(grep -vxF -e "${GUEST_PASS[0]}" -e "${GUEST_PASS[1]}" -e "${GUEST_PASS[3]}" -e "${GUEST_PASS[5]}" \
    <<<"$guest_members" | head -1)
[ -n "$picked" ] || die "no further member of $GASTTEAM in $shipped"
GUEST_PASS[2]=$picked

# --- the start through the launcher, which passes --maildatei on: the user's program
#     folder is made, with the program and a fresh database
start_program --maildatei
main=$(wait_for_window "$MAIN_WINDOW")
expect_equal "caption" "$(window_title "$main")" "$CAPTION"
expect_equal "window class (the menu entry's StartupWMClass)" "$(window_class "$main")" '"klw", "KLW"'
folder=$(user_folder)
database=$folder/Datenbank/KLW.abs
expect_equal "the running program" "$(readlink "/proc/$PROGRAM_PID/exe")" "$folder/klw"
expect_equal "the program's arguments" "$(tr '\0' ' ' <"/proc/$PROGRAM_PID/cmdline")" "$folder/klw --maildatei "
[ -f "$database" ] || die "no database $database"
[ -d "$folder/MEKO" ] || die "no folder $folder/MEKO"
expect_equal "owner of the user's database" "$(stat -c %u "$database")" "$E2E_UID"
find "/proc/$PROGRAM_PID/fd" -lname "$database" | grep -q . || die "the program has not opened $database"
sql() { sqlite3 "$database" "$1"; }

# --- the header: the cursor starts in the match day, Tab lands in the league; leaving the
#     league looks it up; the "?" beside the home team opens the team search
focus_window "$main"
type_text "$SPIELTAG"
press Tab
type_text "$LIGA"
press Tab
expect_equal "application title of the task-bar entry" \
    "$(sleep 1.2; xprop -id "$main" -notype _NET_WM_ICON_NAME | sed -n 's/^_NET_WM_ICON_NAME = "\(.*\)"$/\1/p')" "KLW_$LIGA"
press Tab space
teams=$(wait_for_window "^Teamauswahl")
press Return
wait_until_gone "$teams"
focus_window "$main"
type_text "$GASTTEAM"  # the team search has sent the cursor to the guest team
press Tab Tab          # past the guest's "?" to H1's pass number
screenshot header

# --- twelve pass numbers: Tab goes on to the nickname and the next row; a new one sends
#     the user to the name
enter_player() { # pass number
    type_text "$1"
    if [ -n "${NEW_NAME[$1]+new}" ]; then
        press Return  # a new member: the program sends the focus to the name
        type_text "${NEW_NAME[$1]}"
        press Tab
        [ -n "${NEW_NICK[$1]}" ] && type_text "${NEW_NICK[$1]}"
        press Tab
    else
        press Tab Tab
    fi
}
for pass in "${HOME_PASS[@]}" "${GUEST_PASS[@]}"; do enter_player "$pass"; done
screenshot players

# --- the transfer button comes after the last row; it puts the cursor into game 1, and
#     the doubles lie before that
press space
press shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
type_text "Kuddel/Tiger"; press Tab; type_text "Eisen/Fuchs"; press Tab; type_text 2; press Tab; type_text 1; press Tab
type_text "Rakete/Bomber"; press Tab; type_text "Zwo/Flitzer"; press Tab; type_text 0; press Return; type_text 2; press Tab

# --- all sets, with Tab and Enter; one value is refused. Substitutes are picked from the
#     sets fields: F4 or Alt+Down opens the player's list, the arrows and Enter pick.
pick_substitute() { # opening key, steps down in the list
    press "$1"
    local i
    for ((i = 0; i < $2; i++)); do press Down; done
    press Return
}
for game in $(seq 16); do
    read -r home guest <<<"${SETS[$((game - 1))]}"
    [ "$game" -eq 3 ] && pick_substitute F4 1        # H3 -> H5
    type_text "$home"
    press Tab
    [ "$game" -eq 7 ] && pick_substitute F4 2        # G1 -> G6
    [ "$game" -eq 10 ] && pick_substitute alt+Down 1 # G2 -> G5
    if [ "$game" -eq 5 ]; then
        type_text 3
        press Tab
        refused=$(wait_for_window "$INFORMATION")
        press Return
        wait_until_gone "$refused"
        focus_window "$main"  # the program has put the focus back into the guest's sets
        press ctrl+a
    fi
    type_text "$guest"
    [ "$game" -eq 16 ] && break  # the last set is left by the snapshot's shortcut
    if [ $((game % 2)) -eq 0 ]; then press Return; else press Tab; fi
done
screenshot sets

# --- a snapshot by Ctrl+S, straight from the last set typed: the field is left first
press ctrl+s
for _ in $(seq 25); do [ "$(sql 'select count(*) from SICHERUNG')" -ge 1 ] && break; sleep 0.2; done
expect_equal "snapshots after Ctrl+S" "$(sql 'select count(*) from SICHERUNG')" 1
expect_equal "home team of the snapshot" "$(sql 'select distinct HTEAMX from SICHERUNG')" "$HEIMTEAM"
expect_equal "last sets of the snapshot" "$(sql 'select R4H4SI || ":" || R4G4SI from SICHERUNG')" "1:2"
for pass in "${!NEW_NAME[@]}"; do
    team=$HEIMTEAM; [ "$pass" = 90002 ] && team=$GASTTEAM
    expect_equal "member row $pass" "$(sql "select NAME || '|' || NICKNAMEX || '|' || TEAM || '|' || LIGA from Mitglied where PASSNR = '$pass'")" \
        "${NEW_NAME[$pass]}|${NEW_NICK[$pass]}|$team|$LIGA"
done

# The report as a user reads it: one A4 page with the sheet's texts.
check_report() { # PDF file, name of the copy in $E2E_OUT
    cp "$1" "$E2E_OUT/$2.pdf"
    expect_equal "pages of $2.pdf" "$(pdfinfo "$E2E_OUT/$2.pdf" | sed -n 's/^Pages: *//p')" 1
    pdfinfo "$E2E_OUT/$2.pdf" | grep -q "^Page size: .*(A4)$" || die "$2.pdf is not A4: $(pdfinfo "$E2E_OUT/$2.pdf")"
    local text place
    text=$(pdftotext -layout "$E2E_OUT/$2.pdf" - | tr -d ' \n')
    # The substitutes print as picked from the sets fields; the place is the one the team
    # search filled in, as the snapshot holds it.
    place=$(sql 'select ORTX from SICHERUNG order by LFDNRI desc limit 1')
    [ -n "$place" ] || die "the snapshot holds no place"
    for expected in "$HEIMTEAM" "$GASTTEAM" "$LIGA" "${NEW_NAME[90001]}" "${NEW_NAME[90002]}" "H5:90001" "G5:90002" \
        "G3:$picked" "Kuddel/Tiger" "Zwo/Flitzer" "Neuling" "H5:G3" "H4:G6" "H4:G5" "$place"; do
        grep -qF -- "$(tr -d ' ' <<<"$expected")" <<<"$text" || die "\"$expected\" is not in $2.pdf: $text"
    done
    pdftoppm -r 60 -png -singlefile "$E2E_OUT/$2.pdf" "$E2E_OUT/$2"
}

# Answers the question that is shown now, Ja or Nein; with "alone", makes sure that no
# second one stands behind it.
answer_question() { # alt+j | alt+n, [alone]
    local question
    question=$(wait_for_window "$QUESTION")
    press "$1"
    wait_until_gone "$question"
    [ "${2:-}" = alone ] || return 0
    sleep 1
    for id in $(xdotool search --all --pid "$PROGRAM_PID" --name "$QUESTION" 2>/dev/null); do
        [ "$id" = "$question" ] && continue
        xwininfo -id "$id" | grep -q "Map State: IsViewable" &&
            die "a second question (window $id): $(xwininfo -id "$id" | head -12; xprop -id "$id" WM_NAME WM_TRANSIENT_FOR _NET_WM_WINDOW_TYPE)"
    done
    return 0
}

# --- the PDF by Ctrl+Shift+P: the save dialog proposes ~/PDF/<league>_<match day>_<home
#     team>.pdf, Enter saves it there; then the result file, and the mail window with the
#     PDF and the result file attached
title="${LIGA}_${SPIELTAG}_${HEIMTEAM}"
result_file="$folder/MEKO/${LIGA}_SPT${SPIELTAG}_${HEIMTEAM// /}.txt"
press ctrl+shift+p
answer_question alt+j alone  # the remark, the only question for a finished sheet of 48 points
save=$(wait_for_window "^Speichern unter$")
screenshot save-dialog
press Return
wait_until_gone "$save"
pdf="$USER_HOME/PDF/$title.pdf"
[ -f "$pdf" ] || die "no $pdf: $(ls -la "$USER_HOME/PDF" 2>&1)"
expect_equal "owner of the PDF" "$(stat -c %u "$pdf")" "$E2E_UID"
step "saved $pdf"
answer_question alt+j alone  # "Ergebniss als Mail verschicken?"
mail=$(wait_for_window "^Mailversand$")
[ -f "$result_file" ] || die "no result file $result_file: $(ls -la "$folder/MEKO" 2>&1)"
expect_equal "owner of the result file" "$(stat -c %u "$result_file")" "$E2E_UID"
expect_equal "start of the result file" "$(iconv -f WINDOWS-1252 -t UTF-8 "$result_file" | cut -f1-5 | head -1)" \
    "$(printf '%s\t%s\t%s\t%s\t%s' "$SPIELTAG" "$LIGA" "$HEIMTEAM" "$GASTTEAM" "${HOME_PASS[0]}")"
step "wrote $result_file"
sleep 0.5
screenshot mail
press shift+Tab space  # from the first field back to "ende"
wait_until_gone "$mail"
check_report "$pdf" report

# --- the preview by Ctrl+P, after the remark and the mail offer (Nein); Ctrl+P in the
#     preview prints on the CUPS PDF queue, and the job carries the same title
before=$(cups_jobs | wc -l)
focus_window "$main"
press ctrl+p
answer_question alt+j        # the remark; the mail offer follows
answer_question alt+n alone  # "Ergebniss als Mail verschicken?"
preview=$(wait_for_window "^Druckvorschau$")
sleep 1
screenshot preview
expect_equal "size of the preview" "$(xwininfo -id "$preview" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')" \
    "1280x1024"
focus_window "$preview"
press ctrl+p
dialog=$(wait_for_window "^Print$")
press Return
wait_until_gone "$dialog"
for _ in $(seq 50); do [ "$(cups_jobs | wc -l)" -gt "$before" ] && break; sleep 0.2; done
[ "$(cups_jobs | wc -l)" -gt "$before" ] || die "no print job on the PDF queue"
job=$(cups_jobs | tail -1 | sed -n 's/^PDF-\([0-9]*\) .*/\1/p')
printed=
for _ in $(seq 150); do
    printed=$(find "$USER_HOME/PDF" -name "$(tr ' ' '_' <<<"$title")*-job_${job}.pdf" 2>/dev/null | head -1)
    [ -n "$printed" ] && break
    sleep 0.2
done
[ -n "$printed" ] || die "cups-pdf wrote no ${title}*-job_${job}.pdf into $USER_HOME/PDF: $(ls "$USER_HOME/PDF" 2>&1; tail -5 "$CUPS_DIR/log/error_log")"
sleep 0.5
step "printed $printed"
check_report "$printed" printed

# --- the end by Ctrl+Q, with its question and last snapshot
focus_window "$main"
press ctrl+q
answer_question alt+j
wait_for_exit
expect_equal "snapshots after the end" "$(sql 'select count(*) from SICHERUNG')" 2

step "the match was played without a mouse click: $KEYSTROKES keystrokes"
step "passed in $(($(date +%s) - started)) s"
