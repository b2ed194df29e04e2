#!/usr/bin/env bash
# End-to-end run of the real program in an X server of its own.
#
# Usage: run-e2e.sh YORVANE-EXECUTABLE BUILD-FOLDER CLOSE-REQUEST-HELPER
#
# The executable and the data files of the build folder are copied into a fresh program folder;
# the program is started from there three times under the xcb platform of a private Xvfb:
#   1. typed into as a user would (birth year, Shift to the designated year, Up for 昭和, 60),
#      moved, and closed with a window-manager close request: the settings file beside the
#      executable must hold the new values and the position the window had;
#   2. started again: it must open where the first run closed, and a close without edits must
#      leave the file byte for byte as it was (it read back 60 and 昭和);
#   3. edited, moved, left a moment and killed with SIGKILL: the file must hold the edits and
#      the new position, saved within about a second of the last change, and no stray file;
#   4. two instances at once, moved apart, one designating 2001 and the other 2002, closed in the
#      same moment, ten times: the file must always hold one instance's LEFT, TOP and SHITEI;
#   5. moved and ended by SIGTERM, SIGHUP and SIGINT in turn: each ends with status 0 and saves
#      the position, as a close would;
#   6. from a program folder whose name is no UTF-8 (Shift_JIS bytes): it reads that folder's
#      settings, saves there, and writes nothing into the folder it was started from;
#   7. moved and given a designated year, then its X server killed: it ends with status 1 and one
#      Japanese line that names the display, and the file holds what it had a second to save.
# Before these, a display with no server and a Wayland display that does not exist must each end
# the program with status 1 and one line that names them.
# Everything started here is stopped and the temporary folder removed, whatever happens.
set -euo pipefail

