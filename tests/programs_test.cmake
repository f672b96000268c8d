# The configure's check of the list of programs fails, naming each finding: a
# real configure of the source tree, seen through links, with faults of each
# kind planted, in every program they fit, so that a check that skips any
# program misses one. Called as
#   cmake -DSOURCE=<dir> -DWORK=<dir> -DGENERATOR=<name> -P programs_test.cmake
cmake_minimum_required(VERSION 3.25)
include(${SOURCE}/cmake/programs.cmake)

# Every program without any file of its own; each varying one with a golden
# output; an unlisted program folder; a varying mark on no program.
foreach(program IN LISTS programs)
  program_files(${program} files)
  list(APPEND skipped ${files})
endforeach()
list(JOIN skipped " " own)
list(JOIN varying_programs " " varying)
list(APPEND skipped cmake/programs.cmake)

# Links into the tree each entry of folder ("" or "<path>/") of the source,
# but those skipped, and mirrors a folder that holds one of them.
function(mirror folder)
  file(
    GLOB entries
    RELATIVE ${SOURCE}
    ${SOURCE}/${folder}*)
  foreach(entry IN LISTS entries)
    if("${skipped};" MATCHES "(^|;)${entry}/")
      file(MAKE_DIRECTORY ${WORK}/tree/${entry})
      mirror(${entry}/)
    elseif(NOT entry IN_LIST skipped)
      file(CREATE_LINK ${SOURCE}/${entry} ${WORK}/tree/${entry} SYMBOLIC)
    endif()
  endforeach()
endfunction()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/tree)
mirror("")
foreach(program IN LISTS varying_programs)
  file(WRITE ${WORK}/tree/tests/golden/${program}.out "")
endforeach()
file(WRITE ${WORK}/tree/unlisted/main.cpp "int main() { return 0; }\n")
file(READ ${SOURCE}/cmake/programs.cmake list)
string(REPLACE "set(varying_programs " "set(varying_programs stray " planted "${list}")
if(planted STREQUAL list)
  message(FATAL_ERROR "no line set(varying_programs ...) in cmake/programs.cmake to plant in")
endif()
file(WRITE ${WORK}/tree/cmake/programs.cmake "${planted}")

execute_process(
  COMMAND ${CMAKE_COMMAND} -G ${GENERATOR} -S ${WORK}/tree -B ${WORK}/build
  OUTPUT_QUIET
  ERROR_VARIABLE err
  RESULT_VARIABLE status)
foreach(
  finding IN
  ITEMS "a program folder that the list leaves out: unlisted"
        "a program's file that is missing: ${own}"
        "marked varying, yet with a golden output in tests/golden: ${varying}"
        "marked varying, yet not in the list: stray")
  string(FIND "${err}" " ${finding}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the configure (status ${status}) did not say \"${finding}\":\n${err}")
  endif()
endforeach()
if(status EQUAL 0)
  message(FATAL_ERROR "the configure passed with every fault planted")
endif()
