# The programs, named here once, in the order `run` starts them: pairthreshold,
# which waits for input, last. The build, the install, the tests and the bench
# read this list; `cmake -P cmake/programs.cmake` prints it for scripts,
# a program a line, each followed by "golden" or, for a program whose output
# varies from run to run, "varying". A script that includes it gets the lists
# and program_files.
set(programs rowcompare rowsumprod rowminmax pairthreshold)
# pairthreshold prints random sequences: it has no golden output.
set(varying_programs pairthreshold)

# Sets out to the files, from the top of the tree, that program needs of its
# own: its folder's, its unit tests, its page, its C program, and its golden
# output unless it is varying.
function(program_files program out)
  set(files
      ${program}/CMakeLists.txt
      ${program}/${program}.cpp
      ${program}/${program}.hpp
      ${program}/main.cpp
      tests/${program}_test.cpp
      man/${program}.1
      bench/${program}.c)
  if(NOT program IN_LIST varying_programs)
    list(APPEND files tests/golden/${program}.out)
  endif()
  set(${out}
      ${files}
      PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    cmake_minimum_required(VERSION 3.25)
    foreach(program IN LISTS programs)
      set(output golden)
      if(program IN_LIST varying_programs)
        set(output varying)
      endif()
      execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${program} ${output}")
    endforeach()
  endif()
  return()
endif()

# The tree must hold what the list says, and no program the list leaves out:
# each finding is collected, and the configure stops naming them all, rather
# than dropping in silence a program, or the test or measure a file serves.
#
# A program folder (one with a main.cpp) that the list leaves out would not
# be built.
file(
  GLOB unlisted
  RELATIVE ${PROJECT_SOURCE_DIR}
  ${PROJECT_SOURCE_DIR}/*/main.cpp)
list(TRANSFORM unlisted REPLACE "/main.cpp$" "")
list(REMOVE_ITEM unlisted ${programs})
# Each program's own files. A program's output is golden or varying, never
# both: a golden output beside a varying mark would lie unused while the mark
# loosens the program's tests.
foreach(program IN LISTS programs)
  program_files(${program} files)
  if(program IN_LIST varying_programs AND EXISTS ${PROJECT_SOURCE_DIR}/tests/golden/${program}.out)
    list(APPEND golden_varying ${program})
  endif()
  foreach(file IN LISTS files)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${file})
      list(APPEND missing ${file})
    endif()
  endforeach()
endforeach()
set(strays ${varying_programs})
list(REMOVE_ITEM strays ${programs})

# Each finding on a line of its own, which CMake prints as it is.
set(findings "")
macro(finding what names)
  if(${names})
    list(JOIN ${names} " " words)
    string(APPEND findings "\n    ${what}: ${words}")
  endif()
endmacro()
finding("a program folder that the list leaves out" unlisted)
finding("a program's file that is missing" missing)
finding("marked varying, yet with a golden output in tests/golden" golden_varying)
finding("marked varying, yet not in the list" strays)
if(findings)
  message(FATAL_ERROR "The programs of cmake/programs.cmake and the tree differ:${findings}")
endif()
