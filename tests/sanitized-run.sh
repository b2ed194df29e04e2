#!/usr/bin/env bash
# Runs one test program of the sanitizer build: PROGRAM ARGUMENT...
# A run that ends in a crash of LeakSanitizer's tracer (lsan-tracer.sh) is run once more; every
# other end, a leak report included, is the test's result.
set -uo pipefail
source "$(dirname "$0")/lsan-tracer.sh"
output=$(mktemp)
trap 'rm -f "$output"' EXIT
for attempt in 1 2; do
    status=0
    "$@" >"$output" 2>&1 || status=$?
    cat "$output"
    if ((attempt == 1)) && tracer_crash "$status" "$output"; then
        echo "note: LeakSanitizer's tracer crashed at the exit (no leak report): the test runs once more"
        continue
    fi
    exit "$status"
done
