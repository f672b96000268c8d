# The flags the linkage test reads the build's optimisation from, each case
# as FLAGS:EXPECTED; `cmake -P optimised_test.cmake` fails on a wrong reading.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/optimised.cmake)

foreach(case IN ITEMS "-O2:ON" "-O2 -O0:OFF" "-O2 -I/x-O0:ON" "-O0 -Wl,-O1:OFF" ":OFF")
  string(REGEX MATCH "^(.*):(ON|OFF)$" _ "${case}")
  optimised("${CMAKE_MATCH_1}" actual)
  if(NOT actual STREQUAL CMAKE_MATCH_2)
    message(FATAL_ERROR "[${CMAKE_MATCH_1}]: expected ${CMAKE_MATCH_2}, got ${actual}")
  endif()
endforeach()