if (($# != 3)); then
    echo "usage: $0 YORVANE-EXECUTABLE BUILD-FOLDER CLOSE-REQUEST-HELPER" >&2
    exit 2
fi
exe=$1
build=$2
close_request=$3

tag=e2e
source "$(dirname "$0")/../x11-session.sh"

for tool in Xvfb xdotool timeout cmp od; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps"
done
[[ -x $exe ]] || fail "no executable at $exe"
[[ -x $close_request ]] || fail "no close-request helper at $close_request"

begin_session e2e

# --- the program folder: the executable and its data files, nothing of the build machinery ----
prog=$work/program
mkdir -p "$prog" "$work/runtime"
chmod 700 "$work/runtime"
cp "$exe" "$prog/yorvane"
for f in "$build"/*; do
    [[ -f $f ]] || continue
    case ${f,,} in
    *.jpg | *.jpeg | *.gif | *.png | *.bmp | *.htm | *.html | *.ini) cp "$f" "$prog/" ;;
    esac
done
ini=$prog/yorvane.ini
[[ -f $ini ]] || fail "the build folder $build holds no yorvane.ini"
[[ -f $prog/help.htm ]] || fail "the build folder $build holds no help.htm"
log "program folder $prog: $(cd "$prog" && ls | tr '\n' ' ')"

# --- the X server ------------------------------------------------------------------------------
start_xvfb
log "Xvfb on $DISPLAY (no window manager)"

# --- displays that cannot be reached ------------------------------------------------------------
# Either way Qt gives up; the program says so in one line of its own, with status 1.
unreachable() { # NAME ENV-ARGUMENTS...
    local name=$1 status=0 output
    shift
    output=$(cd "$work" && env "$@" "$prog/yorvane" 2>&1) || status=$?
    ((status == 1)) || fail "display $name: status $status, not 1: $output"
    [[ $(printf '%s\n' "$output" | wc -l) == 1 && $output == *"$name"* ]] ||
        fail "display $name: not one line that names it: $output"
    LC_ALL=C grep -q -P '[\x80-\xff]' <<<"$output" || fail "display $name: not said in Japanese: $output"
}
for n in $(seq 90 300); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || break
done
unreachable ":$n" -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$n"
unreachable "yorvane-none-$$" -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="yorvane-none-$$"
ok "no server on :$n, no Wayland display yorvane-none-$$: status 1 and one line naming each"

# --- helpers -----------------------------------------------------------------------------------
run=0
start_program() {
    run=$((run + 1))
    # Started from another folder: the program must find its settings beside the executable.
    (cd "$work" && exec env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" \
        "$prog/yorvane") >"$work/run$run.log" 2>&1 &
    app_pid=$!
    find_window
}

hex() { od -An -tx1 | tr -d ' \n'; }
# The file without the four lines the program writes.
other_lines() { LC_ALL=C grep -a -v -i -E '^(LEFT|TOP|SHITEI|GENGO)=' "$1" || true; }

# --- run 1: type, move, close ------------------------------------------------------------------
cp "$ini" "$work/ini.before"
start_program
xdotool windowfocus --sync "$window"
xdotool type --delay 30 55   # the birth year, into textNen, which has the focus at start-up
xdotool key --delay 30 shift # to textShitei, choosing "Option2"
xdotool key --delay 30 Up    # era 昭和, the box emptied
xdotool type --delay 30 60
xdotool windowmove --sync "$window" 123 87
geometry
log "run 1: typed 55, Shift, Up, 60; window moved to $pos_x,$pos_y"
[[ $pos_x == 123 && $pos_y == 87 ]] || fail "run 1: the window is at $pos_x,$pos_y, not 123,87"
first_x=$pos_x
first_y=$pos_y
close_and_wait
ok "run 1 ended on the close request with status 0"

shitei=$(ini_value SET SHITEI)
[[ $shitei == 60 ]] || fail "SHITEI is '$shitei', not 60"
ok "SHITEI=60"
gengo=$(printf '%s' "$(ini_value SET GENGO)" | hex)
[[ $gengo == 8fba9861 ]] || fail "GENGO bytes are $gengo, not 8fba9861 (昭和 in Shift_JIS)"
ok "GENGO=昭和 (Shift_JIS 8f ba 98 61)"
left=$(ini_value LOCATION LEFT)
top=$(ini_value LOCATION TOP)
[[ $left == $((first_x * 15)) && $top == $((first_y * 15)) ]] ||
    fail "LEFT/TOP are $left/$top, not $((first_x * 15))/$((first_y * 15)) twips"
ok "LEFT=$left TOP=$top: the position $first_x,$first_y in twips"
cmp -s <(other_lines "$work/ini.before") <(other_lines "$ini") ||
    fail "lines other than the four settings changed"
ok "every other line of the settings file kept byte for byte"
cp "$ini" "$work/ini.after1"

# --- run 2: opens where run 1 closed, reads 60 and 昭和 back -----------------------------------
start_program
geometry
[[ $pos_x == "$first_x" && $pos_y == "$first_y" ]] ||
    fail "run 2 opened at $pos_x,$pos_y, not where run 1 closed ($first_x,$first_y)"
ok "run 2 opened at $pos_x,$pos_y, where run 1 closed"
close_and_wait
cmp -s "$work/ini.after1" "$ini" || fail "run 2 changed the settings file without any edit"
ok "run 2 closed without edits: the file is byte for byte the same (60 and 昭和 were read back)"

# --- run 3: edits, moves, rests, SIGKILL ---------------------------------------------------------
listing() { (cd "$prog" && ls -A); }
before_listing=$(listing)
start_program
xdotool windowfocus --sync "$window"
xdotool type --delay 30 12
xdotool key --delay 30 shift
xdotool key --delay 30 Right
xdotool type --delay 30 3
xdotool windowmove --sync "$window" 400 300
# Saved about a second after the last change, with no close to come.
for _ in $(seq 50); do
    [[ $(ini_value LOCATION LEFT) == 6000 ]] && break
    sleep 0.1
done
kill -KILL "$app_pid"
status=0
wait "$app_pid" 2>/dev/null || status=$?
app_pid=
((status == 128 + 9)) || fail "run 3 ended with status $status, not by SIGKILL"
[[ $(ini_value LOCATION LEFT)/$(ini_value LOCATION TOP) == 6000/4500 ]] ||
    fail "run 3: the position was not saved before the kill"
[[ $(ini_value SET SHITEI) != 60 ]] || fail "run 3: the designated year typed was not saved before the kill"
cmp -s <(other_lines "$work/ini.after1") <(other_lines "$ini") ||
    fail "run 3: lines other than the four settings changed"
[[ $(listing) == "$before_listing" ]] || fail "the killed run left files behind: $(listing)"
ok "run 3 killed with SIGKILL a moment after its edits: they were saved already, no stray files"

# --- run 4: two instances closing together ----------------------------------------------------
# Each instance writes its four values in one save, so the last close wins whole.
set_designated() { # WINDOW YEAR X Y
    xdotool windowfocus --sync "$1"
    xdotool key --delay 20 shift Delete
    xdotool type --delay 20 "$2"
    xdotool windowmove --sync "$1" "$3" "$4"
}
for round in $(seq 10); do
    start_program
    first_window=$window
    first_pid=$app_pid
    start_program
    other_pid=$first_pid
    set_designated "$first_window" 2001 100 50
    set_designated "$window" 2002 500 400
    sleep 0.2
    "$close_request" "$first_window" &
    first_request=$!
    "$close_request" "$window" || fail "round $round: the close request could not be sent"
    wait "$first_request" || fail "round $round: the close request could not be sent"
    for pid in "$first_pid" "$app_pid"; do
        for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        status=0
        wait "$pid" || status=$?
        output=$work/run$((pid == first_pid ? run - 1 : run)).log
        ended_well "$status" "$output" || fail "round $round: an instance ended with status $status"
    done
    other_pid= app_pid=
    set=$(ini_value LOCATION LEFT)/$(ini_value LOCATION TOP)/$(ini_value SET SHITEI)
    case $set in
    1500/750/2001 | 7500/6000/2002) ;;
    *) fail "round $round: the file mixes the two instances' settings: LEFT/TOP/SHITEI $set" ;;
    esac
done
ok "run 4: two instances closed together ten times, the file held one instance's set each time"

# --- run 5: the signals a session ends the program with ----------------------------------------
x=40
for sig in TERM HUP INT; do
    start_program
    x=$((x + 20))
    xdotool windowmove --sync "$window" "$x" 70
    sleep 0.2
    kill -"$sig" "$app_pid"
    status=0
    for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    wait "$app_pid" || status=$?
    app_pid=
    ended_well "$status" "$work/run$run.log" || fail "run 5: SIG$sig ended the program with status $status"
    [[ $(ini_value LOCATION LEFT) == $((x * 15)) ]] ||
        fail "run 5: SIG$sig did not save the position: LEFT=$(ini_value LOCATION LEFT)"
done
ok "run 5: SIGTERM, SIGHUP and SIGINT each saved the moved position and ended with status 0"

# --- run 6: a program folder named in Shift_JIS -------------------------------------------------
sjis_prog=$work/$'\x93\xfa\x95\x74'   # 日付 in Shift_JIS: no UTF-8
cp -a "$prog" "$sjis_prog"
prog=$sjis_prog
ini=$prog/yorvane.ini
printf '[LOCATION]\r\nLEFT=1800\r\nTOP=1200\r\n[SET]\r\nSHITEI=7\r\nGENGO=\x95\xbd\x90\xac\r\n' >"$ini"
start_program
geometry
[[ $pos_x == 120 && $pos_y == 80 ]] || fail "run 6: opened at $pos_x,$pos_y, not at 120,80 from its own file"
xdotool windowmove --sync "$window" 210 95
close_and_wait
[[ $(ini_value LOCATION LEFT) == 3150 && $(ini_value SET SHITEI) == 7 ]] ||
    fail "run 6: the folder's own file was not saved: LEFT=$(ini_value LOCATION LEFT)"
[[ ! -e $work/yorvane.ini ]] || fail "run 6: a yorvane.ini appeared in the folder it was started from"
ok "run 6: a program folder named in Shift_JIS read and saved its own settings, nothing elsewhere"

# --- run 7: the X server goes away --------------------------------------------------------------
start_program
set_designated "$window" 1999 150 110
sleep 2 # a change is saved once it has rested for about a second
kill -KILL "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=
status=0
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
wait "$app_pid" || status=$?
app_pid=
said=$(cat "$work/run$run.log")
((status == 1)) || fail "run 7: status $status, not 1, when the display went away: $said"
[[ $(wc -l <"$work/run$run.log") == 1 && $said == *"$DISPLAY"* ]] ||
    fail "run 7: not one line that names $DISPLAY: $said"
LC_ALL=C grep -q -P '[\x80-\xff]' <<<"$said" || fail "run 7: not said in Japanese: $said"
[[ $(ini_value SET SHITEI) == 1999 && $(ini_value LOCATION LEFT) == $((150 * 15)) ]] ||
    fail "run 7: SHITEI=$(ini_value SET SHITEI) LEFT=$(ini_value LOCATION LEFT): the change of 2 s before was lost"
ok "run 7: display killed: status 1, one Japanese line naming $DISPLAY, the designated year and position saved"

log "all checks passed in $((SECONDS - started)) s"
