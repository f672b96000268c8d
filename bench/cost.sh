#!/usr/bin/env bash
# Counts, under callgrind, the instructions of one whole run of each built
# program and of its plain C program (bench/<name>.c, built beside it by the
# bench preset), prints the table and fails when a program costs more than
# its C program: the bar is a ratio of 1.00 and no lower, so a real regression
# fails while the drift of a new compiler or libc does not. The table shows
# how far below it each program stays.
# It fails too, saying why, when a count cannot be taken.
# Usage: bench/cost.sh [build dir, default build/bench]   (after building it)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bar=1.00 # the highest ratio of a count to its C program's that is allowed

# Prints the instruction count of one run of the given program, its standard
# input taken from $input; a program that reads the clock runs under a clock
# fixed by the preloaded time() of fixedtime.c. Fails, showing valgrind's
# words, when valgrind fails or reports no count.
count() {
  local preload=
  [ "$(basename "$1")" = pairthreshold ] && preload=$build/bench/libfixedtime.so
  LD_PRELOAD=$preload valgrind --tool=callgrind --callgrind-out-file="$work/out" "$1" \
    <"$input" >/dev/null 2>"$work/log" &&
    sed -n 's/^==[0-9]*== Collected : \([0-9][0-9]*\)$/\1/p' "$work/log" | grep . || {
    echo "cost.sh: valgrind failed or gave no instruction count for $1:" >&2
    cat "$work/log" >&2
    return 2
  }
}

fail() {
  echo "cost.sh: $*" >&2
  exit 2
}
# The programs are those the build put in bin/; each has its C program.
[ -d "$build/bin" ] || fail "$build/bin is missing: build the bench preset"
status=0
printf '%-14s %10s %10s %6s %5s\n' program C C++ ratio bar
for program in "$build"/bin/*; do
  name=$(basename "$program")
  [ -x "$build/bench/$name" ] || fail "$build/bench/$name, its C program, is missing"
  input=/dev/null
  [ -f "$here/$name.input" ] && input=$here/$name.input
  c=$(count "$build/bench/$name")
  cxx=$(count "$program")
  ratio=$(awk -v a="$cxx" -v b="$c" 'BEGIN { printf "%.3f", a / b }')
  verdict=
  if awk -v r="$ratio" -v b="$bar" 'BEGIN { exit !(r > b) }'; then
    verdict="  over the bar"
    status=1
  fi
  printf '%-14s %10s %10s %6s %5s%s\n' "$name" "$c" "$cxx" "$ratio" "$bar" "$verdict"
done
exit "$status"
