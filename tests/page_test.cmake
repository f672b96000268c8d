# Checks a manual page, English or Italian, by its roff source. Called as
#   cmake -DCHECK=<check> -DPAGE=<page> [...] -P page_test.cmake
# CHECK quotes:      rendered by GROFF at widths from 60 to 132 columns, every
#                    text that PAGE quotes between \(lq and \(rq reads exactly
#                    as its source gives it: no space stretched, no word
#                    hyphenated; it may break across lines at one of its spaces.
# CHECK translation: the Italian page TRANSLATION keeps PAGE's header but for
#                    its last field, the manual's name, its example, and every
#                    quoted text, in order and byte for byte.
# CHECK seealso:     the last section, SEE ALSO, names NAME(1) for every program
#                    of the list but the page's own.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/programs.cmake)

# Sets out to the texts that page quotes, each in [], in order, as a reader
# of the page is to read them: escapes read, a macro argument's quotes taken
# off. It fails, naming the page, on an escape it cannot read, and on a space
# a line may break at, and so drop, where a reader could not tell: the last of
# a quote, or one of two in a row (a space no line breaks at is written \ ).
function(quoted page out)
  file(READ ${page} text)
  set(texts "")
  string(FIND "${text}" "\\(lq" at)
  while(at GREATER -1)
    math(EXPR at "${at} + 4")
    string(SUBSTRING "${text}" ${at} -1 text)
    string(FIND "${text}" "\\(rq" end)
    string(SUBSTRING "${text}" 0 ${end} quote)
    if(quote MATCHES "^ \"(.*)\" $|^ ([^ \"]*) $")
      set(quote "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
    endif()
    string(REGEX REPLACE "\\\\f[BIRP]|\\\\%|\\\\&" "" quote "${quote}")
    string(REPLACE "\n" " " quote "${quote}")
    if(quote MATCHES "(^|[^\\\\]) $|  ")
      message(FATAL_ERROR "${page}: a quote ends in a space, or holds two in a row, that a line "
                          "may break at, and drop:\n  [${quote}]")
    endif()
    string(REPLACE "\\-" "-" quote "${quote}")
    string(REPLACE "\\ " " " quote "${quote}")
    if(end EQUAL -1 OR quote MATCHES "\\\\")
      message(FATAL_ERROR "${page}: a quote with no \\(rq, or an escape not read here: [${quote}]")
    endif()
    string(APPEND texts "[${quote}] ")
    string(FIND "${text}" "\\(lq" at)
  endwhile()
  set(${out}
      "${texts}"
      PARENT_SCOPE)
endfunction()

# Sets out to what a translation keeps of page as it is: its .TH line but the
# last field, the manual's name, and its example, .EX to .EE, as text.
function(kept page out)
  file(READ ${page} text)
  string(REGEX MATCH "\n\\.TH [^\n]* \"" header "\n${text}")
  string(REGEX MATCH "\n\\.EX\n.*\n\\.EE\n" example "${text}")
  string(REPLACE "\\-" "-" example "${example}")
  set(${out}
      "${header}${example}"
      PARENT_SCOPE)
endfunction()

quoted(${PAGE} expected)
if(CHECK STREQUAL "quotes")
  string(ASCII 1 open)
  string(ASCII 2 close)
  # Widths of terminals from narrow to wide, where the pages break lines apart.
  separate_arguments(widths UNIX_COMMAND "60 65 72 80 100 110 132")
  foreach(width IN LISTS widths)
    execute_process(
      COMMAND ${GROFF} -k -man -Tutf8 -rLL=${width}n -P-cbou ${PAGE}
      OUTPUT_VARIABLE text
      RESULT_VARIABLE status)
    if(status)
      message(FATAL_ERROR "groff failed on ${PAGE}")
    endif()
    string(REPLACE "“" "${open}" text "${text}")
    string(REPLACE "”" "${close}" text "${text}")
    string(REGEX MATCHALL "${open}[^${close}]*" quotes "${text}")
    set(rendered "")
    foreach(quote IN LISTS quotes)
      # A line broken at a space ends at the word before it.
      string(REGEX REPLACE "\n *" " " quote "${quote}")
      string(REGEX REPLACE "^${open}" "" quote "${quote}")
      string(APPEND rendered "[${quote}] ")
    endforeach()
    if(NOT rendered STREQUAL expected)
      message(FATAL_ERROR "${PAGE} at ${width} columns quotes otherwise than its source:\n"
                          "  source:   ${expected}\n  rendered: ${rendered}")
    endif()
  endforeach()
elseif(CHECK STREQUAL "translation")
  quoted(${TRANSLATION} italian)
  kept(${PAGE} english_kept)
  kept(${TRANSLATION} italian_kept)
  # Both as lines, each quoted text on its own, to name the first that differs.
  string(REPLACE "] [" "]\n[" english "${expected}${english_kept}\n")
  string(REPLACE "] [" "]\n[" italian "${italian}${italian_kept}\n")
  while(NOT italian STREQUAL english)
    string(REGEX MATCH "^[^\n]*\n" english_line "${english}")
    string(REGEX MATCH "^[^\n]*\n" italian_line "${italian}")
    if(NOT italian_line STREQUAL english_line)
      message(FATAL_ERROR "${TRANSLATION} changes what ${PAGE} keeps as it is, first here:\n"
                          "  English: ${english_line}  Italian: ${italian_line}")
    endif()
    string(LENGTH "${english_line}" length)
    string(SUBSTRING "${english}" ${length} -1 english)
    string(SUBSTRING "${italian}" ${length} -1 italian)
  endwhile()
elseif(CHECK STREQUAL "seealso")
  file(READ ${PAGE} text)
  string(REGEX REPLACE ".*\n\\.SH [^\n]*\n" "" text "${text}")
  string(REGEX REPLACE "\\\\f[BIRP]|\\.BR |[ \n]" "" text "${text}")
  get_filename_component(own ${PAGE} NAME_WE)
  foreach(program IN LISTS programs)
    if(NOT program STREQUAL own AND NOT text MATCHES "(^|[^a-z0-9])${program}\\(1\\)")
      list(APPEND unnamed ${program})
    endif()
  endforeach()
  if(unnamed)
    list(JOIN unnamed " " unnamed)
    message(FATAL_ERROR "${PAGE}: SEE ALSO does not name ${unnamed}")
  endif()
else()
  message(FATAL_ERROR "unknown CHECK '${CHECK}'")
endif()
