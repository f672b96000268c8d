# An Italian manual page keeps what is not to be translated: the footer of
# its header (the source and the date) and every text quoted between \(lq and
# \(rq, which the programs print or users type. Both pages are read as groff
# renders them, a paragraph a line. Called as
#   cmake -DGROFF=<groff> -DPAGE=<English page> -DTRANSLATION=<Italian page>
#         -P translation_test.cmake
function(untranslated page out)
  execute_process(
    COMMAND ${GROFF} -k -man -Tutf8 -rLL=1000n -P-cbou ${page}
    OUTPUT_VARIABLE text
    RESULT_VARIABLE status)
  if(status)
    message(FATAL_ERROR "groff failed on ${page}")
  endif()
  string(REGEX REPLACE " +" " " text "${text}")
  string(REPLACE "“" "<<" text "${text}")
  string(REPLACE "”" ">>" text "${text}")
  string(REGEX MATCHALL "<<[^>]*>>" quoted "${text}")
  list(SORT quoted)
  string(STRIP "${text}" text)
  string(REGEX MATCH "[^\n]*$" footer "${text}")
  set(${out}
      "footer: ${footer}\nquoted: ${quoted}"
      PARENT_SCOPE)
endfunction()

untranslated(${PAGE} english)
untranslated(${TRANSLATION} italian)
if(NOT italian STREQUAL english)
  message(FATAL_ERROR "${TRANSLATION} changes what ${PAGE} keeps as it is:\n"
                      "English:\n${english}\nItalian:\n${italian}")
endif()
