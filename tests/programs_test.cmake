# The configure's check of the list of programs fails, naming each finding: a
# real configure of the source tree, seen through links, with one fault of
# each kind planted, each in the last program it can be, so that a check that
# skips any program misses it. Called as
#   cmake -DSOURCE=<dir> -DWORK=<dir> -DGENERATOR=<name> -P programs_test.cmake
include(${SOURCE}/cmake/programs.cmake)
list(GET programs -1 last)
list(GET varying_programs -1 varying)

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
link(. cmake tests ${last})
link(cmake programs.cmake)
link(tests golden)
link(tests/golden)
link(${last} ${last}.hpp)

file(WRITE ${WORK}/tree/unlisted/main.cpp "int main() { return 0; }\n")
file(WRITE ${WORK}/tree/tests/golden/${varying}.out "")
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
        "a program's file that is missing: ${last}/${last}.hpp"
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
