/* Preloaded by cost.sh under each program whose output varies (marked
   varying in the list) and its C program: time() always answers the same
   second, so both draw the same sequences on every run, their outputs can be
   compared and their instruction counts repeat. Needs nothing, not even libc, so that
   loading it costs as little as can be. */
#include <time.h>

time_t time(time_t *when) {
  const time_t fixed = 1700000000;
  if (when) {
    *when = fixed;
  }
  return fixed;
}
