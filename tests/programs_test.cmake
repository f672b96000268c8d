# The configure's check of the list of programs fails, naming each finding: a
# real configure of the source tree, seen through links, with faults of each
# kind planted, in every program they fit, so that a check that skips any
# program misses one. Called as
#   cmake -DSOURCE=<dir> -DWORK=<dir> -DGENERATOR=<name> -P programs_test.cmake
include(${SOURCE}/cmake/programs.cmake)

# Links the entries of folder (relative to the source) into the tree, but
# those named after it.
function(link folder)
  file(
    GLOB entries
    RELATIVE ${SOURCE}/${folder}
    ${SOURCE}/${folder}/*)
  list(REMOVE_ITEM entries ${ARGN})
  file(MAKE_DIRECTORY ${WORK}/tree/${folder})
  foreach(entry IN LISTS entries)
    file(CREATE_LINK ${SOURCE}/${folder}/${entry} ${WORK}/tree/${folder}/${entry} SYMBOLIC)
  endforeach()
endfunction()
file(REMOVE_RECURSE ${WORK})
link(. cmake tests ${programs})
link(cmake programs.cmake)
link(tests golden)
link(tests/golden)
# Each program without its header; each varying one with a golden output.
foreach(program IN LISTS programs)
  link(${program} ${program}.hpp)
  list(APPEND headers ${program}/${program}.hpp)
endforeach()
foreach(program IN LISTS varying_programs)
  file(WRITE ${WORK}/tree/tests/golden/${program}.out "")
endforeach()
list(JOIN headers " " headers)
list(JOIN varying_programs " " varying)
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
        "a program's file that is missing: ${headers}"
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
