# The packages step, sourced by .ci/run before any job: installs the packages
# the jobs use that the machine lacks, and readies what else a run needs of
# the machine. It asks for root only for what is missing.

# Installs the packages named that are not installed.
install_missing() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  say "installing ${missing[*]}"
  as_root "apt-get installs packages" sh -c 'apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"' - "${missing[@]}"
}

# The cross compilers' names come from dpkg-architecture, and libgtest-dev of
# each architecture from dpkg's foreign architectures.
install_missing dpkg-dev
for a in ${cross[$host]}; do
  dpkg --print-foreign-architectures | grep -qx "$a" ||
    as_root "dpkg takes $a packages for the cross builds" dpkg --add-architecture "$a"
done
packages=(g++ cmake ninja-build libgtest-dev groff-base clang libclang-rt-dev clang-tidy-19
  clang-format-19 cmake-format valgrind git devscripts blhc reprotest faketime qemu-user sbuild
  mmdebstrap uidmap arch-test piuparts autopkgtest debhelper)
# locales-all holds the locales that reprotest switches to, so that its change
# of locale takes effect.
packages+=(locales-all)
for a in ${cross[$host]}; do packages+=("$(cross_compiler "$a")" "libgtest-dev:$a"); done
install_missing "${packages[@]}"

# mmdebstrap, sbuild and autopkgtest run the chroots in user namespaces, with
# subordinate ids: when CI runs as root, the user sbuild gets a range past
# every range given already.
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
  die "the kernel lets $user make no user namespace, which the chroots need"

# The chroots come from the machine's mirror, named in deb822 form.
sources "$host" | grep -q '^URIs:' ||
  die "no deb822 stanza signed by debian-archive-keyring in /etc/apt/sources.list.d"

# When CI runs as root, the ordinary user works in the tree.
if [ "$(id -u)" -eq 0 ] && ! runuser -u "$user" -- test -r "$root/CMakeLists.txt"; then
  copy=/var/tmp/intarrays-ci
  say "the user $user cannot reach $root: the run goes on in a copy, $copy"
  rm -rf "$copy" && cp -a "$root" "$copy" && exec bash "$copy/.ci/run" "$@"
fi
