# The jobs of the Debian package, sourced by .ci/run: job_NAME is the body of
# the job NAME. Each build starts from a fresh copy of a chroot made from the
# machine's mirror, and nothing is installed on the machine.

job_source() {
  mkdir -p "$deb/src/intarrays"
  # Tracked and new files as they stand in the work tree, edits included.
  git ls-files -z -co --exclude-standard | tar --null -T - --ignore-failed-read -c |
    tar -x -C "$deb/src/intarrays"
  (cd "$deb/src" && dpkg-source -b intarrays)
  say "source package ${dsc##*/}"
}

job_build() { sbuild_in build "$host-buildd-amd64" --source --source-only-changes; }

job_build_binnmu() {
  sbuild_in binnmu "$host-buildd-amd64" --binNMU=1 --maintainer="$(sed -n 's/^Maintainer: //p' debian/control)" \
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
  sbuild_in twice "$host-buildd-amd64" --profiles=nocheck --finished-build-commands="$twice"
  grep -qx 'ci: the clean target restores the tree' "$deb"/twice/*.build
  ! grep -E '^ libgtest-dev ' "$deb"/twice/*.buildinfo || die "the nocheck build installed GoogleTest"
  for file in "$deb"/build/*.deb; do cmp "$file" "$deb/twice/${file##*/}"; done
  say "the nocheck build gives the .deb bytes of the build with tests"
}

job_build_i386() {
  if i386_native; then
    sbuild_in i386 "$host-buildd-i386" --arch=i386
    say "i386: built and tested in an i386 chroot"
  else
    sbuild_in i386 "$host-buildd-amd64" --host=i386 --profiles=cross,nocheck
    say "i386: cross-built, as this kernel runs no i386 program or CI_I386=cross;" \
      "the job cross-i386 ran the tests under qemu-user"
  fi
}

job_crossbuild_arm64() { sbuild_in arm64 "$host-buildd-amd64" --host=arm64 --profiles=cross,nocheck; }

job_build_trixie() { sbuild_in trixie trixie-buildd-amd64; }
job_build_unstable() { sbuild_in unstable unstable-buildd-amd64; }

# The lintian of the release the changelog names, on every .changes so far.
job_lintian() {
  in_release unstable 'cd /deb && runuser -u nobody -- env HOME=/tmp sh -c "lintian --version &&
    lintian --pedantic -E -I --fail-on error,warning,info,pedantic,experimental */*.changes"'
  say "unstable's lintian: no tag on $(find "$deb" -name '*.changes' | wc -l) .changes"
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

job_piuparts() {
  mkdir -p "$deb/older"
  cp "$deb/build/intarrays_${version}_$arch.deb" "$deb/older/"
  (cd "$deb/older" && dpkg-scanpackages . >Packages 2>/dev/null)
  wait_chroot "$host-minbase-amd64"
  piuparts --distribution="$host" --mirror="$(awk '/^URIs:/ { print $2; exit }' "$chroots/$host-minbase-amd64.sources")" \
    --basetgz="$chroots/$host-minbase-amd64.tar.gz" --bindmount="$deb/older" \
    --extra-repo="deb [trusted=yes] file://$deb/older ./" "$deb"/binnmu/intarrays_*_"$arch".deb
  say "piuparts: install, purge, and upgrade to the binNMU passed"
}

job_autopkgtest() {
  wait_chroot "$host-minbase-amd64"
  autopkgtest --apt-upgrade "$deb/build/intarrays_${version}_$arch.deb" "$dsc" \
    -- unshare --tarball "$chroots/$host-minbase-amd64.tar.gz" 2>&1 | tee "$ci/autopkgtest.out"
  sed -n '/@@@@ summary/,$ { s/^/ci: /; p; }' "$ci/autopkgtest.out"
}

job_reprotest() {
  # Not varied: users and groups, host and domain names, and file order, which
  # need privileges or a FUSE file system that a CI machine may lack.
  mkdir -p "$ci/reprotest"
  (cd "$ci/reprotest" && reprotest --vary=-user_group,-domain_host,-fileordering "$dsc" -- null)
  say "reprotest: the same bytes"
}
