# CI's jobs, and the chroots they need, as make targets. .ci/run readies the machine and runs them;
# make runs any alone too, where its packages are:  make -f .ci/jobs.mk build/ci/dev.ok
# A job, build/ci/NAME.ok, runs each time it is asked; a chroot, $(chroots)/NAME, is made once.
.ONESHELL:
.DELETE_ON_ERROR:
MAKEFLAGS += --no-builtin-rules --no-print-directory
# What a run may set. work: the tree the jobs work in; chroots: where the chroots are made; JOBS:
# the jobs asked for; host: the release the machine runs, if CI checks it, else none; CI_I386:
# native, or cross where the kernel runs no i386 program; CI_USER: as root, who runs the recipes.
work ?= $(CURDIR)
chroots ?= $(work)/build/ci/chroots
JOBS ?= $(jobs)
host := $(or $(host),$(shell bash -c '. .ci/lib.sh && host_release'))
CI_I386 := $(or $(CI_I386),$(shell arch-test -n i386 >/dev/null 2>&1 && echo native || echo cross))
# ctest runs a test per core. No variable a recipe reads may run $(shell): .ci/step would run it.
export CTEST_PARALLEL_LEVEL := $(or $(CTEST_PARALLEL_LEVEL),$(shell nproc))
export work dsc
ok := build/ci
ci := $(work)/build/ci
deb := $(ci)/deb
version := $(shell dpkg-parsechangelog -S Version 2>/dev/null | sed 's/^[0-9]*://')
dsc := $(deb)/src/intarrays_$(version).dsc
arch := $(shell dpkg --print-architecture 2>/dev/null)

# The releases CI checks, and the architectures besides amd64 whose suite each one's g++ runs.
releases := bookworm trixie unstable
cross.bookworm := arm64 armel armhf i386 mips64el mipsel ppc64el s390x
cross.trixie := riscv64
cross.unstable := arm64 armhf i386 loong64 ppc64el riscv64 s390x
name = $(subst bookworm,Debian 12,$(subst trixie,Debian 13,$1))
# The packages jobs run with; sbuild sets up its namespace's network with ip.
build := g++ cmake ninja-build
tests := $(build) libgtest-dev groff-base mandoc po4a binutils
sbuild := sbuild iproute2
$(foreach a,$(sort $(foreach r,$(releases),$(cross.$r))),\
  $(eval gnu.$a := $(shell dpkg-architecture -a$a -qDEB_HOST_GNU_TYPE 2>/dev/null)))
# The chroots of sbuild's jobs, and of piuparts and autopkgtest; .ci/lib.sh reads their names.
buildd = $(chroots)/$1-buildd-$(or $2,amd64).tar
minbase := $(chroots)/bookworm-minbase-amd64.tar.gz

# $(call job,NAME,RELEASE,PACKAGES,NEEDS) adds the job NAME, and gives its rule's prerequisites:
# the chroots in NEEDS ($< is the first), RELEASE's tools chroot unless the machine runs RELEASE,
# and the jobs in NEEDS. It runs with PACKAGES, RELEASE's or else the machine's. NAME.what says
# what it checks; NAME.copy, a folder a job of a RELEASE gets in place of the tree; NAME.root: root.
job = $(eval $(call job_,$1,$2,$3,$4))$($1.chroots) $(patsubst %,$(ok)/%.ok,$($1.needs))
define job_
jobs += $1
$1.release := $2
$1.uses := $3
$1.needs := $(filter-out $(chroots)/%,$4)
$1.chroots := $(filter $(chroots)/%,$4) $(if $(filter-out $(host),$2),$(chroots)/$2-tools)
endef

