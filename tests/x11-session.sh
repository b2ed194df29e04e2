# Sourced by the tests that run the real program in an X server of their own (bash).
#
# Before sourcing, set `tag` (the word each line starts with); after it, call
# `begin_session PURPOSE` (a temporary folder in $work, removed at the end, and everything
# started stopped) and `start_xvfb`. The test's own start_program starts the program in the
# background, sets app_pid and calls find_window. ini_value reads the settings file "$ini".

started=$SECONDS
log() { printf '%s: %s\n' "$tag" "$*"; }
fail() {
    printf '%s: FAIL: %s\n' "$tag" "$*" >&2
    exit 1
}
ok() { log "ok   - $*"; }

xvfb_pid=
app_pid=
other_pid=
stop() { # PID: killed and waited for, when it still runs
    if [[ -n $1 ]] && kill -0 "$1" 2>/dev/null; then
        kill -KILL "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}
cleanup() {
    local status=$?
    stop "$app_pid"
    stop "$other_pid"
    if [[ -n $xvfb_pid ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill -TERM "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if ((status != 0)); then
        for f in "$work"/*.log; do
            [[ -s $f ]] && { echo "--- ${f##*/}"; cat "$f"; } >&2
        done
    fi
    rm -rf "$work"
    exit "$status"
}
begin_session() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/yorvane-$1.XXXXXX")
    trap cleanup EXIT
    trap 'exit 130' INT TERM HUP
}

# Xvfb picks a free display itself and reports it, so tests can run side by side.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s $work/display ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start"
        sleep 0.1
    done
    local number
    number=$(tr -dc '0-9' <"$work/display")
    [[ -n $number ]] || fail "Xvfb reported no display"
    export DISPLAY=:$number
    unset WAYLAND_DISPLAY
}

# Sets window to the one visible window of the program $app_pid (of run number $run).
find_window() {
    local found
    # --all: the window must be of this process and of the program's class both.
    found=$(timeout 20 xdotool search --sync --all --onlyvisible --pid "$app_pid" --class yorvane) ||
        fail "run $run: no visible yorvane window appeared"
    # xdotool may list a window more than once.
    window=$(printf '%s\n' "$found" | sort -u)
    [[ $window =~ ^[0-9]+$ ]] || fail "run $run: expected one window, found: $found"
}

geometry() { # sets pos_x, pos_y and height of $window as the X server reports them
    local X= Y= WINDOW= WIDTH= HEIGHT= SCREEN=
    eval "$(xdotool getwindowgeometry --shell "$window")"
    pos_x=$X
    pos_y=$Y
    height=$HEIGHT
}

source "$(dirname "${BASH_SOURCE[0]}")/lsan-tracer.sh"
# Whether a run that ended with STATUS, its output in LOG, ended well: with status 0, or in the
# sanitizer build with a crash of LeakSanitizer's tracer after the program's work was done.
ended_well() { # STATUS LOG
    (($1 == 0)) && return 0
    tracer_crash "$1" "$2" || return 1
    log "note - LeakSanitizer's tracer crashed at the exit of run $run (no leak report): counted as status 0"
}

close_and_wait() {
    "$close_request" "$window" || fail "run $run: the close request could not be sent"
    local status=0
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "run $run: still running 10 s after the close request"
    wait "$app_pid" || status=$?
    app_pid=
    ended_well "$status" "$work/run$run.log" || fail "run $run: the program ended with status $status"
}

# The value of KEY in the first [SECTION] of the settings file "$ini", without the line break.
ini_value() {
    LC_ALL=C awk -v s="$1" -v k="$2" '
        { sub(/\r$/, "") }
        /^\[/ { if (seen) exit; here = (toupper($0) == "[" toupper(s) "]"); seen = here; next }
        here && index($0, "=") && toupper(substr($0, 1, index($0, "=") - 1)) == toupper(k) {
            print substr($0, index($0, "=") + 1); exit
        }' "$ini"
}
