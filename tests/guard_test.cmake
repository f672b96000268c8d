# A guard's test: COMMAND must fail with exit status STATUS and print each
# line of the list MESSAGE as a whole line of its standard error. Called as
#   cmake -DCOMMAND=<list> -DSTATUS=<n> -DMESSAGE=<list> -P guard_test.cmake
execute_process(
  COMMAND ${COMMAND}
  OUTPUT_QUIET
  ERROR_VARIABLE err
  RESULT_VARIABLE status)
foreach(line IN LISTS MESSAGE)
  string(FIND "\n${err}" "\n${line}\n" at)
  if(at EQUAL -1)
    list(APPEND unsaid "[${line}]")
  endif()
endforeach()
if(NOT status STREQUAL STATUS OR unsaid)
  message(FATAL_ERROR "expected exit status ${STATUS} and the lines ${unsaid}, got status "
                      "${status} and:\n${err}")
endif()
