# The jobs of the Debian package, sourced by .ci/lib.sh: job_NAME is the body
# of the job NAME. Each build starts from a fresh copy of a chroot, and
# nothing is installed on the machine.

# Builds the source package with sbuild in a fresh copy of the chroot CHROOT,
# made this run, so not upgraded, into $deb/NAME, on every core: sbuild_in
# NAME CHROOT [sbuild options]. Prints the build log, then its test summary and
# status. Fails unless every test passed, when the options name no nocheck.
sbuild_in() {
  local name=$1 chroot=$2 dist status=0
  shift 2
  dist=$(dpkg-parsechangelog -S Distribution)
  rm -rf "${deb:?}/$name" && mkdir "$deb/$name"
  (cd "$deb/$name" && sbuild --chroot-mode=unshare --chroot="$chroots/$chroot" --dist="$dist" \
    --no-apt-upgrade --no-apt-distupgrade --jobs="$(nproc)" --no-run-lintian \
    --no-run-piuparts --no-run-autopkgtest "$@" "$dsc") || status=$?
  find "$deb/$name" -name '*.build' -type l -delete # a second name for the log
  cat "$deb/$name"/*.build
  [ "$status" -eq 0 ] || die "sbuild failed"
  grep -hE '^[0-9]+% tests passed|^Status: ' "$deb/$name"/*.build | sed 's/^/ci: /'
  [[ "$*" == *nocheck* ]] || grep -q '^100% tests passed' "$deb/$name"/*.build
}

job_source() {
  mkdir -p "$deb/src"
  tree | tar -x -C "$deb/src"
  (cd "$deb/src" && dpkg-source -b intarrays)
  say "source package ${dsc##*/}"
}

job_build() { sbuild_in build bookworm-buildd-amd64.tar --source --source-only-changes; }

job_build_binnmu() {
  sbuild_in binnmu bookworm-buildd-amd64.tar --binNMU=1 --maintainer="$(sed -n 's/^Maintainer: //p' debian/control)" \
    --make-binNMU="Rebuild to check that a binNMU builds."
}

job_build_twice() {
  # The second build starts with debian/rules clean, and one more clean must
  # leave the tree as the source package unpacks it.
  local twice='cd %SBUILD_PKGBUILD_DIR && user=$(stat -c %%U .) &&
    runuser -u "$user" -- dpkg-buildpackage -us -uc -b -Pnocheck &&
    runuser -u "$user" -- debian/rules clean &&
    dpkg-source --no-check -x ../*.dsc ../unpacked >/dev/null && diff -r ../unpacked . &&
    echo "ci: the clean target restores the tree"'
  sbuild_in twice bookworm-buildd-amd64.tar --profiles=nocheck --finished-build-commands="$twice"
  grep -qx 'ci: the clean target restores the tree' "$deb"/twice/*.build
  ! grep -E '^ libgtest-dev ' "$deb"/twice/*.buildinfo || die "the nocheck build installed GoogleTest"
  for file in "$deb"/build/*.deb; do cmp "$file" "$deb/twice/${file##*/}"; done
  say "the nocheck build gives the .deb bytes of the build with tests"
}

job_build_i386() {
  if [ "$CI_I386" = native ]; then
    sbuild_in i386 bookworm-buildd-i386.tar --arch=i386
    say "i386: built and tested in an i386 chroot"
  else
    sbuild_in i386 bookworm-buildd-amd64.tar --host=i386 --profiles=cross,nocheck
    say "i386: cross-built, as this kernel runs no i386 program or CI_I386=cross;" \
      "the job cross-i386 ran the tests under qemu-user"
  fi
}

job_crossbuild_arm64() { sbuild_in arm64 bookworm-buildd-amd64.tar --host=arm64 --profiles=cross,nocheck; }

job_build_trixie() { sbuild_in trixie trixie-buildd-amd64.tar; }
job_build_unstable() { sbuild_in unstable unstable-buildd-amd64.tar; }

# The lintian of the release the changelog names, on the .changes of every build.
job_lintian() {
  local builds
  builds=$(cd "$deb" && dirname -- */*.changes | sort -u)
  # shellcheck disable=SC2086 # the folders' names are single words
  tar -C "$deb" -c $builds | in_release "$release" 'lintian --version &&
    lintian --pedantic -E -I --fail-on error,warning,info,pedantic,experimental */*.changes'
  say "unstable's lintian: no tag on $(cd "$deb" && ls -- */*.changes | wc -l) .changes"
}

job_blhc() {
  local log
  for log in "$deb"/*/*.build; do
    blhc --debian --all "$log"
    # dpkg-buildflags gives the hardening flags and the upstream build adds none.
    ! grep -E -- '(-fstack-protector-strong|-fstack-clash-protection|_FORTIFY_SOURCE|-z,relro|-z,now).*\1' \
      "$log" || die "a hardening flag stands twice on these lines of $log"
  done
  say "blhc: every compile and link line carries the hardening flags, each once"
}

job_hardening() {
  dpkg-deb --extract "$deb/build/intarrays_${version}_$arch.deb" "$ci/root"
  # Debian 12's start files carry no control-flow protection, so it is not asked.
  hardening-check --nocfprotection "${programs[@]/#/$ci/root/usr/bin/}"
  say "hardening-check: every program hardened"
}

# The only job with root, which piuparts needs; the ordinary user readies
# its files.
job_piuparts() {
  "${as_user[@]}" sh -ec 'mkdir -p "$1/older" && cp "$1/build/$2" "$1/older/" &&
    cd "$1/older" && dpkg-scanpackages . >Packages 2>/dev/null' - "$deb" "intarrays_${version}_$arch.deb"
  as_root "piuparts installs the package in a chroot it enters" piuparts --distribution=bookworm \
    --mirror="$mirror" --basetgz="$chroots/bookworm-minbase-amd64.tar.gz" --bindmount="$deb/older" \
    --extra-repo="deb [trusted=yes] file://$deb/older ./" "$deb"/binnmu/intarrays_*_"$arch".deb
  say "piuparts: install, purge, and upgrade to the binNMU passed"
}

job_autopkgtest() {
  autopkgtest --apt-upgrade "$deb/build/intarrays_${version}_$arch.deb" "$dsc" \
    -- unshare --tarball "$chroots/bookworm-minbase-amd64.tar.gz" 2>&1 | tee "$ci/autopkgtest.out"
  sed -n '/@@@@ summary/,$ { s/^/ci: /; p; }' "$ci/autopkgtest.out"
}

job_reprotest() {
  # Not varied: users and groups, host and domain names, and file order, which
  # need privileges or a FUSE file system that a CI machine may lack.
  mkdir -p "$ci/reprotest"
  (cd "$ci/reprotest" && reprotest --vary=-user_group,-domain_host,-fileordering "$dsc" -- null)
  say "reprotest: the same bytes"
}
