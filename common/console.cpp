#include "console.hpp"

#include <cerrno>
#include <cstring>

namespace console {

void printMatrix(int rows, int cols, const int *matrix, std::FILE *out) {
  const int *row = matrix;
  for (int r = 0; r < rows; ++r) {
    printArr(row, cols, out);
    if (cols > 0) {
      row += cols;
    }
  }
}

void printArr(const int *array, int count, std::FILE *out) {
  for (int i = 0; i < count; ++i) {
    std::fprintf(out, "%d ", array[i]);
  }
  std::putc('\n', out);
}

int finishOutput(const char *program, std::FILE *out, std::FILE *err) {
  errno = 0;
  const bool flushFailed = std::fflush(out) != 0;
  if (!flushFailed && std::ferror(out) == 0) {
    return 0;
  }
  // A failed flush leaves its reason in errno. An earlier failure, whose
  // buffer stdio has already dropped, leaves none to report.
  if (flushFailed && errno != 0) {
    std::fprintf(err, "%s: write error: %s\n", program, std::strerror(errno));
  } else {
    std::fprintf(err, "%s: write error\n", program);
  }
  return 1;
}

} // namespace console
