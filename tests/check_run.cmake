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
#               by bash with pipefail and BIN (where each program starts by its
#               name) first on PATH, succeeds, writes nothing on standard
#               error, and prints what the page shows, but for trailing spaces,
#               which a page cannot show. If VARYING, any number stands for any
#               number there, but those the page shows must be a run's of
#               pairthreshold, the one such program (see shown_run).
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

# Sets out to the run of line, a sequence as pairthreshold prints it, and
# fails unless it is one: 9 slots, a run of values from 1 to 10, the
# terminator -1, then zeros.
function(sequence line out)
  separate_arguments(slots UNIX_COMMAND "${line}")
  list(LENGTH slots length)
  if(NOT length EQUAL 9 OR NOT "${slots}" MATCHES "^(([1-9]|10);)*-1(;0)*$")
    message(FATAL_ERROR "${PAGE}: the example shows a sequence no run prints: ${line}")
  endif()
  list(FIND slots -1 end)
  list(SUBLIST slots 0 ${end} run)
  set(${out}
      "${run}"
      PARENT_SCOPE)
endfunction()

# Fails unless shown, the output a page's example shows, is what pairthreshold
# prints for the x that command echoes to it: two sequences, then a line
# ending in the count of the positions whose two values added, or whose lone
# value past the shorter run, reach x.
function(shown_run command shown)
  string(REGEX MATCH "^echo (-?[0-9]+) \\| " _ "${command}")
  set(x "${CMAKE_MATCH_1}")
  if(NOT shown MATCHES "^([-0-9 ]+)\n([-0-9 ]+)\n[^\n0-9]*([0-9]+)\n$" OR x STREQUAL "")
    message(FATAL_ERROR "${PAGE}: the example is not \"echo <x> | ...\" printing two "
                        "sequences and a line that ends in the count")
  endif()
  set(shown_count ${CMAKE_MATCH_3})
  sequence("${CMAKE_MATCH_1}" a)
  sequence("${CMAKE_MATCH_2}" b)
  set(count 0)
  foreach(i RANGE 7)
    set(sum 0)
    set(present NO)
    foreach(run IN ITEMS a b)
      list(LENGTH ${run} length)
      if(i LESS length)
        list(GET ${run} ${i} value)
        math(EXPR sum "${sum} + ${value}")
        set(present YES)
      endif()
    endforeach()
    if(present AND sum GREATER_EQUAL x)
      math(EXPR count "${count} + 1")
    endif()
  endforeach()
  if(NOT count EQUAL shown_count)
    message(FATAL_ERROR "${PAGE}: the example shows the count ${shown_count}, where its "
                        "sequences and x = ${x} give ${count}")
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
    COMMAND bash -o pipefail -c "${command}"
    INPUT_FILE "${INPUT}"
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE err
    RESULT_VARIABLE status)
  set(name "${PAGE}: the example \"${command}\"")
  expect("exit status, the last that is not 0 in its pipeline" "${status}" 0)
  expect("standard error" "${err}" "")
  string(REGEX REPLACE " +\n" "\n" actual "${actual}")
  if(VARYING)
    shown_run("${command}" "${expected}")
    string(REGEX REPLACE "-?[0-9]+" "N" actual "${actual}")
    string(REGEX REPLACE "-?[0-9]+" "N" expected "${expected}")
  endif()
  expect("output" "${actual}" "${expected}")
else()
  message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()
