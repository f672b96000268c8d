# How the programs are built: the compiler and linker flags, as the INTERFACE
# targets project_warnings, program_hardening and program_options, and
# add_program, which links them. Reads the options INTARRAYS_SANITIZE and
# INTARRAYS_HARDENING.

# Warnings every target of the project is built with. Presets add -Werror.
add_library(project_warnings INTERFACE)
target_compile_options(
  project_warnings
  INTERFACE -Wall # the common set of likely mistakes
            -Wextra # unused parameters, signed/unsigned comparisons and more
            -Wpedantic # anything outside ISO C++
            -Wconversion # implicit conversions that may change a value
            -Wsign-conversion # ... including a change of sign
            -Wshadow # a name that hides another
            -Wformat=2 # printf formats checked against their arguments
            -Wold-style-cast # casts that say what they do
            -Wnull-dereference # paths the optimiser proves dereference null
)

# The sanitizers, for everything built. Their runtimes need libraries besides
# libc. Undefined behaviour stops the run; frame pointers make the reports'
# stacks whole.
if(INTARRAYS_SANITIZE)
  add_compile_options(-fsanitize=${INTARRAYS_SANITIZE} -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${INTARRAYS_SANITIZE})
endif()

# A 64-bit time_t on 32-bit targets too, so that the clock that seeds
# pairthreshold goes on past January 2038; glibc asks for the 64-bit off_t with
# it. On 64-bit targets both already are 64-bit.
add_compile_definitions(_FILE_OFFSET_BITS=64 _TIME_BITS=64)

# Position-independent executables, so the loader can randomise their address.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()

# The rest of Debian's hardening set, for the programs and everything linked
# into them. A Debian package build turns it off: dpkg-buildflags gives the
# same flags, and each is to appear once.
add_library(program_hardening INTERFACE)
if(INTARRAYS_HARDENING)
  target_compile_options(
    program_hardening
    INTERFACE -fstack-protector-strong # a canary in every function with arrays or addresses taken
              -fstack-clash-protection # large stack frames are probed a page at a time
  )
  # Relocations read-only after start-up, every symbol bound before main.
  target_link_options(program_hardening INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
if(INTARRAYS_HARDENING AND NOT INTARRAYS_SANITIZE)
  # Checked variants of libc's buffer functions. They need the optimiser, and
  # AddressSanitizer makes the same checks its own way.
  target_compile_definitions(
    program_hardening INTERFACE $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()

# What a program is linked with so that it costs what a C program costs.
add_library(program_options INTERFACE)
# No exception or RTTI machinery: nothing here throws or asks for a type.
target_compile_options(program_options INTERFACE -fno-exceptions -fno-rtti)
# Keep only the libraries a program really calls into: libc alone, no libstdc++.
target_link_options(program_options INTERFACE LINKER:--as-needed)
# GCC's helper routines, such as armhf's division, from the static libgcc as a
# C program gets them, not from the shared libgcc_s that g++ links by default.
target_link_options(program_options INTERFACE -static-libgcc)

# Adds program NAME from the current folder: the library NAME_lib of its
# computing functions (NAME.cpp), which tests link too, and the executable
# built from main.cpp, placed in bin/ of the build tree.
function(add_program name)
  add_library(${name}_lib STATIC ${name}.cpp)
  target_include_directories(${name}_lib PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name}_lib PRIVATE project_warnings program_options program_hardening)

  add_executable(${name} main.cpp)
  target_link_libraries(${name} PRIVATE ${name}_lib console project_warnings program_options
                                        program_hardening)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endfunction()
