#!/usr/bin/env bash
# Counts the instructions of one whole run of each built program and of its
# plain C reference (bench/<name>.c), under callgrind, and prints the ratio.
# Usage: bench/cost.sh [build dir, default build/release]   (after building it)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-$here/../build/release}/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints the instruction count of one run of the given command, its standard
# input taken from $input.
count() {
  valgrind --tool=callgrind --callgrind-out-file="$work/out" "$@" <"$input" >/dev/null 2>"$work/log"
  sed -n 's/^==[0-9]*== Collected : //p' "$work/log"
}

printf '%-14s %10s %10s %6s\n' program C C++ ratio
for ref in "$here"/*.c; do
  name=$(basename "$ref" .c)
  [ -x "$bin/$name" ] || continue
  gcc -O2 -o "$work/$name" "$ref"
  input=/dev/null
  [ -f "$here/$name.input" ] && input=$here/$name.input
  c=$(count "$work/$name")
  cxx=$(count "$bin/$name")
  printf '%-14s %10s %10s %6s\n' "$name" "$c" "$cxx" "$(awk -v a="$cxx" -v b="$c" 'BEGIN { printf "%.3f", a / b }')"
done