# The upstream jobs: the code built and tested CMake's way.
dev.what = the dev workflow: debug build, warnings as errors, every test
$(ok)/dev.ok: $(call job,dev,,$(tests)) ; cmake --workflow --preset dev
release.what = the quick start runs the programs, hardened, and looks for no test package
$(ok)/release.ok: $(call job,release,,$(build) devscripts)
	cmake --preset release
	! grep -iE '^(GTest|GMock|GROFF|MANDOC)[^:]*:' build/release/CMakeCache.txt ||
	  die "the release configure looked for a test package"
	cmake --build --preset run <<<12 | tee $(ci)/run.out
	grep -qx 'Inserire il valore di x: RES: [0-8]' $(ci)/run.out ||
	  die "run.out: no line 'Inserire il valore di x: RES: ' and a count from 0 to 8"
	hardened build/release/bin
	say "the programs ran, hardened"
asan.what = the asan workflow: the tests under AddressSanitizer and UBSan
$(ok)/asan.ok: $(call job,asan,,$(tests)) ; cmake --workflow --preset asan
format.what = sources as their formatters write them; shellcheck silent on each script and recipe
$(ok)/format.ok: $(call job,format,,clang-format-19 cmake-format git shfmt shellcheck)
	files '*.cpp' '*.hpp' '*.c' | xargs -0 clang-format-19 --dry-run -Werror
	files CMakeLists.txt '*/CMakeLists.txt' '*.cmake' | xargs -0 cmake-format --check
	shell=$$(files . | xargs -0 shfmt -f)
	mapfile -t shell <<<"$$shell"
	shfmt -d "$${shell[@]}"
	shellcheck -x "$${shell[@]}"
	# Each recipe of this file, on either path for i386, as bash gets it; plan's as sh gets it.
	rm -rf $(ci)/recipes
	mkdir -p $(ci)/recipes
	recipes=(make -f .ci/jobs.mk -s chroots=/none JOBS="$(jobs)" run)
	CI_RECIPES=$(ci)/recipes "$${recipes[@]}" CI_I386=native
	mv $(ci)/recipes/build-i386.bash $(ci)/recipes/build-i386-native.bash
	CI_RECIPES=$(ci)/recipes "$${recipes[@]}" CI_I386=cross
	{ echo '#!/bin/sh'; make -f .ci/jobs.mk -n plan; } >$(ci)/recipes/plan.sh
	cd $(ci)/recipes
	# Each file's first line is the shell's, not the recipe's.
	shellcheck -f gcc ./* | awk -F: -v OFS=: '{ $$2--; print ".ci/jobs.mk, the recipe of " $$0 }' ||
	  die "shellcheck: the findings above"
	say "sources as their formatters write them; shellcheck: nothing in $${#shell[@]} scripts"
	say "shellcheck: nothing in the $$(find . -name '*.bash' | wc -l) recipes, nor in plan's"
clang.what = the clang workflow: the dev build and tests with clang
$(ok)/clang.ok: $(call job,clang,,$(tests) clang) ; cmake --workflow --preset clang
cost.what = bench/cost.sh: no program costs more than its C program
$(ok)/cost.ok: $(call job,cost,,$(build) valgrind)
	cmake --workflow --preset bench
	bench/cost.sh build/bench | sed 's/^/ci: /'
fuzz.what = a minute of fuzzing the reader of x finds no failing input
$(ok)/fuzz.ok: $(call job,fuzz,,clang libclang-rt-dev)
	cmake --workflow --preset fuzz
	mkdir -p $(ci)/corpus build/fuzz/artifacts
	build/fuzz/fuzz/readthreshold_fuzz -max_total_time=60 -print_final_stats=1 \
	  -artifact_prefix=build/fuzz/artifacts/ $(ci)/corpus fuzz/corpus ||
	  die "the failing input is in build/fuzz/artifacts/"
	say "fuzzing: no failing input in 60 s"
tidy.what = clang-tidy 19 finds nothing in any source of the dev build
$(ok)/tidy.ok: $(call job,tidy,,clang-tidy-19,dev)
	run-clang-tidy-19 -p build/dev -quiet -j "$$(nproc)" >$(ci)/tidy.out 2>&1 ||
	  { grep -E 'warning:|error:' $(ci)/tidy.out | sort -u; die "clang-tidy 19 found the above"; }
	say "clang-tidy 19: no finding"
version.what = the upstream version is that of the newest changelog entry
$(ok)/version.ok: $(call job,version,,dpkg-dev,release)
	upstream=$$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
	# The upstream part: no Debian revision, no suffix (+b1, +nmu1, +deb12u1, ~bpo12+1, ~rc1).
	[ "$$upstream" = "$$(sed -E 's/-[^-]*$$//; s/^([0-9]+(\.[0-9]+)*).*/\1/' <<<$(version))" ] ||
	  die "CMakeLists.txt says $$upstream, debian/changelog says $(version)"
	say "upstream $$upstream, Debian $(version)"
