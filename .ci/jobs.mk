# The CI jobs and their chroots as targets of GNU make, run by .ci/run, which
# exports the variables below. A job's product is build/ci/JOB.ok, a chroot's
# a file or folder in $(chroots); the log of either is build/ci/NAME.log.
SHELL := /bin/bash
.SHELLFLAGS := -euo pipefail -c
.DELETE_ON_ERROR:
MAKEFLAGS += --no-builtin-rules --no-print-directory

host ?= none# the release the machine runs, if CI checks it
CI_I386 ?= native# cross where the kernel runs no i386 program
JOBS ?= $(jobs)# the jobs asked for
export work ?= $(CURDIR)# the tree the jobs work in
export chroots ?= $(work)/build/ci/chroots# where the chroots are made

# The releases CI checks, and the architectures besides amd64 on which each
# one's g++ runs the whole suite under qemu-user: Debian 12's in the jobs
# cross-ARCH, a newer release's in cross-ARCH-RELEASE.
releases := bookworm trixie unstable
cross.bookworm := arm64 armel armhf i386 mips64el mipsel ppc64el s390x
cross.trixie := riscv64
cross.unstable := arm64 armhf i386 loong64 ppc64el riscv64 s390x
name.bookworm := Debian 12
name.trixie := Debian 13
name.unstable := unstable

# The packages jobs run with; sbuild sets up the network of its namespace with ip.
build := g++ cmake ninja-build
tests := $(build) libgtest-dev groff-base binutils
sbuild := sbuild iproute2
$(foreach a,$(sort $(foreach r,$(releases),$(cross.$r))),\
  $(eval gnu.$a := $(shell dpkg-architecture -a$a -qDEB_HOST_GNU_TYPE 2>/dev/null)))
cross = $(build) groff-base binutils dpkg-dev qemu-user g++-$(gnu.$1) libgtest-dev:$1

