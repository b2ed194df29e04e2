#!/usr/bin/env bash
# Start-up of the program against a bare Qt program, on the xcb platform in a virtual X server
# of its own. Usage: bench/startup.sh FOLDER  (FOLDER holds bench_startup_yorvane, its data
# files and bench_startup_bare). BENCH_RUNS sets the runs of each program (default 25).
#
# Each run is timed from before the process is started until it has exited, which both
# programs do right after their window's first paint; GNU time gives the peak resident memory
# of the same run. The programs take turns, after one unrecorded run of each.
set -euo pipefail

folder=${1:?usage: bench/startup.sh FOLDER}
runs=${BENCH_RUNS:-25}
yorvane=$folder/bench_startup_yorvane
bare=$folder/bench_startup_bare
for exe in "$yorvane" "$bare" /usr/bin/time /usr/bin/Xvfb; do
  [[ -x $exe ]] || { echo "startup.sh: $exe is missing" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || { echo "startup.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
display=:$(tr -d '[:space:]' <"$work/display")

export DISPLAY=$display QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

# One run: prints "<microseconds> <peak KiB>".
run() {
  local start end
  start=$EPOCHREALTIME
  if ! timeout 60 /usr/bin/time -f %M -o "$work/mem" "$1" >"$work/out" 2>&1; then
    echo "startup.sh: $1 failed:" >&2
    cat "$work/out" "$work/mem" >&2
    exit 1
  fi
  end=$EPOCHREALTIME
  echo "$(( ${end//[.,]/} - ${start//[.,]/} )) $(tail -n1 "$work/mem")"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

run "$yorvane" >/dev/null
run "$bare" >/dev/null
: >"$work/yorvane" ; : >"$work/bare" ; : >"$work/true"
for ((i = 0; i < runs; ++i)); do
  run "$yorvane" >>"$work/yorvane"
  run "$bare" >>"$work/bare"
  run /bin/true >>"$work/true"
done

y_us=$(cut -d' ' -f1 "$work/yorvane" | median)
b_us=$(cut -d' ' -f1 "$work/bare" | median)
t_us=$(cut -d' ' -f1 "$work/true" | median)
y_kb=$(cut -d' ' -f2 "$work/yorvane" | median)
b_kb=$(cut -d' ' -f2 "$work/bare" | median)
y_kb_max=$(cut -d' ' -f2 "$work/yorvane" | sort -n | tail -n1)
b_kb_max=$(cut -d' ' -f2 "$work/bare" | sort -n | tail -n1)

awk -v runs="$runs" -v disp="$display" -v y="$y_us" -v b="$b_us" -v t="$t_us" \
    -v ym="$y_kb" -v bm="$b_kb" -v ymax="$y_kb_max" -v bmax="$b_kb_max" 'BEGIN {
  printf "start-up (xcb platform, Xvfb %s, %d runs of each, medians)\n", disp, runs
  printf "  wall time, process start to first paint:  yorvane %7.1f ms   bare %7.1f ms\n", y / 1000, b / 1000
  r = y / b
  printf "  ratio yorvane/bare: %.2f   goal <= 1.5: %s\n", r, (r <= 1.5 ? "met" : "NOT MET")
  printf "  (launcher overhead, the same wrappers around /bin/true: %.1f ms; ratio without it: %.2f)\n", t / 1000, (y - t) / (b - t)
  printf "  peak resident memory:  yorvane %6d KiB   bare %6d KiB   (largest %d / %d KiB)\n", ym, bm, ymax, bmax
  m = ym / bm
  printf "  ratio yorvane/bare: %.2f   goal <= 1.3: %s\n", m, (m <= 1.3 ? "met" : "NOT MET")
}'
