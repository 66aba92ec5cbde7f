#!/usr/bin/env bash
# End-to-end run of the installed program: builds the Debian package from build/, installs
# it with apt-get, starts the program through its menu entry's command on a virtual display
# as an ordinary user, and plays a whole match with the keyboard and the mouse only: the
# header, twelve pass numbers (two new members, one picked in the player search), the home
# team picked in the team search, the name transfer, substitutes picked and typed, all sets
# (one refused), a snapshot, the end, a new start, the restore, the PDF button with its
# save dialog, and the preview's print button on a CUPS PDF queue of the run's own. Then it
# reads both PDFs, the member rows and the snapshots.
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

# Places on the sheet, in the main window's coordinates (its canvas starts at 0,0).
readonly F_SPIELTAG=(37 78) F_LIGA=(225 78) F_HEIMTEAM=(395 78) BTS_HTEAM=(507 78) F_GASTTEAM=(668 78)
readonly BT_NAMENUEBERNEHMEN=(491 174) L_HDOPPEL1=(145 273)
readonly BT_SICHERUNG=(725 682) BT_PDF=(881 682) BT_DRUCK=(933 682) BT_ENDE=(985 682) IMAGE2=(22 678)
# The print button in the preview's tool bar, the preview covering the whole screen.
readonly PREVIEW_PRINT=(672 18)
readonly DBGRID1_FIRST_ROW=(500 448) BT_LADEN=(454 672)
readonly PLAYER_ROW_Y=(0 130 152 174 195 217 239)
pass_number_field() { # H|G, row 1..6: prints x y
    if [ "$1" = H ]; then echo "70 ${PLAYER_ROW_Y[$2]}"; else echo "600 ${PLAYER_ROW_Y[$2]}"; fi
}
row_button() { # H|G, row
    if [ "$1" = H ]; then echo "23 ${PLAYER_ROW_Y[$2]}"; else echo "553 ${PLAYER_ROW_Y[$2]}"; fi
}
# A game's choice: its edit part and its arrow. Rounds 1 and 3 stand left, 2 and 4 right.
game_top() { # game 1..16
    local tops=(310 334 357 382 310 334 357 382 430 453 477 500 430 453 477 500)
    echo "${tops[$(($1 - 1))]}"
}
game_left() { local round=$(((($1 - 1) / 4) + 1)); [ $((round % 2)) -eq 1 ] && echo 10 || echo 540; }
choice_arrow() { # game, home|guest
    local x; x=$(game_left "$1"); [ "$2" = home ] && x=$((x + 42)) || x=$((x + 94))
    echo "$x $(($(game_top "$1") + 10))"
}
choice_edit() { # game, home|guest
    local x; x=$(game_left "$1"); [ "$2" = home ] && x=$((x + 20)) || x=$((x + 72))
    echo "$x $(($(game_top "$1") + 10))"
}

# The match. Home: the first team of the league in the team search; guest: typed.
readonly LIGA=Oberliga SPIELTAG=7 GASTTEAM="Highlander Herten"
readonly HOME_PASS=(10007 10016 10031 10109 90001 10137)
readonly GUEST_PASS=(10325 10349 search 10379 90002 10436)
declare -A NEW_NAME=([90001]="Erwin Neu" [90002]="Uwe Zweiter")
declare -A NEW_NICK=([90001]="Neuling" [90002]="")
# Sets of the sixteen singles (home guest), in game order; game 5's guest first types 3.
# The substitutes of games 3, 7 and 10 win theirs.
readonly SETS=("2 0" "2 1" "2 1" "2 0" "1 2" "2 1" "1 2" "0 2" "2 1" "0 2" "1 2" "2 0" "0 2" "2 1" "2 0" "1 2")

[ "$(id -u)" -eq 0 ] || { echo "e2e: run as root (apt-get, a user of the run's own, cupsd)" >&2; exit 1; }
for tool in Xvfb xdotool xprop xwininfo import cpack apt-get setpriv sqlite3 useradd pdftotext pdfinfo; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
done
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

# --- first start: the user's program folder is made, with the program and a fresh database
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
sql() { sqlite3 "$database" "$1"; }

# --- the header: match day, Tab lands in the league; leaving the league looks it up
focus_window "$main"
type_into "$main" "${F_SPIELTAG[@]}" "$SPIELTAG"
press Tab
type_text "$LIGA"
press Tab
expect_equal "application title of the task-bar entry" \
    "$(sleep 1.2; xprop -id "$main" -notype _NET_WM_ICON_NAME | sed -n 's/^_NET_WM_ICON_NAME = "\(.*\)"$/\1/p')" "KLW_$LIGA"
