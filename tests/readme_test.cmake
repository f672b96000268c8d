# The README's table of programs names the programs of the list, each once,
# in the list's order. Called as
#   cmake -DREADME=<file> -DPROGRAMS=<list> -P readme_test.cmake
file(STRINGS ${README} rows REGEX "^\\| `[^`]*` \\|")
list(TRANSFORM rows REPLACE "^\\| `([^`]*)` \\|.*" "\\1")
if(NOT rows STREQUAL PROGRAMS)
  message(FATAL_ERROR "${README}'s table names [${rows}]; the list, [${PROGRAMS}]")
endif()