# $(call job,NAME,NEEDS,USES,RELEASE,WHAT) adds the job NAME, run after the
# jobs in NEEDS and with the chroots @FILE there. USES are the packages it runs
# with: RELEASE's, from its tools chroot unless the machine runs RELEASE, or
# the machine's. WHAT says what it checks. $(call chroot,FILE) orders a chroot.
job = $(eval $(call job_,$1,$2,$3,$4,$5))
define job_
jobs += $1
order += $1
$1.needs := $2 $(if $(filter-out $(host),$4),@$4-tools)
$1.uses := $3
$1.release := $4
$1.what := $5
endef
chroot = $(eval order += @$1)
cross_job = $(call job,cross-$1$(if $(filter-out bookworm,$2),-$2),,$(call cross,$1),$2,\
  the cross workflow for $1 with $(name.$2)'s g++; its tests under qemu-user)
crosses = $(foreach a,$(cross.$1),$(call cross_job,$a,$1))
buildd = source @$1-buildd-amd64.tar
builds := build build-binnmu build-twice build-i386 crossbuild-arm64 build-trixie build-unstable
minbase := @bookworm-minbase-amd64.tar.gz

# The jobs in the order of a whole run: make starts what it can in this order,
# so each chroot is made beside jobs that need none, well before its own jobs.
$(foreach r,unstable trixie bookworm,$(call chroot,$r-tools))
$(call job,dev,,$(tests),,the dev workflow: debug build; warnings as errors; every test)
$(call job,release,,$(build),,the release preset runs the programs and looks for no test package)
$(call job,asan,,$(tests),,the asan workflow: the tests under AddressSanitizer and UBSan)
$(call job,format,,clang-format-19 cmake-format git,,C++ and CMake sources as clang-format 19 and cmake-format write them)
$(call job,version,release,dpkg-dev,,the upstream version is that of the newest changelog entry)
$(call job,clang,,$(tests) clang,,the clang workflow: the dev build and tests with clang)
$(call job,install,release,,,the release build installs programs and pages into a prefix)
$(call job,memcheck,release,valgrind,,valgrind's memcheck finds nothing in any program)
$(call job,cost,,$(build) valgrind,,bench/cost.sh: no program costs more than its C program)
$(call chroot,bookworm-buildd-amd64.tar)
$(call job,source,,dpkg-dev git,,dpkg-source builds the source package of the tested tree)
$(call job,tidy,dev,clang-tidy-19,,clang-tidy 19 finds nothing in any source of the dev build)
$(call job,reprotest,source,reprotest faketime locales-all debhelper $(tests),,reprotest: the package built again the same in a varied environment)
$(call job,build,$(call buildd,bookworm),$(sbuild),,sbuild with Debian 12's packages: tests run; source too)
$(call job,build-binnmu,$(call buildd,bookworm),$(sbuild),,sbuild builds a binNMU: tests run)
$(call job,crossbuild-arm64,$(call buildd,bookworm),$(sbuild),,sbuild cross-builds arm64)
$(if $(filter native,$(CI_I386)),$(call chroot,bookworm-buildd-i386.tar))
$(call chroot,$(minbase:@%=%))
$(call job,fuzz,,clang libclang-rt-dev,,a minute of fuzzing the reader of x finds no failing input)
$(call job,dev-unstable,,$(tests),unstable,the dev workflow with unstable's g++)
$(call job,clang-unstable,,$(tests) clang,unstable,the clang workflow with unstable's clang)
$(call crosses,unstable)
$(call crosses,trixie)
$(call job,piuparts,build build-binnmu $(minbase),piuparts dpkg-dev,,piuparts: install; purge; upgrade to the binNMU (as root))
$(call job,autopkgtest,build $(minbase),autopkgtest,,autopkgtest of the package in a fresh chroot)
$(call chroot,trixie-buildd-amd64.tar)
$(call chroot,unstable-buildd-amd64.tar)
$(call crosses,bookworm)
$(call job,build-twice,build @bookworm-buildd-amd64.tar,$(sbuild),,sbuild builds nocheck twice in one tree: clean restores it; same .deb bytes)
$(if $(filter native,$(CI_I386)),\
  $(call job,build-i386,source @bookworm-buildd-i386.tar,$(sbuild),,sbuild in an i386 chroot: tests run),\
  $(call job,build-i386,$(call buildd,bookworm) cross-i386,$(sbuild),,sbuild cross-builds i386; cross-i386 ran its tests under qemu-user))
$(call job,build-trixie,$(call buildd,trixie),$(sbuild),,sbuild with Debian 13's packages: tests run)
$(call job,build-unstable,$(call buildd,unstable),$(sbuild),,sbuild with unstable's packages: tests run)
$(call job,hardening,build,devscripts,,hardening-check on the programs of the package)
$(call job,blhc,$(builds),blhc,,blhc: each hardening flag on every build line once)
$(call job,lintian,$(builds),lintian,unstable,unstable's lintian --pedantic: no tag on any .changes)

# Each job's product needs those of the jobs and chroots it needs.
product = $(if $(filter @%,$1),$(chroots)/$(1:@%=%),build/ci/$1.ok)
$(foreach j,$(jobs),$(eval build/ci/$j.ok: $(foreach n,$($j.needs),$(call product,$n))))
closure = $(sort $1 $(foreach j,$1,$(call closure,$(filter-out @%,$($j.needs)))))
selected := $(filter $(call closure,$(JOBS)),$(jobs))
needed := $(filter @%,$(foreach j,$(selected),$($j.needs)))
# A tools chroot holds what its release's selected jobs use.
$(foreach r,$(releases),$(eval $r-tools.uses := \
  $(sort $(foreach j,$(selected),$(if $(filter $r,$($j.release)),$($j.uses))))))
# The recipes are in .ci/lib.sh.
build/ci/%.ok:
	@. .ci/lib.sh && step job $* $($*.release)
$(chroots)/%:
	@. .ci/lib.sh && step chroot $* $($*.uses)

.PHONY: run list plan
# The selected jobs and the chroots they need, in the order of a whole run.
run: $(foreach n,$(filter $(selected) $(needed),$(order)),$(call product,$n))
list: ; @:$(foreach j,$(jobs),$(info $j|$($j.what)))
# Three lines: the machine's packages the selected jobs need, their chroots, and the jobs.
plan:
	@echo $(sort $(foreach j,$(selected),$(if $(filter-out $(host),$($j.release)),,$($j.uses))) \
	  $(if $(needed),mmdebstrap uidmap))
	@echo $(sort $(needed:@%=%))
	@echo $(selected)
