#!/usr/bin/env bash
# Counts, under callgrind, the instructions of one whole run of each program
# of the list (cmake/programs.cmake) and of its plain C program
# (bench/<name>.c, built beside it by the bench preset), prints the table and
# fails when a program costs more than its C program: the bar is a ratio of
# 1.00 and no lower, so a real regression fails while the drift of a new
# compiler or libc does not. The table shows how far below it each program
# stays.
# Both runs of a pair read the same input; a program whose output varies
# (marked varying in the list) runs under a clock fixed by the preloaded
# time() of fixedtime.c. Before it counts, it checks that each C program
# writes byte for byte what its program writes, and fails naming the program
# where they differ: only like work is compared.
# It fails too, saying why, when a count cannot be taken.
# Usage: bench/cost.sh [build dir, default build/bench]   (after building it)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bar=1.00 # the highest ratio of a count to its C program's that is allowed

fail() {
  echo "cost.sh: $*" >&2
  exit 2
}

# The list: a program a line, its name and golden or varying.
programs=$(cmake -P "$here/../cmake/programs.cmake")
mapfile -t list <<<"$programs"
# Sets, for the list's line $1: name, the program and its C program, the
# input they read and the library preloaded under them.
pair() {
  read -r name output <<<"$1"
  program=$build/bin/$name c=$build/bench/$name input=/dev/null preload=
  [ -x "$program" ] || fail "$program is missing: build the bench preset"
  [ -x "$c" ] || fail "$c, its C program, is missing"
  [ ! -f "$here/$name.input" ] || input=$here/$name.input
  [ "$output" != varying ] || preload=$build/bench/libfixedtime.so
  [ -z "$preload" ] || [ -f "$preload" ] || fail "$preload, the fixed clock, is missing"
}

# Prints the instruction count of one run of the given program. Fails,
# showing valgrind's words, when valgrind fails or reports no count.
count() {
  if LD_PRELOAD=$preload valgrind --tool=callgrind --callgrind-out-file="$work/out" "$1" \
    <"$input" >/dev/null 2>"$work/log"; then
    sed -n 's/^==[0-9]*== Collected : \([0-9][0-9]*\)$/\1/p' "$work/log" | grep . && return
  fi
  echo "cost.sh: valgrind failed or gave no instruction count for $1:" >&2
  cat "$work/log" >&2
  return 2
}

for line in "${list[@]}"; do
  pair "$line"
  LD_PRELOAD=$preload "$program" <"$input" >"$work/program.out" || fail "$name failed"
  LD_PRELOAD=$preload "$c" <"$input" >"$work/c.out" || fail "$name's C program failed"
  if ! cmp -s "$work/program.out" "$work/c.out"; then
    diff "$work/program.out" "$work/c.out" | sed 's/^/  /' >&2 || true
    fail "$name: its C program writes otherwise (> above), and unlike work is not compared"
  fi
done

status=0
printf '%-14s %10s %10s %6s %5s\n' program C C++ ratio bar
for line in "${list[@]}"; do
  pair "$line"
  c_count=$(count "$c")
  cxx_count=$(count "$program")
  ratio=$(awk -v a="$cxx_count" -v b="$c_count" 'BEGIN { printf "%.3f", a / b }')
  verdict=
  if awk -v r="$ratio" -v b="$bar" 'BEGIN { exit !(r > b) }'; then
    verdict="  over the bar"
    status=1
  fi
  printf '%-14s %10s %10s %6s %5s%s\n' "$name" "$c_count" "$cxx_count" "$ratio" "$bar" "$verdict"
done
exit "$status"
