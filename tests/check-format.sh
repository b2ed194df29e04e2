#!/usr/bin/env bash
# Every C and C++ source of the project is as clang-format (.clang-format) writes it.
# Usage: check-format.sh SOURCE-FOLDER
set -uo pipefail
cd "$1" || exit 1
if ! command -v clang-format >/dev/null; then
  echo "clang-format is missing: run scripts/install-deps" >&2
  exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c' 2>/dev/null ||
  find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print)
if ((${#files[@]} == 0)); then
  echo "no sources found" >&2
  exit 1
fi
unformatted=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if ((${#unformatted[@]} > 0)); then
  printf 'not formatted (clang-format -i FILE): %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "${#files[@]} sources formatted"
