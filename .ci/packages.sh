# The packages step, sourced by .ci/run: readies the machine for the jobs of
# a run, and asks for root only for what is missing. It
# - adds the foreign architectures of the packages that name one (such as
#   libgtest-dev:arm64), and installs the packages that are missing;
# - as root, makes the user the jobs run as: a system user, $user;
# - where a job needs a chroot, gives that user 65536 subordinate ids past
#   every range given already, and checks that it may make user namespaces.

# Installs the packages named that are not installed. An index that fails to
# download even after apt's retries, as when the mirror is mid-sync, is named,
# and the run goes on as long as what the jobs need can still be installed.
install_missing() {
  local p a missing=() out
  for p in "$@"; do # PACKAGE of the machine's architecture, or PACKAGE:ARCH
    a=${p#"${p%%:*}"} && a=${a#:}
    dpkg-query -W -f='${db:Status-Abbrev}${Architecture}\n' "${p%%:*}" 2>/dev/null |
      grep -qE "^ii (${a:-$arch|all})$" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  for p in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*://p' | sort -u); do
    dpkg --print-foreign-architectures | grep -qx "$p" ||
      as_root "dpkg takes $p packages" dpkg --add-architecture "$p"
  done
  say "installing ${missing[*]}"
  out=$(as_root "apt-get reads the package lists" env LC_ALL=C apt-get update -q \
    -o Acquire::Retries=3 2>&1) || { grep '^[EW]:' <<<"$out" >&2 || true; failed_indexes <<<"$out"; }
  as_root "apt-get installs the packages" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    --no-install-recommends "${missing[@]}" >/dev/null || die "could not install ${missing[*]}"
}

# Readies the machine for jobs that use the packages PACKAGES and, if the
# second argument is not empty, chroots: ready PACKAGES CHROOTS.
ready() {
  local file
  # shellcheck disable=SC2086 # lists of single words
  install_missing $1
  if [ "$(id -u)" -eq 0 ] && ! id -u "$user" >/dev/null 2>&1; then
    say "making the system user $user, whom the jobs run as"
    useradd --system --user-group --home-dir /nonexistent --shell /usr/sbin/nologin "$user"
  fi
  [ -n "$2" ] || return 0
  if [ "$(id -u)" -eq 0 ]; then
    for file in /etc/subuid /etc/subgid; do
      touch "$file"
      grep -q "^$user:" "$file" ||
        awk -F: -v u="$user" '$2 + $3 > end { end = $2 + $3 }
          END { print u ":" (end > 100000 ? end : 100000) ":65536" }' "$file" >>"$file"
    done
  elif ! grep -q "^$(id -un):" /etc/subuid; then
    die "$(id -un) has no subordinate ids in /etc/subuid, which the chroots need"
  fi
  "${as_user[@]}" unshare --user --map-root-user true ||
    die "the kernel lets no user namespace be made, which the chroots need"
}