install.what = after the quick start, the install puts each program of the list, its pages
$(ok)/install.ok: $(call job,install,,po4a,release)
	rm -rf $(ci)/prefix
	cmake --install build/release --prefix $(ci)/prefix
	cmake -DPREFIX=$(ci)/prefix -P tests/check_install.cmake
	say "each program, its English page and its Italian page installed"
memcheck.what = memcheck finds no fault and no leak in any program, a varying one at a fixed second
$(ok)/memcheck.ok: $(call job,memcheck,,$(build) valgrind) ; cmake --workflow --preset memcheck

# The package's builds, each in a fresh copy of its chroot, and their checks.
source.what = dpkg-source builds the source package of the tested tree
$(ok)/source.ok: $(call job,source,,dpkg-dev git)
	rm -rf $(deb)/src
	mkdir -p $(deb)/src/intarrays
	tree | tar -x -C $(deb)/src/intarrays
	cd $(deb)/src
	dpkg-source -b intarrays
	say "source package $(notdir $(dsc))"
build.what = sbuild with Debian 12's packages: tests run, and the source built too
$(ok)/build.ok: $(call job,build,,$(sbuild),$(call buildd,bookworm) source)
	sbuild_in $(deb)/build $< --source --source-only-changes
build-binnmu.what = sbuild builds a binNMU: tests run
$(ok)/build-binnmu.ok: $(call job,build-binnmu,,$(sbuild),$(call buildd,bookworm) source)
	sbuild_in $(deb)/build-binnmu $< --binNMU=1 \
	  --make-binNMU="Rebuild to check that a binNMU builds." \
	  --maintainer="$$(sed -n 's/^Maintainer: //p' debian/control)"
crossbuild-arm64.what = sbuild cross-builds arm64
$(ok)/crossbuild-arm64.ok: $(call job,crossbuild-arm64,,$(sbuild),$(call buildd,bookworm) source)
	sbuild_in $(deb)/crossbuild-arm64 $< --host=arm64 --profiles=cross,nocheck
build-trixie.what = sbuild with Debian 13's packages: tests run
$(ok)/build-trixie.ok: $(call job,build-trixie,,$(sbuild),$(call buildd,trixie) source)
	sbuild_in $(deb)/build-trixie $<
build-unstable.what = sbuild with unstable's packages: tests run
$(ok)/build-unstable.ok: $(call job,build-unstable,,$(sbuild),$(call buildd,unstable) source)
	sbuild_in $(deb)/build-unstable $<
ifeq ($(CI_I386),native)
build-i386.what = sbuild in an i386 chroot: tests run
$(ok)/build-i386.ok: $(call job,build-i386,,$(sbuild),$(call buildd,bookworm,i386) source)
	sbuild_in $(deb)/build-i386 $< --arch=i386
else
build-i386.what = sbuild cross-builds i386, where the kernel runs no i386 program; cross-i386 tests
$(ok)/build-i386.ok: $(call job,build-i386,,$(sbuild),$(call buildd,bookworm) source cross-i386)
	sbuild_in $(deb)/build-i386 $< --host=i386 --profiles=cross,nocheck
