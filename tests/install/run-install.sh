#!/usr/bin/env bash
# The installed program: installed into a temporary DESTDIR, checked as the desktop sees it,
# then run from there in an X server of its own with a home folder of its own.
#
# Usage: run-install.sh BUILD-FOLDER CLOSE-REQUEST-HELPER VERSION DATA-FOLDER
#
#   1. cmake --install BUILD-FOLDER with the prefix /usr into DESTDIR: the program in bin/, every
#      file of DATA-FOLDER in share/yorvane/, nothing else in the prefix (no library of the
#      program's own: it prints by itself); the desktop file, the
#      icons at their sizes, the metadata and the manual page where the desktop looks for them,
#      naming one another and the version; desktop-file-validate and appstreamcli (pedantic)
#      accept them, no list is translated whole, and each screenshot is a picture of docs/.
#      With no display at all, --help and --version print and end with 0, a wrong option ends
#      with 2 and the usage on standard error, and no option ends with 1 and one line.
#   2. run 1 (the delivered first settings file given values that differ from the window's
#      design, so that reading it shows): the installed program opens where that file says,
#      shows the picture of a typed year (read from share/yorvane), and on a close request
#      writes the delivered designated year and the new position into
#      $XDG_CONFIG_HOME/yorvane/yorvane.ini;
#   3. run 2 opens where run 1 closed (the user's file, not the delivered one), takes a new
#      designated year and saves it; run 3 reads it back (a close without edits leaves the
#      user's file byte for byte as it was);
#   4. no file inside the installed tree changed, none was added or removed by the runs.
# Everything started here is stopped and the temporary folder removed, whatever happens.
set -euo pipefail

