# The chroots of the CI jobs, sourced by .ci/lib.sh: each made once a run by
# mmdebstrap in a user namespace, from its release's own suites (the release,
# and its updates for a stable one) on the machine's mirror.

# Makes the chroot NAME: RELEASE-buildd-ARCH.tar or RELEASE-minbase-ARCH.tar.gz,
# a tarball that each job unpacks afresh, or RELEASE-tools, a folder holding
# PACKAGES, which in_release enters read-only: run_chroot NAME [PACKAGES...].
run_chroot() {
  local name=$1 release=${1%%-*} kind opts suite sources=()
  kind=${name#*-} && kind=${kind%%.*}
  shift
  for suite in "$release" "$release-updates"; do
    [ "$suite" = unstable-updates ] || sources+=("deb $mirror $suite main")
  done
  if [ "$kind" = tools ]; then
    # The foreign architectures are those of the packages that name one.
    opts=(--variant=apt "--include=$*" "--architectures=$arch$(printf '%s\n' "$@" |
      sed -n 's/.*:/,/p' | sort -u | tr -d '\n')" --dpkgopt='path-exclude=/usr/share/doc/*'
      --dpkgopt='path-exclude=/usr/share/man/*' --dpkgopt='path-exclude=/usr/share/locale/*')
  else
    # man-db would index the manual pages after each install; no build reads them.
    opts=(--variant="${kind%-*}" --architectures="${kind#*-}" --customize-hook='echo
      "man-db man-db/auto-update boolean false" | chroot "$1" debconf-set-selections')
  fi
  mmdebstrap --mode=unshare --aptopt='Acquire::Retries "3"' \
    --aptopt='Acquire::Check-Valid-Until "false"' "${opts[@]}" "$release" "$chroots/$name" \
    "${sources[@]}"
}

# Says which of the mirror's indexes apt, whose output is on standard input,
# failed to download, by suite and architecture.
failed_indexes() {
  sed -n 's,.*Failed to fetch [^ ]*/dists/\([^/ ]*\)/[^ ]*binary-\([^/ ]*\)/.*,\1 \2,p' | sort -u |
    while read -r suite a; do say "the mirror's $suite index for $a failed to download; is it mid-sync?"; done
}

# Removes the chroots. The files of a tools folder belong to the user's
# subordinate ids, so it is emptied from inside a user namespace first.
remove_chroots() {
  local dir
  [ -n "$chroots" ] || return 0
  for dir in "$chroots"/*-tools; do
    [ ! -d "$dir" ] || mmdebstrap --unshare-helper rm -rf "$dir" 2>/dev/null || true
  done
  rm -rf "$chroots"
}
