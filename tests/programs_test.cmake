# A program folder that cmake/programs.cmake leaves out fails the configure,
# named: a real configure of the source tree, seen through links, with one
# folder more. Called as
#   cmake -DSOURCE=<dir> -DWORK=<dir> -DGENERATOR=<name> -P programs_test.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/tree)
file(
  GLOB entries
  RELATIVE ${SOURCE}
  ${SOURCE}/*)
foreach(entry IN LISTS entries)
  file(CREATE_LINK ${SOURCE}/${entry} ${WORK}/tree/${entry} SYMBOLIC)
endforeach()
file(WRITE ${WORK}/tree/unlisted/main.cpp "int main() { return 0; }\n")

execute_process(
  COMMAND ${CMAKE_COMMAND} -G ${GENERATOR} -S ${WORK}/tree -B ${WORK}/build
  OUTPUT_QUIET
  ERROR_VARIABLE err
  RESULT_VARIABLE status)
if(status EQUAL 0)
  message(FATAL_ERROR "the configure passed with the unlisted folder unlisted/")
elseif(NOT err MATCHES "must be listed in cmake/programs.cmake: unlisted\n")
  message(FATAL_ERROR "the configure failed, but named no unlisted folder:\n${err}")
endif()