if (($# != 4)); then
    echo "usage: $0 BUILD-FOLDER CLOSE-REQUEST-HELPER VERSION DATA-FOLDER" >&2
    exit 2
fi
build=$1
close_request=$2
version=$3
data=$4
id=org.example.yorvane

tag=install
source "$(dirname "$0")/../x11-session.sh"

for tool in Xvfb xdotool xprop import convert compare desktop-file-validate appstreamcli gzip \
    sha256sum timeout od; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/install-deps"
done
[[ -x $close_request ]] || fail "no close-request helper at $close_request"

begin_session install

# --- 1. the installation -------------------------------------------------------------------
dest=$work/dest
root=$dest/usr
DESTDIR=$dest cmake --install "$build" --prefix /usr >"$work/cmake-install.log" 2>&1 ||
    fail "cmake --install failed"
share=$root/share

[[ -x $root/bin/yorvane ]] || fail "no executable bin/yorvane"
stray=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name bin ! -name share)
[[ -z $stray ]] || fail "installed beside bin/ and share/: $stray"
[[ $(ls -A "$root/bin") == yorvane ]] || fail "bin/ holds more than the program: $(ls -A "$root/bin")"
for f in "$data"/*; do
    cmp -s "$f" "$share/yorvane/${f##*/}" || fail "share/yorvane/${f##*/} is missing or differs from data/"
done
[[ $(ls -A "$share/yorvane" | wc -l) == $(ls -A "$data" | wc -l) ]] ||
    fail "share/yorvane holds other files than data/: $(ls -A "$share/yorvane")"
ok "bin/yorvane alone, and every file of data/ in share/yorvane, the first settings file included"

desktop=$share/applications/$id.desktop
[[ -f $desktop ]] || fail "no desktop file $id.desktop"
desktop-file-validate "$desktop" >"$work/desktop-file-validate.log" 2>&1 ||
    fail "desktop-file-validate rejects $id.desktop"
key() { sed -n "s/^$1=//p" "$desktop"; }
[[ -x $root/bin/$(key Exec) ]] || fail "Exec=$(key Exec) is no installed program"
[[ $(key Icon) == "$id" ]] || fail "Icon=$(key Icon), not $id"
# A PNG's width and height are the two big-endian words after its signature and IHDR header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*2^24+$2*2^16+$3*2^8+$4 "x" $5*2^24+$6*2^16+$7*2^8+$8 }'; }
for size in 16 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/$id.png
    [[ -f $icon ]] || fail "no icon ${size}x$size"
    [[ $(png_size "$icon") == "${size}x$size" ]] || fail "the ${size}x$size icon is $(png_size "$icon")"
done
ok "$id.desktop is valid, runs bin/$(key Exec), and its icon is there at 7 sizes"

metainfo=$share/metainfo/$id.metainfo.xml
[[ -f $metainfo ]] || fail "no metadata $id.metainfo.xml"
appstreamcli validate --pedantic --no-net "$metainfo" >"$work/appstreamcli.log" 2>&1 ||
    fail "appstreamcli rejects $id.metainfo.xml"
# A translated list would show its items in every language: only items and paragraphs are.
! grep -Eq '<(ul|ol|description)[^>]*xml:lang' "$metainfo" ||
    fail "the metadata translates a whole list or description"
# Each screenshot is a picture of the repository's docs/, published under the web page.
homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$metainfo")
shots=$(sed -n 's|.*<image>\(.*\)</image>.*|\1|p' "$metainfo")
[[ -n $shots ]] || fail "the metadata has no screenshot"
for image in $shots; do
    [[ $image == "$homepage"docs/* && -f $data/../${image#"$homepage"} ]] ||
        fail "the screenshot $image is no picture in the repository's docs/"
done
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
grep -Eq "<release version=\"$version\" date=\"[0-9]{4}-[0-9]{2}-[0-9]{2}\"" "$metainfo" ||
    fail "the metadata has no release entry for $version"
manual=$share/man/man1/yorvane.1.gz
gzip -dc "$manual" 2>/dev/null | grep -q "^\.TH YORVANE 1 .*\"yorvane $version\"" ||
    fail "no manual page for version $version"
gzip -dc "$share/man/ja/man1/yorvane.1.gz" 2>/dev/null | grep -q "^\.SH 名前" ||
    fail "no Japanese manual page where man -L ja looks"
ok "the metadata is valid and names the desktop file and release $version; the manual page is $version, in English and Japanese"

# --- the command line, with no display at all: each row is the arguments, the exit status and
# the stream that carries the text (the other one stays empty).
while IFS='|' read -r args status stream; do
    code=0
    # shellcheck disable=SC2086 # the arguments are split as a shell would
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/yorvane" $args \
        >"$work/cli.out" 2>"$work/cli.err" || code=$?
    [[ $code == "$status" ]] || fail "yorvane $args: exit status $code, not $status"
    quiet=out
    [[ $stream == out ]] && quiet=err
    [[ -s $work/cli.$stream && ! -s $work/cli.$quiet ]] ||
        fail "yorvane $args: expected its text on std$stream only"
done <<'ROWS'
--help|0|out
--version|0|out
--no-such-option|2|err
--csv|2|err
stray-argument|2|err
|1|err
ROWS
env -u DISPLAY -u WAYLAND_DISPLAY "$root/bin/yorvane" --version >"$work/cli.out"
grep -q " $version\$" "$work/cli.out" && grep -q MIT "$work/cli.out" ||
    fail "--version names neither version $version nor the MIT licence: $(cat "$work/cli.out")"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/yorvane" 2>"$work/cli.err" || true
[[ $(wc -l <"$work/cli.err") == 1 ]] || fail "with no display: not one line: $(cat "$work/cli.err")"
ok "--help and --version print and end without a display, a wrong option ends with 2, no display with one line and 1"

# The delivered first values equal the window's design position and designated year; other
# values show whether the program reads them: 200,100 in twips and 平成 10 (Shift_JIS).
printf '[LOCATION]\r\nLEFT=3000\r\nTOP=1500\r\n[SET]\r\nSHITEI=10\r\nGENGO=\x95\xbd\x90\xac\r\n' \
    >"$share/yorvane/yorvane.ini"

# Every file of the installed tree with its checksum: compared again at the end.
tree() { (cd "$dest" && find . -print0 | LC_ALL=C sort -z | xargs -0 stat -c '%n %s') ; }
sums() { (cd "$dest" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum); }
tree >"$work/tree.before"
sums >"$work/sums.before"

# --- the X server and a home of its own -----------------------------------------------------
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
ini=$XDG_CONFIG_HOME/yorvane/yorvane.ini

start_xvfb

run=0
start_program() {
    run=$((run + 1))
    # Started by name from the PATH, as a launcher would, in a folder of no importance.
    (cd "$HOME" && PATH=$root/bin:$PATH QT_QPA_PLATFORM=xcb exec yorvane) >"$work/run$run.log" 2>&1 &
    app_pid=$!
    find_window
}
# How far the picture box (160 x 160 at 232,112 of the client area, which fills the window
# below the menu bar and is 292 pixels high) is from FILE: 0 for the same pixels, 1 for
# opposite ones.
picture_distance() {
    import -window "$window" "$work/window.png"
    convert "$work/window.png" -crop "160x160+232+$((height - 292 + 112))" +repage "$work/box.png"
    # compare fails for pictures that differ: its figure is what counts here.
    { compare -metric RMSE "$work/box.png" "$1" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'
}
hex() { od -An -tx1 | tr -d ' \n'; }
# Fails unless the user's file holds the designated year $1, the era whose Shift_JIS bytes are
# $2 (hexadecimal) and the window position $3,$4.
expect_settings() {
    [[ -f $ini ]] || fail "run $run: no settings file at \$XDG_CONFIG_HOME/yorvane/yorvane.ini"
    local shitei gengo left top
    shitei=$(ini_value SET SHITEI)
    gengo=$(printf '%s' "$(ini_value SET GENGO)" | hex)
    left=$(ini_value LOCATION LEFT)
    top=$(ini_value LOCATION TOP)
    [[ $shitei == "$1" && $gengo == "$2" && $left == $(($3 * 15)) && $top == $(($4 * 15)) ]] ||
        fail "run $run saved SHITEI=$shitei, GENGO bytes $gengo, LEFT=$left, TOP=$top;" \
            "expected $1, $2 and the position $3,$4 in twips"
}
close_to() { awk -v d="$1" 'BEGIN { exit !(d != "" && d < 0.02) }'; }

# --- 2. run 1: the delivered values, a typed year, a close request ------------------------------
[[ ! -e $XDG_CONFIG_HOME ]] || fail "the configuration folder exists before the first run"
start_program
geometry
[[ $pos_x == 200 && $pos_y == 100 ]] ||
    fail "run 1 opened at $pos_x,$pos_y, not at the delivered position 200,100"
ok "run 1 opened at the delivered position 200,100"
# Qt appends " — " and the application's display name to a title that does not end with it.
title=$(xprop -id "$window" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME([A-Z0-9_]*) = "\(.*\)"$/\1/p')
[[ -n $title && $title != *" — "* ]] || fail "the window's title is \"$title\", not its caption alone"
ok "the title bar shows the window's caption alone: \"$title\""
xdotool windowfocus --sync "$window"
xdotool type --delay 30 55 # 昭和 55 = 1980, a year of 申: the monkey
distance=
for _ in $(seq 20); do
    distance=$(picture_distance "$share/yorvane/saru.jpg")
    close_to "$distance" && break
    sleep 0.25
done
close_to "$distance" ||
    fail "after typing 55 the picture box does not show share/yorvane/saru.jpg (distance $distance)"
ok "typed 55: the picture box shows saru.jpg from share/yorvane"
xdotool windowmove --sync "$window" 123 87
close_and_wait
expect_settings 10 95bd90ac 123 87
ok "run 1 closed: the user's file holds the delivered 平成 10 and the new position 123,87"

# --- 3. run 2 reads the user's file and saves a new designated year; run 3 reads it back -------
start_program
geometry
[[ $pos_x == 123 && $pos_y == 87 ]] || fail "run 2 opened at $pos_x,$pos_y, not where run 1 closed (123,87)"
xdotool windowfocus --sync "$window"
xdotool key --delay 30 shift # to the designated year
xdotool key --delay 30 Up    # era 昭和, the box emptied
xdotool type --delay 30 60
close_and_wait
expect_settings 60 8fba9861 123 87
ok "run 2 opened at 123,87 and saved the designated year 昭和 60"
cp "$ini" "$work/ini.after2"

start_program
geometry
[[ $pos_x == 123 && $pos_y == 87 ]] || fail "run 3 opened at $pos_x,$pos_y, not at 123,87"
close_and_wait
cmp -s "$work/ini.after2" "$ini" || fail "run 3 changed the user's settings file without any edit"
ok "run 3 closed without edits: the file is byte for byte the same (60 and 昭和 were read back)"

# --- 4. the installation is as it was ------------------------------------------------------------
tree >"$work/tree.after"
sums >"$work/sums.after"
diff "$work/tree.before" "$work/tree.after" >"$work/tree.diff.log" ||
    fail "files were added to or removed from the installation"
diff "$work/sums.before" "$work/sums.after" >"$work/sums.diff.log" ||
    fail "files inside the installation changed"
ok "no file inside the installation changed, none was added"

log "all checks passed in $((SECONDS - started)) s"
