# shellcheck shell=bash disable=SC2154 # make exports what is named below
# The helpers of CI, sourced by .ci/run, make and .ci/step, and with each recipe, in a tools chroot
# too; sourcing it runs nothing. They read what .ci/jobs.mk exports: $work, the tree, and $dsc.

say() { printf 'ci: %s\n' "$*"; }
die() { say "$*" >&2 && exit 1; }

# Runs a command as CI_USER, with a home in build/ci, if root runs it and CI_USER is set.
as_user() {
  if [ "$(id -u)" -ne 0 ] || [ -z "${CI_USER:-}" ]; then "$@"; else
    runuser -u "$CI_USER" -- env HOME="$work/build/ci/home" "$@"
  fi
}
# Runs a command as root, through sudo if need be; the first argument says why.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then "${@:2}"; else say "asking sudo: $1" && sudo "${@:2}"; fi
}

# hardened DIR: hardening-check finds each program of the list in DIR built as PIE, with the stack
# protector, relro, immediate binding and fortified functions if it calls any, or names what each
# lacks. Debian 12's start files carry no control-flow protection: it is not asked.
hardened() { cmake -P cmake/programs.cmake | cut -d' ' -f1 |
  (cd "$1" && LC_ALL=C xargs hardening-check --quiet --nocfprotection) || die "$1: not hardened"; }

# The files of the tested tree that match PATTERNs, whoever owns it, NUL-separated: the tracked
# ones and the new ones; tree, the tree as a tar stream.
files() { git -C "$work" -c safe.directory="$work" ls-files -z -co --exclude-standard -- "$@"; }
tree() { files . | tar -C "$work" --null -T - --ignore-failed-read -c; }

# The indexes of the Debian archive that apt reads, known by their origin and label, as CODENAME
# SITE lines; the site of the first, the Debian mirror.
debian_indexes() {
  apt-get indextargets --format "\$(CODENAME) \$(SITE)" 'Origin: Debian' 'Label: Debian'
}
debian_mirror() { debian_indexes | awk '{ print $2; exit }' | grep . || die "no Debian index"; }
# The release the machine runs, if CI checks it, else none: Debian 12 or 13 by its os-release,
# unstable by an index of the Debian archive.
host_release() {
  case $(. /etc/os-release && echo "${VERSION_CODENAME:-}") in
    bookworm | trixie) . /etc/os-release && echo "$VERSION_CODENAME" ;;
    *) debian_indexes | awk '$1 == "sid" { s = "unstable" } END { print s ? s : "none" }' ;;
  esac
}

# make_chroot PATH [PACKAGE...]: mmdebstrap makes the chroot at PATH in a user namespace, from its
# release (and its updates, if stable) on the Debian mirror. Its name says what it is:
# RELEASE-tools, a folder of the PACKAGEs (PACKAGE:ARCH for a foreign one), or a tarball
# RELEASE-VARIANT-ARCH.tar[.gz] of mmdebstrap's VARIANT, which each job unpacks afresh.
make_chroot() {
  local path=$1 name=${1##*/} release kind mirror opts sources
  release=${name%%-*} kind=${name#*-} && kind=${kind%%.*} && mirror=$(debian_mirror)
  shift
  sources=("deb $mirror $release main")
  [ "$release" = unstable ] || sources+=("deb $mirror $release-updates main")
  if [ "$kind" = tools ]; then
    # Nobody reads the documentation, manual pages or translations in there.
    opts=(--variant=apt "--include=$*" --dpkgopt=path-exclude=/usr/share/{doc,man,locale}/\*
      "--architectures=$(dpkg --print-architecture)$(printf '%s\n' "$@" | sed -n 's/.*:/,/p' |
        sort -u | tr -d '\n')")
  else
    # man-db would index the manual pages after each install; no build reads them.
    opts=(--variant="${kind%-*}" --architectures="${kind#*-}" --customize-hook="echo
      'man-db man-db/auto-update boolean false' | chroot \"\$1\" debconf-set-selections")
  fi
  mmdebstrap --mode=unshare --aptopt='Acquire::Retries "3"' \
    --aptopt='Acquire::Check-Valid-Until "false"' "${opts[@]}" "$release" "$path" "${sources[@]}"
}

# sbuild_in FOLDER CHROOT [OPTION...]: sbuild builds the source package in FOLDER, on every core,
# in a fresh copy of CHROOT, new and so not upgraded; fails unless every test passed, but nocheck.
sbuild_in() {
  rm -rf "$1" && mkdir -p "$1" && cd "$1" || return
  sbuild --chroot-mode=unshare --chroot="$2" --no-apt-upgrade --no-apt-distupgrade --verbose \
    --dist="$(dpkg-parsechangelog -l "$work/debian/changelog" -S Distribution)" --jobs="$(nproc)" \
    --no-run-lintian --no-run-piuparts --no-run-autopkgtest "${@:3}" "$dsc"
  find . -name '*.build' -type l -delete # a second name for the log
  say "sbuild: $(grep -h '^Status: ' ./*.build)"
  [[ $* == *nocheck* ]] || grep -q '^100% tests passed' ./*.build
}
