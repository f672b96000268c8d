# Helpers of CI, sourced by .ci/run, by the recipes of .ci/jobs.mk and by each
# job. The jobs work in $work: the tree itself, or a private copy of it when
# CI runs as root. The logs and the products of the jobs stay in the tree's
# build/ci; the rest of what the jobs make is in $ci, but the chroots, which
# are in $chroots.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
logs=$top/build/ci
work=${work:-$top}
ci=$work/build/ci
chroots=${chroots:-}
deb=$ci/deb # the source package, and what each package job makes
programs=(rowcompare rowsumprod rowminmax pairthreshold)
# When CI runs as root, the jobs run as this user, which the packages step makes.
user=${CI_USER:-intarrays-ci}
# ctest runs as many tests at a time as the machine has cores.
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

say() { printf 'ci: %s\n' "$*"; }
die() { say "$*" >&2 && exit 1; }

# The words that run a command as the ordinary user: none if the caller is one.
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(runuser -u "$user" -- env HOME="$ci/home")
# Runs a command as root, through sudo if need be; the first argument says why.
as_root() {
  local why=$1
  shift
  if [ "$(id -u)" -eq 0 ]; then "$@"; else say "asking sudo: $why" && sudo "$@"; fi
}

# The package's version as file names carry it, without an epoch, and its .dsc.
version=${version:-$(dpkg-parsechangelog -l "$top/debian/changelog" -S Version 2>/dev/null || true)}
version=${version#*:}
dsc=$deb/src/intarrays_$version.dsc
arch=$(dpkg --print-architecture)

# Runs step KIND NAME ARGS... for make: the job NAME, with its release as ARGS
# (KIND job), or the making of the chroot NAME, with its packages as ARGS
# (KIND chroot). It runs as the ordinary user in $work, but piuparts as root;
# its whole output is build/ci/NAME.log. Says when it starts and ends, shows
# the end of the log when it fails, and notes in build/ci/times when it
# started, counted from the start of the run, how long it took, and the
# processor time it used.
step() {
  local kind=$1 name=$2 log=$logs/${2%%.tar*}.log start=$SECONDS status=0 cpu utime stime TIMEFORMAT='%0U %0S'
  local at=$(($(date +%s) - ci_start))
  local run=("${as_user[@]}" bash -euo pipefail -c 'cd "$work"; . .ci/lib.sh; "$@"' -)
  [ "$name" != piuparts ] || run=(bash -euo pipefail -c '. "$0/.ci/lib.sh"; cd "$work"; "$@"' "$top")
  # The builds a job starts, the package's make among them, are none of CI's make.
  unset MAKEFLAGS MFLAGS MAKELEVEL
  say "$name: started"
  cpu=$({ time "${run[@]}" "run_$kind" "${@:2}" >"$log" 2>&1 </dev/null; } 2>&1) || status=$?
  read -r utime stime <<<"${cpu##*$'\n'}"
  printf '%5d s %5d s %5d s  %s\n' "$at" $((SECONDS - start)) $((utime + stime)) "$name" >>"$logs/times"
  if [ "$status" -ne 0 ]; then
    tail -n 30 "$log" | sed "s/^/  $name| /"
    die "$name failed after $((SECONDS - start)) s; its whole log is $log"
  fi
  sed -n -E "s/^(ci: )?([0-9]+% tests passed.*)/  $name: \2/p; s/^ci: /  $name: /p" "$log"
  say "$name: passed in $((SECONDS - start)) s"
  [ "$kind" = chroot ] || touch "$logs/$name.ok"
}

# Runs the body of the job NAME of RELEASE: run_job NAME [RELEASE]. The body
# of NAME, or of NAME less -RELEASE, is job_NAME; that of cross-ARCH, job_cross.
run_job() {
  job=$1 release=${2:-}
  local body=${1%-"$release"}
  if [[ $body == cross-* ]]; then job_cross "${body#cross-}"; else "job_${body//-/_}"; fi
}

# The tested tree as a tar stream of a folder intarrays: the tracked files and
# the new ones, as they stand in the work tree, whoever owns it.
tree() {
  git -C "$work" -c safe.directory="$work" ls-files -z -co --exclude-standard |
    tar -C "$work" --null -T - --ignore-failed-read --transform 's,^,intarrays/,' -c
}

# Runs the shell command CMD for the job: in the tree itself with the
# machine's packages if the job has no release, else in a fresh copy of the
# tree with its release's (in_release).
with_release() {
  if [ -z "$release" ]; then sh -ec "$1"; else tree | in_release "$release" "cd intarrays && $1"; fi
}

# Runs the shell command CMD with the packages of RELEASE, as an ordinary
# user, in a fresh folder where the tar stream on standard input is unpacked:
# on the machine if it runs RELEASE, else in RELEASE's tools chroot, entered
# read-only with a /tmp of its own: in_release RELEASE CMD.
in_release() {
  if [ "$1" = "$host" ]; then
    rm -rf "${ci:?}/tree/$job" && mkdir -p "$ci/tree/$job" && tar -x -C "$ci/tree/$job"
    (cd "$ci/tree/$job" && sh -ec "$2")
  else
    mmdebstrap --unshare-helper sh -ec 'r=$1
      mount --bind "$r" "$r" && mount -o remount,bind,ro "$r"
      mount -t proc proc "$r/proc" && mount -t tmpfs -o mode=1777 tmp "$r/tmp"
      mount -t tmpfs -o mode=755 dev "$r/dev" && mkdir "$r/dev/pts"
      for f in null zero full random urandom tty; do : >"$r/dev/$f" && mount --bind "/dev/$f" "$r/dev/$f"; done
      mount -t devpts -o newinstance,ptmxmode=0666 devpts "$r/dev/pts" && ln -s pts/ptmx "$r/dev/ptmx"
      exec chroot "$r" setpriv --reuid=nobody --regid=nogroup --clear-groups env -i \
        PATH=/usr/bin:/bin HOME=/tmp CTEST_PARALLEL_LEVEL="$CTEST_PARALLEL_LEVEL" \
        sh -ec "cd /tmp && tar -x && $2"' - "$chroots/$1-tools" "$2"
  fi
}

for part in chroots upstream package; do . "$top/.ci/$part.sh"; done
