// libFuzzer target: pairthreshold::readThreshold on arbitrary bytes must give
// what a plain, slow reading of the same bytes gives, and leave the stream
// just after what it took. Any difference, crash or undefined behaviour stops
// the fuzzer.
#include "pairthreshold.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Reading {
  int value;
  long consumed; // bytes taken from the stream
};

bool isBlank(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The reading as a person would do it on paper: skip blanks, take a sign,
// take the digits, and judge their size as a string, not by arithmetic.
Reading reference(const std::uint8_t *data, std::size_t size) {
  std::size_t at = 0;
  while (at < size && isBlank(data[at])) {
    ++at;
  }
  bool negative = false;
  if (at < size && (data[at] == '+' || data[at] == '-')) {
    negative = data[at] == '-';
    ++at;
  }
  std::string digits;
  for (; at < size && data[at] >= '0' && data[at] <= '9'; ++at) {
    if (!digits.empty() || data[at] != '0') {
      digits.push_back(static_cast<char>(data[at]));
    }
  }
  const std::string limit = negative ? "2147483648" : "2147483647";
  const bool outOfRange =
      digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit);
  long long value = 0;
  if (outOfRange) {
    value = negative ? -2147483648LL : 2147483647LL;
  } else if (!digits.empty()) {
    value = std::stoll(digits) * (negative ? -1 : 1);
  }
  return {static_cast<int>(value), static_cast<long>(at)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char *>(data), size);
  std::FILE *in = fmemopen(bytes.data(), bytes.size(), "r");
  if (in == nullptr) {
    std::abort();
  }
  const int value = pairthreshold::readThreshold(in);
  const long consumed = std::ftell(in);
  std::fclose(in);

  const Reading expected = reference(data, size);
  if (value != expected.value || consumed != expected.consumed) {
    std::fprintf(stderr, "readThreshold gave %d after %ld bytes; expected %d after %ld\n", value,
                 consumed, expected.value, expected.consumed);
    std::abort();
  }
  return 0;
}
