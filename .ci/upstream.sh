# The jobs that build and test the code upstream's way, with CMake's presets,
# sourced by .ci/lib.sh: job_NAME is the body of the job NAME, and of NAME-RELEASE.

job_format() {
  git ls-files -z -- '*.cpp' '*.hpp' '*.c' | xargs -0 clang-format-19 --dry-run -Werror
  git ls-files -z -- 'CMakeLists.txt' '*/CMakeLists.txt' '*.cmake' | xargs -0 cmake-format --check
  say "every source as clang-format 19 and cmake-format write it"
}

job_release() {
  cmake --preset release
  if grep -iE '^(GTest|GMock|GROFF)[^:]*:' build/release/CMakeCache.txt; then
    die "the release configure looked for GoogleTest or groff"
  fi
  cmake --build --preset run <<<12 | tee "$ci/run.out"
  grep -qx 'Inserire il valore di x: RES: [0-9]*' "$ci/run.out"
  # The tests' missing packages are named in one line.
  if cmake --preset dev -B "$ci/no-gtest" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON >"$ci/no-gtest.log" 2>&1; then
    die "configuring the tests without GoogleTest succeeded"
  fi
  grep -x '  The tests need GoogleTest: apt-get install libgtest-dev' "$ci/no-gtest.log"
  say "the programs ran; the tests' missing package is named"
}

job_version() {
  local upstream debian
  upstream=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
  debian=$(dpkg-parsechangelog -S Version)
  # The upstream part: no epoch, no Debian revision, and no suffix such as +b1,
  # +nmu1, +deb12u1, ~bpo12+1 or ~rc1.
  [ "$upstream" = "$(sed -E 's/^[0-9]+://; s/-[^-]*$//; s/^([0-9]+(\.[0-9]+)*).*/\1/' <<<"$debian")" ] ||
    die "CMakeLists.txt says $upstream, debian/changelog says $debian"
  say "upstream $upstream, Debian $debian"
}

job_dev() { with_release 'cmake --workflow --preset dev'; }
job_asan() { cmake --workflow --preset asan; }
job_clang() { with_release 'cmake --workflow --preset clang'; }
# The cross workflow for ARCH, with the g++ of the job's release.
job_cross() { with_release "DEB_HOST_ARCH=$1 cmake --workflow --preset cross"; }

job_tidy() {
  run-clang-tidy-19 -p build/dev -quiet -j "$(nproc)" >"$ci/tidy.out" 2>&1 ||
    { grep -E 'warning:|error:' "$ci/tidy.out" | sort -u; die "clang-tidy 19 found the above"; }
  say "clang-tidy 19: no finding"
}

job_install() {
  cmake --install build/release --prefix "$ci/prefix"
  for p in "${programs[@]}"; do
    test -x "$ci/prefix/bin/$p"
    test -f "$ci/prefix/share/man/man1/$p.1"
  done
  say "programs and manual pages installed"
}

job_cost() {
  cmake --preset bench
  cmake --build --preset bench
  bench/cost.sh build/bench | sed 's/^/ci: /'
}

job_memcheck() {
  for p in "${programs[@]}"; do
    valgrind -q --error-exitcode=1 --track-origins=yes build/release/bin/"$p" <<<7 >/dev/null
  done
  say "memcheck: no invalid access, no uninitialised value"
}

job_fuzz() {
  cmake --preset fuzz
  cmake --build --preset fuzz
  mkdir -p "$ci/corpus" build/fuzz/artifacts
  # New inputs go to the scratch corpus; a failing input is kept for a look.
  build/fuzz/fuzz/readthreshold_fuzz -max_total_time=60 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/artifacts/ "$ci/corpus" fuzz/corpus ||
    die "the failing input is in build/fuzz/artifacts/"
  say "fuzzing: no failing input in 60 s"
}