click_at "$main" "${BTS_HTEAM[@]}"
teams=$(wait_for_window "^Teamauswahl")
press Return
wait_until_gone "$teams"
focus_window "$main"
type_into "$main" "${F_GASTTEAM[@]}" "$GASTTEAM"
press Tab
screenshot header

# --- twelve pass numbers; a new one sends the user to the name, the search fills one
enter_player() { # H|G, row, pass number
    local at
    if [ "$3" = search ]; then
        at=$(row_button "$1" "$2")
        click_at "$main" $at
        local search
        search=$(wait_for_window "^Spielerauswahl")
        press Return
        wait_until_gone "$search"
        focus_window "$main"
        press Tab
        return
    fi
    at=$(pass_number_field "$1" "$2")
    click_at "$main" $at
    type_text "$3"
    if [ -n "${NEW_NAME[$3]+new}" ]; then
        press Return  # a new member: the program sends the focus to the name
        type_text "${NEW_NAME[$3]}"
        press Tab
        [ -n "${NEW_NICK[$3]}" ] && type_text "${NEW_NICK[$3]}"
        press Tab
    else
        press Tab
    fi
}
for row in 1 2 3 4 5 6; do enter_player H "$row" "${HOME_PASS[$((row - 1))]}"; done
for row in 1 2 3 4 5 6; do enter_player G "$row" "${GUEST_PASS[$((row - 1))]}"; done
screenshot players

# --- the transfer, then substitutes: two picked from the open list, one typed
click_at "$main" "${BT_NAMENUEBERNEHMEN[@]}"
pick_substitute() { # game, home|guest, steps down in the list
    click_at "$main" $(choice_arrow "$1" "$2")
    local i
    for ((i = 0; i < $3; i++)); do press Down; done
    press Return
}
pick_substitute 3 home 1    # H3 -> H5
pick_substitute 7 guest 2   # G1 -> G6
click_at "$main" $(choice_edit 10 guest)
press ctrl+a
type_text G5                # G2 -> G5, typed
press Tab

# --- the doubles and all sets, with Tab and Enter; one value is refused
click_at "$main" "${L_HDOPPEL1[@]}"
type_text "Kuddel/Tiger"; press Tab; type_text "Eisen/Fuchs"; press Tab; type_text 2; press Tab; type_text 1; press Tab
type_text "Rakete/Bomber"; press Tab; type_text "Zwo/Flitzer"; press Tab; type_text 0; press Return; type_text 2; press Tab
for game in $(seq 16); do
    read -r home guest <<<"${SETS[$((game - 1))]}"
    type_text "$home"
    press Tab
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
    if [ $((game % 2)) -eq 0 ]; then press Return; else press Tab; fi
done
screenshot sets

# --- a snapshot by button, then the end with its question and last snapshot
click_at "$main" "${BT_SICHERUNG[@]}"
expect_equal "snapshots after the save button" "$(sql 'select count(*) from SICHERUNG')" 1
click_at "$main" "${BT_ENDE[@]}"
question=$(wait_for_window "$QUESTION")
press alt+j
wait_for_exit
expect_equal "snapshots after the end" "$(sql 'select count(*) from SICHERUNG')" 2
expect_equal "home team of the snapshot" "$(sql 'select distinct HTEAMX from SICHERUNG')" "$HEIMTEAM"
picked=$(sql 'select distinct PNRG3X from SICHERUNG')
grep -qx "$picked" <<<"$guest_members" || die "the player search gave $picked, no member of $GASTTEAM"
for pass in "${!NEW_NAME[@]}"; do
    team=$HEIMTEAM; [ "$pass" = 90002 ] && team=$GASTTEAM
    expect_equal "member row $pass" "$(sql "select NAME || '|' || NICKNAMEX || '|' || TEAM || '|' || LIGA from Mitglied where PASSNR = '$pass'")" \
        "${NEW_NAME[$pass]}|${NEW_NICK[$pass]}|$team|$LIGA"
done

