#include "console.hpp"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <iterator>
#include <limits>

namespace console {

namespace {

// The longest decimal int with the space or line feed after it: a sign, one
// digit more than digits10 (2147483647 has 10 where digits10 is 9), the space.
constexpr std::size_t kWidest = 1 + (std::numeric_limits<int>::digits10 + 1) + 1;

// Text is gathered here and handed to the stream in one write per call of
// printMatrix or printArr, or in pieces of this size when it is longer.
constexpr std::size_t kBufferSize = 256;
using Buffer = char[kBufferSize];

// Writes the text gathered in buffer, up to end, to out.
void put(const Buffer &buffer, const char *end, std::FILE *out) {
  std::fwrite(buffer, 1, static_cast<std::size_t>(end - buffer), out);
}

// Returns where the next size bytes may go: end if they fit in buffer after
// it, or else the start of buffer, once the text so far is written to out.
char *makeRoom(Buffer &buffer, char *end, std::size_t size, std::FILE *out) {
  if (static_cast<std::size_t>(std::end(buffer) - end) >= size) {
    return end;
  }
  put(buffer, end, out);
  return buffer;
}

// Appends the row text of the count integers of array, each number followed
// by a space, then a line feed, to the text gathered in buffer up to end.
// Returns the new end.
char *appendRow(Buffer &buffer, char *end, const int *array, int count, std::FILE *out) {
  for (int i = 0; i < count; ++i) {
    end = makeRoom(buffer, end, kWidest, out);
    // The number's limit leaves room for the space after it.
    end = std::to_chars(end, end + kWidest - 1, array[i]).ptr;
    *end++ = ' ';
  }
  end = makeRoom(buffer, end, 1, out);
  *end++ = '\n';
  return end;
}

} // namespace

void printMatrix(int rows, int cols, const int *matrix, std::FILE *out) {
  Buffer buffer;
  char *end = buffer;
  const int *row = matrix;
  for (int r = 0; r < rows; ++r) {
    end = appendRow(buffer, end, row, cols, out);
    if (cols > 0) {
      row += cols;
    }
  }
  if (end != buffer) {
    put(buffer, end, out);
  }
}

void printArr(const int *array, int count, std::FILE *out) {
  Buffer buffer;
  put(buffer, appendRow(buffer, buffer, array, count, out), out);
}

void printValue(int value, std::FILE *out) {
  char line[kWidest];
  char *end = std::to_chars(std::begin(line), std::end(line) - 1, value).ptr;
  *end++ = '\n';
  std::fwrite(line, 1, static_cast<std::size_t>(end - line), out);
}

int finishOutput(const char *program, std::FILE *out, std::FILE *err) {
  // Some file systems report a lost write only when the file is closed, so
  // the stream is closed here rather than left to exit().
  const bool failedBefore = std::ferror(out) != 0;
  errno = 0;
  const bool closeFailed = std::fclose(out) != 0;
  if (!failedBefore && !closeFailed) {
    return 0;
  }
  // A failed close, or the flush within it, leaves its reason in errno. An
  // earlier failure, whose buffer stdio has already dropped, leaves none.
  if (closeFailed && errno != 0) {
    std::fprintf(err, "%s: write error: %s\n", program, std::strerror(errno));
  } else {
    std::fprintf(err, "%s: write error\n", program);
  }
  return 1;
}

} // namespace console
