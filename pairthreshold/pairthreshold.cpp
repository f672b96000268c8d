#include "pairthreshold.hpp"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace pairthreshold {

// The platform generator is part of the program's contract: the same seed
// gives the same sequences as any C program that draws the same way.
int platformDraw() { return std::rand(); } // NOLINT(cert-msc30-c,cert-msc50-cpp)

void populateArr(int *array, int size, DrawFn draw) {
  if (size < 1) {
    return;
  }
  int i = 0;
  int value = (draw() % 12) - 1;
  while (i < size - 1 && value > 0) {
    array[i] = value;
    ++i;
    value = (draw() % 12) - 1;
  }
  array[i] = kTerminator;
}

void drawSequences(unsigned seed, std::span<int, kSlots> a, std::span<int, kSlots> b) {
  std::srand(seed); // NOLINT(cert-msc32-c,cert-msc51-cpp): the seed is the caller's choice
  populateArr(a.data(), kSlots);
  populateArr(b.data(), kSlots);
}

int fun(std::span<const int> a, std::span<const int> b, int x) {
  const auto inRun = [](std::span<const int> s, std::size_t at) {
    return at < s.size() && s[at] != kTerminator;
  };
  int count = 0;
  std::size_t i = 0;
  std::size_t j = 0;
  for (; inRun(a, i) && inRun(b, j); ++i, ++j) {
    if (std::int64_t{a[i]} + b[j] >= x) {
      ++count;
    }
  }
  for (; inRun(a, i); ++i) {
    if (a[i] >= x) {
      ++count;
    }
  }
  for (; inRun(b, j); ++j) {
    if (b[j] >= x) {
      ++count;
    }
  }
  return count;
}

int readThreshold(std::FILE *in) {
  const auto isDigit = [](int c) { return c >= '0' && c <= '9'; };
  // The white space of the C locale, which these programs never leave: blank,
  // then tab, line feed, vertical tab, form feed and carriage return.
  const auto isSpace = [](int c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  int c = std::getc(in);
  while (isSpace(c)) {
    c = std::getc(in);
  }
  const bool negative = c == '-';
  if (c == '-' || c == '+') {
    c = std::getc(in);
  }
  // Past 2^31 the magnitude only has to stay out of range, so it stops
  // growing there and cannot overflow.
  constexpr std::int64_t kSaturated = std::int64_t{INT_MAX} + 1;
  std::int64_t magnitude = 0;
  for (; isDigit(c); c = std::getc(in)) {
    magnitude = std::min((magnitude * 10) + (c - '0'), kSaturated);
  }
  if (c != EOF) {
    std::ungetc(c, in);
  }
  return static_cast<int>(
      std::clamp(negative ? -magnitude : magnitude, std::int64_t{INT_MIN}, std::int64_t{INT_MAX}));
}

} // namespace pairthreshold