# --- a new start: the header again, the backup panel, the newest snapshot restored
start_program
main=$(wait_for_window "$MAIN_WINDOW")
focus_window "$main"
type_into "$main" "${F_SPIELTAG[@]}" "$SPIELTAG"
press Tab
type_text "$LIGA"
press Tab
type_text "$HEIMTEAM"
type_into "$main" "${F_GASTTEAM[@]}" "$GASTTEAM"
press Tab
click_at "$main" "${IMAGE2[@]}"
click_at "$main" "${DBGRID1_FIRST_ROW[@]}"
screenshot backup-panel
click_at "$main" "${BT_LADEN[@]}"
question=$(wait_for_window "$QUESTION")
press alt+j
wait_until_gone "$question"
focus_window "$main"
screenshot restored

# The report as a user reads it: one A4 page with the sheet's texts.
check_report() { # PDF file, name of the copy in $E2E_OUT
    cp "$1" "$E2E_OUT/$2.pdf"
    expect_equal "pages of $2.pdf" "$(pdfinfo "$E2E_OUT/$2.pdf" | sed -n 's/^Pages: *//p')" 1
    pdfinfo "$E2E_OUT/$2.pdf" | grep -q "^Page size: .*(A4)$" || die "$2.pdf is not A4: $(pdfinfo "$E2E_OUT/$2.pdf")"
    local text place
    text=$(pdftotext -layout "$E2E_OUT/$2.pdf" - | tr -d ' \n')
    # The restored substitutes print as picked, the typed one of game 10 too; the place the
    # team search filled in came back with the snapshot.
    place=$(sql 'select ORTX from SICHERUNG order by LFDNRI desc limit 1')
    [ -n "$place" ] || die "the snapshot holds no place"
    for expected in "$HEIMTEAM" "$GASTTEAM" "$LIGA" "${NEW_NAME[90001]}" "${NEW_NAME[90002]}" "H5:90001" "G5:90002" \
        "G3:$picked" "Kuddel/Tiger" "Zwo/Flitzer" "Neuling" "H5:G3" "H4:G6" "H4:G5" "$place"; do
        grep -qF -- "$(tr -d ' ' <<<"$expected")" <<<"$text" || die "\"$expected\" is not in $2.pdf: $text"
    done
    pdftoppm -r 60 -png -singlefile "$E2E_OUT/$2.pdf" "$E2E_OUT/$2"
}

# Answers the remark question, the only one for a finished sheet of 48 points.
answer_remark_question() {
    local question
    question=$(wait_for_window "$QUESTION")
    press alt+j
    wait_until_gone "$question"
    sleep 1
    for id in $(xdotool search --all --pid "$PROGRAM_PID" --name "$QUESTION" 2>/dev/null); do
        xwininfo -id "$id" | grep -q "Map State: IsViewable" &&
            die "a second question (window $id): $(xwininfo -id "$id" | head -12; xprop -id "$id" WM_NAME WM_TRANSIENT_FOR _NET_WM_WINDOW_TYPE)"
    done
    return 0
}

# --- the PDF button: the save dialog proposes ~/PDF/<league>_<match day>_<home team>.pdf;
#     Enter saves it there
title="${LIGA}_${SPIELTAG}_${HEIMTEAM}"
click_at "$main" "${BT_PDF[@]}"
answer_remark_question
save=$(wait_for_window "^Speichern unter$")
screenshot save-dialog
press Return
wait_until_gone "$save"
pdf="$USER_HOME/PDF/$title.pdf"
[ -f "$pdf" ] || die "no $pdf: $(ls -la "$USER_HOME/PDF" 2>&1)"
expect_equal "owner of the PDF" "$(stat -c %u "$pdf")" "$E2E_UID"
step "saved $pdf"
check_report "$pdf" report

# --- the preview's print button on the CUPS PDF queue: the job carries the same title
before=$(cups_jobs | wc -l)
focus_window "$main"
click_at "$main" "${BT_DRUCK[@]}"
answer_remark_question
preview=$(wait_for_window "^Druckvorschau$")
sleep 1
screenshot preview
expect_equal "size of the preview" "$(xwininfo -id "$preview" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')" \
    "1280x1024"
click_at "$preview" "${PREVIEW_PRINT[@]}"
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

# --- the end, once more with its last snapshot
click_at "$main" "${BT_ENDE[@]}"
question=$(wait_for_window "$QUESTION")
press alt+j
wait_for_exit
expect_equal "snapshots at the last end" "$(sql 'select count(*) from SICHERUNG')" 3

step "passed in $(($(date +%s) - started)) s"
