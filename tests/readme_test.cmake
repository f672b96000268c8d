# The README's table of programs names the programs of the list, each once,
# in the list's order. Called as  cmake -P readme_test.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/programs.cmake)
set(readme ${CMAKE_CURRENT_LIST_DIR}/../README.md)
file(STRINGS ${readme} rows REGEX "^\\| `[^`]*` \\|")
list(TRANSFORM rows REPLACE "^\\| `([^`]*)` \\|.*" "\\1")
if(NOT rows STREQUAL programs)
  message(FATAL_ERROR "README.md's table names [${rows}]; the list, [${programs}]")
endif()
