# optimised(FLAGS OUT) sets OUT to ON when FLAGS, the words of a compiler
# command line, build optimised code: their last -O option is not -O0, and
# no -O option means -O0. Only a word of its own is an option: the -O inside
# -I/x-O0 or -Wl,-O1 is not.
function(optimised flags out)
  separate_arguments(words UNIX_COMMAND "${flags}")
  list(FILTER words INCLUDE REGEX "^-O")
  set(level -O0)
  if(words)
    list(POP_BACK words level)
  endif()
  if(level STREQUAL "-O0")
    set(${out}
        OFF
        PARENT_SCOPE)
  else()
    set(${out}
        ON
        PARENT_SCOPE)
  endif()
endfunction()
