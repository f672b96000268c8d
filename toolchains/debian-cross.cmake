# Cross build for the Debian architecture DEB_HOST_ARCH (arm64, armel, armhf,
# i386, mips64el, mipsel, ppc64el, s390x...), given as a cache variable or in
# the environment, with Debian's cross compiler g++-<GNU type> and the target's
# libraries from multiarch. What is built runs under qemu-user, without any
# binfmt_misc registration.
if(NOT DEB_HOST_ARCH)
  set(DEB_HOST_ARCH "$ENV{DEB_HOST_ARCH}")
endif()
if(NOT DEB_HOST_ARCH)
  message(FATAL_ERROR "Name the target: DEB_HOST_ARCH=arm64 cmake --workflow --preset cross")
endif()
# The checks CMake compiles in scratch projects read this file too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DEB_HOST_ARCH)

foreach(name GNU_TYPE GNU_CPU MULTIARCH)
  execute_process(
    COMMAND dpkg-architecture -a${DEB_HOST_ARCH} -qDEB_HOST_${name}
    OUTPUT_VARIABLE ${name}
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endforeach()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${GNU_CPU})
set(CMAKE_CXX_COMPILER ${GNU_TYPE}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${MULTIARCH})

# qemu names two CPUs its own way.
set(qemu_cpu ${GNU_CPU})
if(GNU_CPU STREQUAL "i686")
  set(qemu_cpu i386)
elseif(GNU_CPU STREQUAL "powerpc64le")
  set(qemu_cpu ppc64le)
endif()
# The loader comes from the cross toolchain's folder. Its libraries are named
# first too: through the host's ld.so.cache the loader would otherwise take a
# host copy of the target's libc (libc6-i386's, say), and that mismatched pair
# hangs i386 programs in fork().
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${qemu_cpu} -L /usr/${GNU_TYPE} -E
                                  LD_LIBRARY_PATH=/usr/${GNU_TYPE}/lib)
