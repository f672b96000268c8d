# The chroots of the CI jobs, sourced by .ci/run: each made once per run from
# the machine's mirror by mmdebstrap in a user namespace, and each job starts
# from a fresh copy of one.

# Writes the apt sources of RELEASE: the machine's Debian stanzas, signed by
# debian-archive-keyring, with their suites moved from the machine's release.
sources() {
  awk -v from="$host" -v to="$1" 'BEGIN { RS = ""; ORS = "\n\n" }
    /debian-archive-keyring/ {
      if (to == "unstable") { if (/-security/) next; gsub(from "-updates", "") }
      gsub(from, to); print }' /etc/apt/sources.list.d/*.sources
}

# Makes the chroot NAME, RELEASE-KIND, from the machine's mirror: KIND is
# buildd-ARCH or minbase-ARCH, or tools, which holds what the jobs of RELEASE
# build and test with. Writes NAME.tar (NAME.tar.gz for minbase, as piuparts
# takes it), NAME.log, and NAME.ok once made.
make_chroot() {
  local release=${1%%-*} kind=${1#*-} opts=() arch packages out=$chroots/$1.tar
  case $kind in
    tools)
      packages=(g++ cmake ninja-build binutils dpkg-dev groff-base libgtest-dev qemu-user)
      [ "$release" != unstable ] || packages+=(clang lintian)
      for arch in ${cross[$release]}; do
        packages+=("$(cross_compiler "$arch")" "libgtest-dev:$arch")
      done
      opts=(--variant=apt --skip=output/dev "--include=${packages[*]}"
        "--architectures=amd64,${cross[$release]// /,}") ;;
    minbase-*) opts=(--variant=minbase --architectures="${kind#*-}") && out+=.gz ;;
    *) opts=(--variant="${kind%-*}" --architectures="${kind#*-}") ;;
  esac
  sources "$release" >"$chroots/$1.sources"
  mmdebstrap --mode=unshare --quiet "${opts[@]}" --aptopt='Acquire::Check-Valid-Until "false"' \
    "$release" "$out" "$chroots/$1.sources" >"$chroots/$1.log" 2>&1 &&
    touch "$chroots/$1.ok"
}

# Makes the chroots named, one after another, then notes that it is done.
make_chroots() {
  local name
  for name in "$@"; do make_chroot "$name" || true; done
  touch "$chroots/maker.done"
}

# Waits for the chroot NAME, which the run makes in the background.
wait_chroot() {
  until [ -e "$chroots/$1.ok" ]; do
    [ ! -e "$chroots/maker.done" ] || { cat "$chroots/$1.log" >&2; die "no chroot $1"; }
    sleep 2
  done
}

# Runs the shell command CMD in a fresh copy of the tools chroot of RELEASE,
# in a copy of the tested tree, /deb/src/intarrays; /deb holds a copy of what
# the package jobs have made so far: in_release RELEASE CMD.
in_release() {
  wait_chroot "$1-tools"
  mmdebstrap --mode=unshare --quiet --variant=custom --skip=update,cleanup \
    --setup-hook="tar-in $chroots/$1-tools.tar /" --setup-hook='mkdir -p "$1/dev"' \
    --customize-hook="copy-in $deb /" \
    --customize-hook="chroot \"\$1\" sh -ec 'cd /deb/src/intarrays && $2'" "$1" /dev/null
}

# Makes the chroots of the run, one after another in the background while
# jobs run, in a process group of its own, $maker, that the end of the run stops.
start_chroots() {
  maker=
  [ ${#chroot_list[@]} -gt 0 ] || return 0
  mapfile -t chroot_list < <(printf '%s\n' "${chroot_list[@]}" | awk '!seen[$0]++')
  setsid "${as_user[@]}" bash .ci/run --do make_chroots "${chroot_list[@]}" &
  maker=$!
}
