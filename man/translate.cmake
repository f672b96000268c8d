# Makes the Italian pages PAGES with po4a from its configuration CONFIG, and
# fails naming each English page whose translation in man/it.po is not whole
# and current: po4a writes no page that is less than fully translated, and
# a fuzzy entry counts as untranslated. Called from the top of the tree as
#   cmake -DPO4A=<po4a> -DCONFIG=<file> -DPAGES=<list> -P translate.cmake
file(REMOVE ${PAGES})
execute_process(COMMAND ${PO4A} --no-update --keep 100 ${CONFIG} COMMAND_ERROR_IS_FATAL ANY)
foreach(page IN LISTS PAGES)
  if(NOT EXISTS ${page})
    get_filename_component(name ${page} NAME)
    list(APPEND stale man/${name})
    continue()
  endif()
  # po4a writes every hyphen as \-, the date of the .TH line too, where no
  # reader takes it for a date: the date goes back to the English page's form.
  file(READ ${page} text)
  string(REGEX MATCH "\n\\.TH [^\n]*" header "${text}")
  string(REPLACE "\\-" "-" date "${header}")
  string(REPLACE "${header}" "${date}" text "${text}")
  file(WRITE ${page} "${text}")
endforeach()
if(stale)
  list(JOIN stale " " stale)
  message(
    FATAL_ERROR
      "The Italian of ${stale} in man/it.po is incomplete or out of date: run `cmake --build "
      "<build dir> --target update-po`, then translate what it marks fuzzy or leaves empty.")
endif()
