# Small steps for driving the installed KLW from outside, as a user would: a virtual X
# display, the Debian package, the program started through its menu entry, and key
# events through xdotool. Sourced by run-e2e.sh.
#
# The run plays by keyboard alone: xdotool here refuses every mouse command, and
# no_mouse_in_scripts fails on a mouse command written into the run's scripts.
#
# Every step fails loudly: die() takes a screenshot, prints the program's output and ends
# the run; cleanup() (on EXIT) stops the program and the display that this run started.

E2E_REPO=${E2E_REPO:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
E2E_BUILD=${E2E_BUILD:-$E2E_REPO/build}
E2E_OUT=${E2E_OUT:-$E2E_BUILD/e2e}
# The program runs as an ordinary user of the run's own, with a home that the PDF queue
# writes into, so that it cannot write where only root may.
E2E_USER=${E2E_USER:-klw-e2e}
E2E_UID=
E2E_GID=
USER_MADE=
E2E_TIMEOUT=${E2E_TIMEOUT:-30}

KEYSTROKES=0  # keys pressed and characters typed, as the user would count them

XVFB_PID=
PROGRAM_PID=
USER_HOME=
PACKAGE=
PACKAGE_WAS_INSTALLED=

step() { echo "e2e: [${SECONDS}s] $*"; }

die() {
    echo "e2e: FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ] && [ -n "$XVFB_PID" ]; then
        import -display "$DISPLAY" -window root "$E2E_OUT/failure.png" 2>/dev/null &&
            echo "e2e: screen at the failure: $E2E_OUT/failure.png" >&2
    fi
    if [ -s "$E2E_OUT/program.log" ]; then
        echo "e2e: program output:" >&2
        sed 's/^/    /' "$E2E_OUT/program.log" >&2
    fi
    exit 1
}

expect_equal() { # what, got, expected
    [ "$2" = "$3" ] || die "$1: expected \"$3\", got \"$2\""
}

cleanup() {
    local status=$?
    stop_program
    declare -F stop_cupsd >/dev/null && stop_cupsd
    [ -n "$USER_MADE" ] && userdel "$E2E_USER" >/dev/null 2>&1
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    [ -n "$USER_HOME" ] && rm -rf "$USER_HOME"
    if [ -n "$PACKAGE" ] && [ -z "$PACKAGE_WAS_INSTALLED" ] && [ -z "${E2E_KEEP_PACKAGE:-}" ]; then
        dpkg --purge klw >/dev/null 2>&1 || true
    fi
    return $status
}

# --- display ---------------------------------------------------------------------------

start_display() {
    local number=$E2E_OUT/display
    rm -f "$number"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >"$E2E_OUT/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$number" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || die "Xvfb did not start: $(cat "$E2E_OUT/xvfb.log")"
        sleep 0.1
    done
    [ -s "$number" ] || die "Xvfb gave no display number"
    export DISPLAY=:$(cat "$number")
    step "display $DISPLAY"
}

screenshot() { # name
    import -display "$DISPLAY" -window root "$E2E_OUT/$1.png" || die "no screenshot $1"
    step "screenshot $E2E_OUT/$1.png"
}

# --- package -----------------------------------------------------------------------------

build_package() {
    local out=$E2E_BUILD/deb
    rm -rf "$out"
    cpack --config "$E2E_BUILD/CPackConfig.cmake" -G DEB -B "$out" >"$E2E_OUT/cpack.log" 2>&1 ||
        die "cpack failed: $(tail -20 "$E2E_OUT/cpack.log")"
    local found=("$out"/klw_*.deb)
    [ ${#found[@]} -eq 1 ] && [ -f "${found[0]}" ] || die "cpack made no single klw_*.deb in $out"
    PACKAGE=${found[0]}
    step "package $(basename "$PACKAGE"): Depends: $(dpkg-deb -f "$PACKAGE" Depends)"
}

install_package() {
    dpkg-query -W -f='${Status}' klw 2>/dev/null | grep -q "install ok installed" && PACKAGE_WAS_INSTALLED=yes
    # apt reads the file as its unprivileged user: hand it a copy that user can read.
    local copy
    copy=$E2E_OUT/$(basename "$PACKAGE")
    cp "$PACKAGE" "$copy" && chmod 644 "$copy"
    chmod o+rx "$E2E_OUT"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall "$copy" </dev/null \
        >"$E2E_OUT/apt.log" 2>&1 || die "apt-get install $copy failed: $(tail -20 "$E2E_OUT/apt.log")"
    dpkg-query -W -f='${Status}' klw | grep -q "install ok installed" || die "klw is not installed"
    step "installed $(dpkg-query -W -f='${Package} ${Version}' klw)"
}

# The command of the installed menu entry, without field codes.
menu_command() {
    local entry=/usr/share/applications/klw.desktop
    [ -f "$entry" ] || die "no menu entry $entry"
    sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[fFuUick]//g'
}

# --- the program -------------------------------------------------------------------------

make_user_home() {
    USER_HOME=$(mktemp -d /tmp/klw-e2e-home.XXXXXX)
    chmod 755 "$USER_HOME"
    if ! id "$E2E_USER" >/dev/null 2>&1; then
        useradd --no-create-home --home-dir "$USER_HOME" --shell /usr/sbin/nologin --user-group "$E2E_USER" ||
            die "cannot add the user $E2E_USER"
        USER_MADE=yes
    else
        usermod --home "$USER_HOME" "$E2E_USER" || die "cannot give $E2E_USER the home $USER_HOME"
    fi
    E2E_UID=$(id -u "$E2E_USER")
    E2E_GID=$(id -g "$E2E_USER")
    mkdir -p "$USER_HOME/runtime"
    chmod 700 "$USER_HOME/runtime"
    chown -R "$E2E_UID:$E2E_GID" "$USER_HOME"
}

user_folder() { echo "$USER_HOME/.local/share/klw"; }

# Starts the menu entry's command as the user, as a process of its own, in a clean
# environment, with the arguments given. Every step of it execs the next, so PROGRAM_PID
# ends as the program's.
start_program() { # arguments...
    local command
    command="$(menu_command)${*:+ $*}"
    step "starting \"$command\" as uid $E2E_UID"
    setpriv --reuid="$E2E_UID" --regid="$E2E_GID" --clear-groups \
        env -i HOME="$USER_HOME" PATH=/usr/local/bin:/usr/bin:/bin DISPLAY="$DISPLAY" \
        XDG_RUNTIME_DIR="$USER_HOME/runtime" LANG=C.UTF-8 ${CUPS_DIR:+CUPS_SERVER="$CUPS_DIR/cups.sock"} \
        sh -c "exec $command" </dev/null >>"$E2E_OUT/program.log" 2>&1 &
    PROGRAM_PID=$!
}

program_running() { [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; }

# Waits until the program has ended by itself; fails when it does not, or ends badly.
wait_for_exit() {
    local status=0
    for _ in $(seq $((E2E_TIMEOUT * 10))); do
        program_running || break
        sleep 0.1
    done
    program_running && die "the program did not end"
    wait "$PROGRAM_PID" || status=$?
    PROGRAM_PID=
    expect_equal "the program's exit status" "$status" 0
}

stop_program() {
    if program_running; then
        kill "$PROGRAM_PID" 2>/dev/null || true
        wait "$PROGRAM_PID" 2>/dev/null || true
    fi
    PROGRAM_PID=
}

# --- windows -----------------------------------------------------------------------------

# Prints the id of the program's visible window whose title matches the pattern.
wait_for_window() { # title pattern (regular expression)
    local id
    for _ in $(seq $((E2E_TIMEOUT * 10))); do
        program_running || die "the program ended before its window \"$1\" appeared"
        id=$(xdotool search --all --onlyvisible --pid "$PROGRAM_PID" --name "$1" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    die "no window \"$1\" within $E2E_TIMEOUT s"
}

wait_until_gone() { # window id
    for _ in $(seq $((E2E_TIMEOUT * 10))); do
        xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable" || return 0
        sleep 0.1
    done
    die "window $1 is still shown"
}

window_title() { # window id
    xprop -id "$1" -notype _NET_WM_NAME | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}

window_class() { # window id: prints instance and class, e.g. "klw", "KLW"
    xprop -id "$1" -notype WM_CLASS | sed -n 's/^WM_CLASS = //p'
}

focus_window() { # window id
    xdotool windowfocus --sync "$1" || die "cannot focus window $1"
}

readonly MOUSE_COMMANDS='click|mousedown|mouseup|mousemove|mousemove_relative|getmouselocation|behave|behave_screen_edge'

xdotool() {
    local word
    for word in "$@"; do
        [[ $word =~ ^($MOUSE_COMMANDS)$ ]] && die "xdotool $word: this run uses no mouse"
    done
    command xdotool "$@"
}

no_mouse_in_scripts() { # script files
    local found
    found=$(grep -nE "^[^#]*xdotool .*\b($MOUSE_COMMANDS)\b" "$@" || true)
    [ -z "$found" ] || die "a mouse command in the run's scripts: $found"
}

type_text() { # text
    xdotool type --delay 30 -- "$1" || die "typing \"$1\" failed"
    KEYSTROKES=$((KEYSTROKES + ${#1}))
}

press() { # key names, e.g. Tab Return alt+j
    xdotool key --delay 50 "$@" || die "keys $* failed"
    KEYSTROKES=$((KEYSTROKES + $#))
    sleep 0.2
}
