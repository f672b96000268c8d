# Helpers of the CI jobs, sourced by .ci/run. Everything a run makes is under
# build/ci/ and stays there after the run, logs included, but the chroots.
ci=$root/build/ci
chroots=$ci/chroots # one tarball per chroot, made once per run, removed after it
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
i386_native() {
  case ${CI_I386:-} in
    native) true ;;
    cross) false ;;
    *) arch-test -n i386 >/dev/null 2>&1 ;;
  esac
}

# Adds job NAME to the run, after the jobs it needs; notes the chroots.
selected=() chroot_list=()
declare -A added
add() {
  local need
  [ -z "${added[$1]:-}" ] || return 0
  added[$1]=1
  for need in ${needs[$1]}; do
    if [[ $need == @* ]]; then chroot_list+=("${need#@}"); else add "$need"; fi
  done
  selected+=("$1")
}

# The package's version as file names carry it, without an epoch, and its .dsc.
# Empty until the packages step has installed dpkg-dev; the jobs, which run
# after it, read it anew.
version=$(cd "$root" && dpkg-parsechangelog -S Version 2>/dev/null || true)
version=${version#*:}
dsc=$deb/src/intarrays_$version.dsc
arch=$(dpkg --print-architecture)

# Builds the source package with sbuild in a fresh copy of the chroot CHROOT,
# into $deb/NAME: sbuild_in NAME CHROOT [sbuild options]. Fails unless every
# test passed, when the options name no nocheck profile. Prints the test
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
  [[ "$*" == *nocheck* ]] || grep -q '^100% tests passed' "$deb/$name"/*.build
}
