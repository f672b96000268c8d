# Checks the programs installed under PREFIX, for the install job and the
# autopkgtest: each program of the list has bin/<name>, its English page
# share/man/man1/<name>.1 and its Italian page share/man/it/man1/<name>.1,
# gzipped or not. A page is the right one when its .TH names the program and
# its section headings are those of the English page in man/ or, in Italian,
# their translations in man/it.po. Each fault found is printed on a line of
# its own, then the check fails. Called as
#   cmake -DPREFIX=<dir> -P check_install.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(source ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
include(${source}/cmake/programs.cmake)
file(READ ${source}/man/it.po po)

# Sets out to what makes a page the right one: the name its .TH line gives,
# then its .SH headings, joined by " | ".
function(headings page out)
  if(page MATCHES "\\.gz$")
    execute_process(COMMAND gzip -dc ${page} OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
  else()
    file(READ ${page} text)
  endif()
  string(REGEX MATCHALL "\n\\.(TH [^ \n]+|SH [^\n]+)" lines "\n${text}")
  list(TRANSFORM lines REPLACE "^\n\\.(TH|SH) \"?([^\"]*)\"?$" "\\2")
  list(JOIN lines " | " words)
  set(${out}
      "${words}"
      PARENT_SCOPE)
endfunction()

set(faults 0)
# Prints a fault, and counts it.
macro(fault text)
  message(NOTICE "${text}")
  math(EXPR faults "${faults} + 1")
endmacro()

foreach(program IN LISTS programs)
  if(NOT EXISTS ${PREFIX}/bin/${program})
    fault("bin/${program}: not installed")
  endif()
  headings(${source}/man/${program}.1 english)
  string(REPLACE " | " ";" italian "${english}")
  list(POP_FRONT italian name)
  foreach(heading IN LISTS italian)
    string(REGEX MATCH "\nmsgid \"${heading}\"\nmsgstr \"([^\"]*)\"" _ "${po}")
    string(APPEND name " | ${CMAKE_MATCH_1}")
  endforeach()
  foreach(language IN ITEMS "English:man1:${english}" "Italian:it/man1:${name}")
    string(REGEX MATCH "^([^:]*):([^:]*):(.*)$" _ "${language}")
    set(page share/man/${CMAKE_MATCH_2}/${program}.1)
    set(expected "${CMAKE_MATCH_3}")
    if(EXISTS ${PREFIX}/${page}.gz)
      string(APPEND page .gz)
    elseif(NOT EXISTS ${PREFIX}/${page})
      fault("${page}: not installed")
      continue()
    endif()
    headings(${PREFIX}/${page} found)
    if(NOT found STREQUAL expected)
      fault(
        "${page}: not the ${CMAKE_MATCH_1} page\n  its headings: ${found}\n  expected:     ${expected}"
      )
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "${faults} of the installed files above are missing or wrong")
endif()
