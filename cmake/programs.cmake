# The programs, named here once, in the order `run` starts them: pairthreshold,
# which waits for input, last. The build, the install, the tests and the bench
# read this list; `cmake -P cmake/programs.cmake` prints it for scripts,
# a program a line, each followed by "golden" or, for a program whose output
# varies from run to run, "varying".
set(programs rowcompare rowsumprod rowminmax pairthreshold)
# pairthreshold prints random sequences: it has no golden output.
set(varying_programs pairthreshold)

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
  foreach(program IN LISTS programs)
    set(output golden)
    if(program IN_LIST varying_programs)
      set(output varying)
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${program} ${output}")
  endforeach()
  return()
endif()

# A program folder (one with a main.cpp) that the list leaves out would not
# be built: it stops the configure, named.
file(
  GLOB unlisted
  RELATIVE ${PROJECT_SOURCE_DIR}
  ${PROJECT_SOURCE_DIR}/*/main.cpp)
list(TRANSFORM unlisted REPLACE "/main.cpp$" "")
list(REMOVE_ITEM unlisted ${programs})
if(unlisted)
  message(FATAL_ERROR "Every program folder must be listed in cmake/programs.cmake: ${unlisted}")
endif()

# Each program's own files. A missing one stops the configure, named, rather
# than dropping in silence the test or measure it serves.
foreach(program IN LISTS programs)
  set(files ${program}/CMakeLists.txt tests/${program}_test.cpp man/${program}.1 bench/${program}.c)
  if(NOT program IN_LIST varying_programs)
    list(APPEND files tests/golden/${program}.out)
  endif()
  foreach(file IN LISTS files)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${file})
      list(APPEND missing ${file})
    endif()
  endforeach()
endforeach()
if(missing)
  list(JOIN missing " " missing)
  message(FATAL_ERROR "Every program needs its own files; missing: ${missing}")
endif()
