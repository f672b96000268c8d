# Runs one program and checks the whole run, for the build's tests and for
# the autopkgtest of the installed programs. Called as
#   cmake -DCOMMAND=<list> -DMODE=<mode> [-DEXPECTED=<file>] [-DINPUT=<file>]
#         [-DOPTIMISED=ON] [-DPAGE=<file> -DBIN=<dir> -DVARYING=ON] -P check_run.cmake
# COMMAND ends with the program; a cross-built one runs under the emulator's
# words before it.
# MODE golden:  standard output equals EXPECTED byte for byte, nothing on
#               standard error, exit status 0.
# MODE full:    standard output is /dev/full: exit status 1 and the one-line
#               write error on standard error.
# MODE closed:  standard output closed: exit status 1 and the write error;
#               with standard error closed as well, still exit status 1.
# MODE linkage: the program needs libc.so.6, and no shared library but it and
#               the dynamic loader: no C++ runtime. Unless OPTIMISED, libstdc++
#               is allowed for its assertion handler alone (see below).
# MODE example: the one command of the EXAMPLES of the manual page PAGE, run
#               by sh with BIN (where each program starts by its name) first
#               on PATH, prints what the page shows, but for trailing spaces,
#               which a page cannot show; if VARYING, any number stands for
#               any number.
cmake_minimum_required(VERSION 3.25)

list(GET COMMAND -1 PROGRAM)
get_filename_component(name "${PROGRAM}" NAME)
if(NOT DEFINED INPUT)
  set(INPUT /dev/null)
endif()

# Fails the test when actual differs from expected, naming what.
function(expect what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${name}: ${what}: expected [${expected}], got [${actual}]")
  endif()
endfunction()

if(MODE STREQUAL "golden")
  set(actual_file "${CMAKE_CURRENT_BINARY_DIR}/${name}.actual")
  execute_process(
    COMMAND ${COMMAND}
    INPUT_FILE "${INPUT}"
    OUTPUT_FILE "${actual_file}"
    ERROR_VARIABLE err
    RESULT_VARIABLE status)
  expect("exit status" "${status}" 0)
  expect("standard error" "${err}" "")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${actual_file}" "${EXPECTED}"
                  RESULT_VARIABLE differs)
  if(differs)
    file(READ "${actual_file}" actual)
    file(READ "${EXPECTED}" expected)
    expect("standard output" "${actual}" "${expected}")
    message(FATAL_ERROR "${name}: standard output differs from ${EXPECTED}")
  endif()
elseif(MODE STREQUAL "full")
  execute_process(
    COMMAND ${COMMAND}
    INPUT_FILE "${INPUT}"
    OUTPUT_FILE /dev/full
    ERROR_VARIABLE err
    RESULT_VARIABLE status)
  expect("exit status" "${status}" 1)
  expect("standard error" "${err}" "${name}: write error: No space left on device\n")
elseif(MODE STREQUAL "closed")
  # A preloaded library (libfaketime, say) may open a file at start-up, which
  # then takes the free descriptor 1: the program must find it closed.
  unset(ENV{LD_PRELOAD})
  execute_process(
    COMMAND sh -c "exec \"$@\" <\"$0\" >&-" "${INPUT}" ${COMMAND}
    ERROR_VARIABLE err
    RESULT_VARIABLE status)
  expect("exit status" "${status}" 1)
  expect("standard error" "${err}" "${name}: write error: Bad file descriptor\n")
  execute_process(COMMAND sh -c "exec \"$@\" <\"$0\" >&- 2>&-" "${INPUT}" ${COMMAND}
                  RESULT_VARIABLE status)
  expect("exit status with standard error closed too" "${status}" 1)
elseif(MODE STREQUAL "linkage")
  # readelf's words are translated: read them as the C locale gives them.
  set(ENV{LC_ALL} C)
  unset(ENV{LANGUAGE})
  execute_process(
    COMMAND readelf --dynamic "${PROGRAM}"
    OUTPUT_VARIABLE dynamic
    RESULT_VARIABLE status)
  expect("readelf status" "${status}" 0)
  string(REGEX MATCHALL "Shared library: \\[[^]]*\\]" needed "${dynamic}")
  list(TRANSFORM needed REPLACE "^Shared library: \\[(.*)\\]$" "\\1")
  # Since GCC 15, libstdc++ checks its assertions in unoptimised builds, and a
  # failed check calls a function of libstdc++.so. Such a build may need the
  # library for that function alone; the optimised build, which is what is
  # shipped, needs nothing from it.
  if(NOT OPTIMISED AND "libstdc++.so.6" IN_LIST needed)
    execute_process(COMMAND readelf --dyn-syms --wide "${PROGRAM}" OUTPUT_VARIABLE symbols)
    string(REGEX MATCHALL "UND [^ \n]+@(GLIBCXX|CXXABI)_[0-9.]+" taken "${symbols}")
    list(FILTER taken EXCLUDE REGEX "^UND _ZSt21__glibcxx_assert_failPKciS0_S0_@")
    if(NOT taken)
      list(REMOVE_ITEM needed "libstdc++.so.6")
    endif()
  endif()
  if(NOT "libc.so.6" IN_LIST needed)
    message(FATAL_ERROR "${name}: does not need libc.so.6; needs [${needed}]")
  endif()
  # The loader is ld-linux-<arch>.so.N, ld64.so.N or ld.so.N. Some targets take
  # the stack protector's guard from it.
  set(others ${needed})
  list(FILTER others EXCLUDE REGEX "^(libc\\.so\\.6|(ld-linux[-a-z0-9_]*|ld64|ld)\\.so\\.[0-9]+)$")
  expect("libraries besides libc and the dynamic loader" "${others}" "")
elseif(MODE STREQUAL "example")
  file(READ "${PAGE}" page)
  if(NOT page MATCHES "\n\\.EX\n\\$ ([^\n]*)\n(.*\n)\\.EE\n")
    message(FATAL_ERROR "${PAGE}: no example: .EX, a line \"$ command\", its output, .EE")
  endif()
  string(REPLACE "\\-" "-" command "${CMAKE_MATCH_1}")
  string(REPLACE "\\-" "-" expected "${CMAKE_MATCH_2}")
  if("${command}${expected}" MATCHES "\\\\")
    message(FATAL_ERROR "${PAGE}: the example holds an escape other than \\-")
  endif()
  set(ENV{PATH} "${BIN}:$ENV{PATH}")
  set(ENV{LC_ALL} C)
  execute_process(
    COMMAND sh -c "${command}"
    INPUT_FILE "${INPUT}"
    OUTPUT_VARIABLE actual
    RESULT_VARIABLE status)
  expect("exit status of the example of ${PAGE}" "${status}" 0)
  string(REGEX REPLACE " +\n" "\n" actual "${actual}")
  if(VARYING)
    string(REGEX REPLACE "-?[0-9]+" "N" actual "${actual}")
    string(REGEX REPLACE "-?[0-9]+" "N" expected "${expected}")
  endif()
  expect("output of the example of ${PAGE}" "${actual}" "${expected}")
else()
  message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()
