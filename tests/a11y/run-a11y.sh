#!/usr/bin/env bash
# The windows heard as a screen reader hears them: the real program in an X server and a session
# bus of its own, with the accessibility bus, read from outside by hear.py.
# Usage: run-a11y.sh YORVANE-EXECUTABLE BUILD-FOLDER
set -euo pipefail
exe=$1
build=$2
here=$(cd "$(dirname "$0")" && pwd)
# A session bus of its own, on which the accessibility bus starts when first asked for.
if [[ -z ${YORVANE_A11Y_BUS:-} ]]; then
    command -v dbus-run-session >/dev/null ||
        { echo "a11y: FAIL: dbus-run-session is missing: run scripts/install-deps" >&2 && exit 1; }
    exec env YORVANE_A11Y_BUS=1 dbus-run-session -- bash "$0" "$@"
fi

tag=a11y
source "$here/../x11-session.sh"
python=/usr/bin/python3 # Debian's, which holds the accessibility library's bindings
"$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null && command -v xdotool >/dev/null ||
    fail "xdotool or the accessibility library's Python bindings are missing: run scripts/install-deps"

begin_session a11y
mkdir -p "$work/program" "$work/runtime"
chmod 700 "$work/runtime"
cp "$exe" "$work/program/yorvane"
find "$build" -maxdepth 1 -type f \( -iname '*.jpg' -o -iname '*.gif' -o -iname '*.htm' -o -iname '*.ini' \) \
    -exec cp {} "$work/program/" \;
start_xvfb
run=1
# Qt speaks to the accessibility bus only when asked to, as a desktop with a reader asks it.
(cd "$work" && exec env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    XDG_RUNTIME_DIR="$work/runtime" "$work/program/yorvane") >"$work/run1.log" 2>&1 &
app_pid=$!
find_window
"$python" "$here/hear.py" "$app_pid"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended while it was read"
