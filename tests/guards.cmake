# The tests of the guards, included by CMakeLists.txt: each plants a fault,
# where a guard walks the list in every program, and expects the guard to
# fail with its exit status and message.

# Adds test NAME: COMMAND, a guard, must fail with exit status STATUS and say
# MESSAGE, a line of its standard error.
function(add_guard_test name status message)
  add_test(NAME ${name}
           COMMAND ${CMAKE_COMMAND} "-DCOMMAND=${ARGN}" -DSTATUS=${status} "-DMESSAGE=${message}"
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/guard_test.cmake)
endfunction()

# Without GoogleTest, the configure stops naming its package in one line.
add_guard_test(
  Configure.NoGoogleTest
  1
  "  The tests need GoogleTest: apt-get install libgtest-dev"
  ${CMAKE_COMMAND}
  -G
  ${CMAKE_GENERATOR}
  -S
  ${PROJECT_SOURCE_DIR}
  -B
  ${CMAKE_CURRENT_BINARY_DIR}/no-gtest
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON)
add_test(
  NAME Programs.PlantedFaults
  COMMAND
    ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/planted
    -DGENERATOR=${CMAKE_GENERATOR} -P ${CMAKE_CURRENT_SOURCE_DIR}/programs_test.cmake)

# bench/cost.sh measures only like work. For each program P, a stand-in build
# tree where every program and C program prints its name, but P's C program
# a space after it: the script must fail before it counts, naming P.
foreach(unlike IN LISTS programs)
  set(tree ${CMAKE_CURRENT_BINARY_DIR}/unlike/${unlike})
  foreach(program IN LISTS programs)
    foreach(folder bin bench)
      set(planted $<AND:$<STREQUAL:${folder},bench>,$<STREQUAL:${program},${unlike}>>)
      file(
        GENERATE
        OUTPUT ${tree}/${folder}/${program}
        CONTENT "#!/bin/sh\necho '${program}$<${planted}: >'\n" FILE_PERMISSIONS OWNER_READ
                OWNER_EXECUTE)
    endforeach()
  endforeach()
  file(
    GENERATE
    OUTPUT ${tree}/bench/libfixedtime.so
    CONTENT "")
  add_guard_test(
    Cost.UnlikeOutput/${unlike} 2
    "cost.sh: ${unlike}: its C program writes otherwise (> above), and unlike work is not compared"
    ${PROJECT_SOURCE_DIR}/bench/cost.sh ${tree})
endforeach()

# Two stand-in installs, which check_install.cmake must fault for every
# program: in swapped/, no program, each English page gzipped in the Italian
# folder, each Italian page in the English folder; in bare/, the programs alone.
set(installed ${CMAKE_CURRENT_BINARY_DIR}/installed)
file(REMOVE_RECURSE ${installed})
file(MAKE_DIRECTORY ${installed}/swapped/share/man/man1 ${installed}/swapped/share/man/it/man1
     ${installed}/bare/bin)
foreach(program IN LISTS programs)
  file(CREATE_LINK ${PROJECT_BINARY_DIR}/man/it/${program}.1
       ${installed}/swapped/share/man/man1/${program}.1 SYMBOLIC)
  file(
    ARCHIVE_CREATE
    OUTPUT
    ${installed}/swapped/share/man/it/man1/${program}.1.gz
    PATHS
    ${PROJECT_SOURCE_DIR}/man/${program}.1
    FORMAT
    raw
    COMPRESSION
    GZip)
  file(CREATE_LINK ${standin}/bin/${program} ${installed}/bare/bin/${program} SYMBOLIC)
  list(APPEND swapped "bin/${program}: not installed"
       "share/man/man1/${program}.1: not the English page"
       "share/man/it/man1/${program}.1.gz: not the Italian page")
  list(APPEND bare "share/man/man1/${program}.1: not installed"
       "share/man/it/man1/${program}.1: not installed")
endforeach()
foreach(install IN ITEMS swapped bare)
  add_guard_test(
    Install.Faulty/${install}
    1
    "${${install}}"
    ${CMAKE_COMMAND}
    -DPREFIX=${installed}/${install}
    -P
    ${CMAKE_CURRENT_SOURCE_DIR}/check_install.cmake)
endforeach()
