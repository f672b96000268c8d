# Helpers of the CI jobs, sourced by .ci/run. Everything a run makes, logs
# included, is under build/ci/, and stays there after the run.
ci=$root/build/ci
chroots=$ci/chroots # one tarball per chroot, NAME.tar, made once per run
deb=$ci/deb         # the source package and what each package job makes
programs=(rowcompare rowsumprod rowminmax pairthreshold)
host=$(. /etc/os-release && echo "$VERSION_CODENAME") # Debian 12 here
# Debian's release architectures besides amd64 that each release's compilers
# build for: the machine's own, and the ones that only a newer release has.
declare -A cross=([$host]="arm64 armel armhf i386 mips64el mipsel ppc64el s390x"
  [trixie]=riscv64 [unstable]=loong64)
# When CI runs as root, the jobs that need no root run as this user, made by
# the sbuild package and given subordinate ids by the packages step.
user=${CI_USER:-sbuild}

say() { printf 'ci: %s\n' "$*"; }
die() { say "$*" >&2; exit 1; }

# The words that run a command as the ordinary user: none if the caller is one.
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(runuser -u "$user" -- env HOME="$ci/home")
# Runs a command as root, through sudo if need be; the first argument says why.
as_root() {
  local why=$1
  shift
  if [ "$(id -u)" -eq 0 ]; then "$@"; else say "asking sudo: $why" && sudo "$@"; fi
}

# The Debian cross compiler of a Debian architecture.
cross_compiler() { echo "g++-$(dpkg-architecture -a"$1" -qDEB_HOST_GNU_TYPE 2>/dev/null)"; }

# Whether the i386 package is built in an i386 chroot: where the kernel runs
# i386 programs, unless CI_I386=cross asks for the path of a kernel that does
# not: a cross-build, with the suite under qemu-user in the job cross-i386.
i386_native() { [ "${CI_I386:-}" != cross ] && arch-test -n i386 >/dev/null 2>&1; }

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

# Runs the shell command CMD in a copy of the tested tree, in a fresh copy of
# the tools chroot of RELEASE: in_release RELEASE CMD.
in_release() {
  wait_chroot "$1-tools"
  mmdebstrap --mode=unshare --quiet --variant=custom --skip=update,cleanup \
    --setup-hook="tar-in $chroots/$1-tools.tar /" --setup-hook='mkdir -p "$1/dev"' \
    --customize-hook="copy-in $deb/src/intarrays /" \
    --customize-hook="chroot \"\$1\" sh -ec 'cd /intarrays && $2'" "$1" /dev/null
}

# The package's version as file names carry it, without an epoch, and its .dsc.
version=$(cd "$root" && dpkg-parsechangelog -S Version)
version=${version#*:}
dsc=$deb/src/intarrays_$version.dsc
arch=$(dpkg --print-architecture)

# Builds the source package with sbuild in a fresh copy of the chroot CHROOT,
# into $deb/NAME: sbuild_in NAME CHROOT [sbuild options]. Prints the test
# summary and status of the build log NAME/*.build.
sbuild_in() {
  local name=$1 chroot=$2
  shift 2
  wait_chroot "$chroot"
  rm -rf "${deb:?}/$name"
  mkdir "$deb/$name"
  (cd "$deb/$name" && sbuild --chroot-mode=unshare --chroot="$chroots/$chroot.tar" \
    --dist="$(cd "$root" && dpkg-parsechangelog -S Distribution)" --no-run-lintian \
    --no-run-piuparts --no-run-autopkgtest "$@" "$dsc") >"$deb/$name.out" 2>&1 ||
    { tail -n 40 "$deb/$name.out"; die "sbuild failed; its output: $deb/$name.out"; }
  find "$deb/$name" -name '*.build' -type l -delete # a second name for the log
  grep -hE '^[0-9]+% tests passed|^Status: ' "$deb/$name"/*.build
}