endif
# The second build starts with debian/rules clean; one more must leave the tree as unpacked.
build-twice.what = sbuild builds nocheck twice in one tree: clean restores it, same .deb bytes
$(ok)/build-twice.ok: $(call job,build-twice,,$(sbuild),$(call buildd,bookworm) build)
	# shellcheck disable=SC2016 # sbuild's shell reads these
	sbuild_in $(deb)/build-twice $< --profiles=nocheck --finished-build-commands='
	  cd %SBUILD_PKGBUILD_DIR && user=$$(stat -c %%U .) &&
	  runuser -u "$$user" -- dpkg-buildpackage -us -uc -b -Pnocheck &&
	  runuser -u "$$user" -- debian/rules clean && dpkg-source --no-check -x ../*.dsc ../unpacked &&
	  diff -r ../unpacked . && echo "ci: the clean target restores the tree"'
	grep -qx 'ci: the clean target restores the tree' $(deb)/build-twice/*.build
	! grep -E '^ libgtest-dev ' $(deb)/build-twice/*.buildinfo || die "nocheck installed GoogleTest"
	for f in $(deb)/build/*.deb; do cmp "$$f" "$(deb)/build-twice/$${f##*/}"; done
	say "the nocheck build gives the .deb bytes of the build with tests"
piuparts.what = piuparts: install, purge, and upgrade to the binNMU (as root)
piuparts.root := yes
$(ok)/piuparts.ok: $(call job,piuparts,,piuparts dpkg-dev,$(minbase) build build-binnmu)
	mkdir -p $(deb)/older
	cp $(deb)/build/intarrays_$(version)_$(arch).deb $(deb)/older/
	(cd $(deb)/older; dpkg-scanpackages . >Packages 2>/dev/null) # no cwd in what piuparts mounts
	as_root "piuparts installs the package in a chroot it enters" piuparts --basetgz=$< \
	  --distribution=bookworm --mirror="$$(debian_mirror)" --bindmount=$(deb)/older \
	  --extra-repo="deb [trusted=yes] file://$(deb)/older ./" $(deb)/build-binnmu/*_$(arch).deb
	say "piuparts: install, purge, and upgrade to the binNMU passed"
autopkgtest.what = autopkgtest of the package in a fresh chroot
$(ok)/autopkgtest.ok: $(call job,autopkgtest,,autopkgtest,$(minbase) build)
	autopkgtest --apt-upgrade $(deb)/build/intarrays_$(version)_$(arch).deb $(dsc) \
	  -- unshare --tarball $< 2>&1 | tee $(ci)/autopkgtest.out
	sed -n '/@@@@ summary/,$$ { s/^/ci: /; p; }' $(ci)/autopkgtest.out
hardening.what = hardening-check on the programs of the package
$(ok)/hardening.ok: $(call job,hardening,,devscripts cmake,build)
	dpkg-deb --extract $(deb)/build/intarrays_$(version)_$(arch).deb $(ci)/root
	hardened $(ci)/root/usr/bin
	say "hardening-check: every program hardened"
# Not varied: users, groups, host and domain names, file order: they need privileges or FUSE.
reprotest.what = reprotest: the package built again, the same, in a varied environment
$(ok)/reprotest.ok: $(call job,reprotest,,reprotest faketime locales-all debhelper $(tests),source)
	mkdir -p $(ci)/reprotest
	cd $(ci)/reprotest
	reprotest --vary=-user_group,-domain_host,-fileordering $(dsc) -- null
	say "reprotest: the same bytes"

# The upstream workflows with the packages of each release: $(call cross,ARCH,
# RELEASE,NAME) adds the job NAME, cross-ARCH for Debian 12, else cross-ARCH-RELEASE.
dev-unstable.what = the dev workflow with unstable's g++
$(ok)/dev-unstable.ok: $(call job,dev-unstable,unstable,$(tests)) ; cmake --workflow --preset dev
clang-unstable.what = the clang workflow with unstable's clang
$(ok)/clang-unstable.ok: $(call job,clang-unstable,unstable,$(tests) clang)
	cmake --workflow --preset clang
cross_uses = $(build) groff-base mandoc po4a binutils dpkg-dev qemu-user g++-$(gnu.$1) \
  libgtest-dev:$1
define cross
$3.what = the cross workflow for $1 with $(call name,$2)'s g++, tests under qemu-user
$(ok)/$3.ok: $(call job,$3,$2,$(call cross_uses,$1))
	DEB_HOST_ARCH=$1 cmake --workflow --preset cross
endef
$(foreach r,$(releases),$(foreach a,$(cross.$r),\
  $(eval $(call cross,$a,$r,cross-$a$(patsubst %,-%,$(filter-out bookworm,$r))))))

# The checks of every build: dpkg-buildflags gives the hardening flags, the upstream build none.
builds = $(filter build build-%,$(jobs)) crossbuild-arm64
flags := -fstack-protector-strong|-fstack-clash-protection|_FORTIFY_SOURCE|-z,relro|-z,now
blhc.what = blhc: each hardening flag on every build line, once
$(ok)/blhc.ok: $(call job,blhc,,blhc,$(builds))
	for log in $(deb)/*/*.build; do
	  blhc --debian --all "$$log"
	  ! grep -E -- '($(flags)).*\1' "$$log" || die "a hardening flag stands twice on these lines"
	done
	say "blhc: every compile and link line carries the hardening flags, each once"
