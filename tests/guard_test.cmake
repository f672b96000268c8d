# A guard's test: COMMAND must fail with exit status STATUS and print MESSAGE
# as a whole line of its standard error. Called as
#   cmake -DCOMMAND=<list> -DSTATUS=<n> -DMESSAGE=<line> -P guard_test.cmake
execute_process(
  COMMAND ${COMMAND}
  OUTPUT_QUIET
  ERROR_VARIABLE err
  RESULT_VARIABLE status)
string(FIND "\n${err}" "\n${MESSAGE}\n" at)
if(NOT status STREQUAL STATUS OR at EQUAL -1)
  message(FATAL_ERROR "expected exit status ${STATUS} and the line [${MESSAGE}], got status "
                      "${status} and:\n${err}")
endif()