lintian.what = unstable's lintian --pedantic: no tag on any .changes
lintian.copy := $(deb)
$(ok)/lintian.ok: $(call job,lintian,unstable,lintian,$(builds))
	lintian --pedantic -E -I --fail-on error,warning,info,pedantic,experimental ./*/*.changes
	say "unstable's $$(lintian --version): no tag on $$(printf "%s\n" ./*/*.changes | wc -l) .changes"

# A tools chroot holds the packages of its release's selected jobs.
closure = $(sort $1 $(foreach j,$1,$(call closure,$($j.needs))))
selected := $(filter $(call closure,$(JOBS)),$(jobs))
$(if $(filter-out $(jobs),$(JOBS)),$(error no job $(filter-out $(jobs),$(JOBS))))
needed := $(sort $(foreach j,$(selected),$($j.chroots)))
$(foreach r,$(releases),$(eval $r-tools.uses := \
  $(sort $(foreach j,$(selected),$(if $(filter $r,$($j.release)),$($j.uses))))))
$(chroots)/%: ; make_chroot $@ $($*.uses)
# .ci/step runs each recipe, as the variables of its job ask: see there.
$(ok)/%.ok $(chroots)/%: SHELL := $(CURDIR)/.ci/step
$(ok)/%.ok $(chroots)/%: .SHELLFLAGS = $@ in=$(call in,$(j)) copy=$($(j).copy) \
  user=$(if $($(j).root),,$(CI_USER)) -c
j = $(basename $(@F))
in = $(if $($1.release),$(or $(filter %-tools,$($1.chroots)),/))
.PHONY: run list plan $(jobs:%=$(ok)/%.ok)
# make starts a job whose prerequisites are being made only after all others: so each job above
# comes after those it needs, and first come the tools chroots, then the jobs others need.
first = $(foreach j,$(filter $(foreach k,$(selected),$($k.needs)),$(selected)),\
  $(if $($j.needs)$($j.chroots),,$(ok)/$j.ok))
run: $(filter %-tools,$(needed)) $(first) $(needed) $(selected:%=$(ok)/%.ok)
# Each job: its name, whose packages it runs with, its chroots (a tools chroot: where), its what.
tab := $(shell printf '\t')
row = $1$(tab)$(or $(call name,$($1.release)),the machine)'s$(tab)$(notdir $($1.chroots))
list: ; $(foreach j,$(jobs),$(info $(call row,$j)$(tab)$(value $j.what)))
# The run in four lines: the machine; its packages (python3 runs mmdebstrap's tar filter, which it
# only recommends; bwrap runs a job of a release); the chroots; the jobs.
packages = $(sort $(foreach j,$(selected),$(if $(filter %-tools,$($j.chroots)),,$($j.uses)) \
  $(if $($j.release),bubblewrap)) $(if $(needed),mmdebstrap uidmap python3))
machine = the machine runs $(host:none=a release CI does not check); i386 path: $(CI_I386)
plan: ; printf '%s\n' '$(machine)' '$(packages)' '$(notdir $(needed))' '$(selected)'
