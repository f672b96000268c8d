#include "console.hpp"

#include "support.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Returns everything written to a stream by one call of print. The stream
// writes to memory, so no file system has to be writable.
template <typename Print> std::string written(Print print) {
  char *data = nullptr;
  std::size_t size = 0;
  std::FILE *file = open_memstream(&data, &size);
  if (file == nullptr) {
    ADD_FAILURE() << "open_memstream: " << std::strerror(errno);
    return {};
  }
  print(file);
  std::fclose(file);
  std::string bytes(data, size);
  std::free(data); // open_memstream allocated it
  return bytes;
}

struct PrintCase {
  const char *name;
  int rows;
  int cols;
  std::vector<int> values;
  const char *expected;
  friend void PrintTo(const PrintCase &c, std::ostream *os) { *os << c.name; }
};

class PrintRowText : public testing::TestWithParam<PrintCase> {};

TEST_P(PrintRowText, ExactBytes) {
  const PrintCase &c = GetParam();
  EXPECT_EQ(
      written([&](std::FILE *out) { console::printMatrix(c.rows, c.cols, c.values.data(), out); }),
      c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, PrintRowText,
    testing::Values(PrintCase{"ThreeRowsTwoCols", 3, 2, {1, 1, 3, 0, 1, 3}, "1 1 \n3 0 \n1 3 \n"},
                    PrintCase{"NegativeAndZero", 1, 3, {-4, 0, 7}, "-4 0 7 \n"},
                    PrintCase{"Extremes", 1, 2, {INT_MIN, INT_MAX}, "-2147483648 2147483647 \n"},
                    PrintCase{"OneColumn", 3, 1, {4, -5, 6}, "4 \n-5 \n6 \n"},
                    PrintCase{"ZeroRows", 0, 2, {1, 2}, ""},
                    PrintCase{"NegativeRows", -1, 2, {1, 2}, ""},
                    PrintCase{"ZeroCols", 3, 0, {}, "\n\n\n"},
                    PrintCase{"NegativeCols", 2, -4, {}, "\n\n"}),
    CaseName());

struct ArrCase {
  const char *name;
  int count;
  std::vector<int> values;
  const char *expected;
  friend void PrintTo(const ArrCase &c, std::ostream *os) { *os << c.name; }
};

class PrintArr : public testing::TestWithParam<ArrCase> {};

TEST_P(PrintArr, ExactBytes) {
  const ArrCase &c = GetParam();
  EXPECT_EQ(written([&](std::FILE *out) { console::printArr(c.values.data(), c.count, out); }),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(Run, PrintArr,
                         testing::Values(ArrCase{"Three", 3, {-4, 1, -4}, "-4 1 -4 \n"},
                                         ArrCase{"PrefixOnly", 2, {8, 11, 0}, "8 11 \n"},
                                         ArrCase{"Empty", 0, {5}, "\n"},
                                         ArrCase{"NegativeCount", -3, {5}, "\n"}),
                         CaseName());

// Text far longer than any buffer it may be gathered in must come out as
// printf writes it: lines of INT_MIN, the widest number, after a lead-in of
// every length modulo its width, so that wherever a buffer ends a number meets
// it; and more empty lines than any buffer holds.
TEST(PrintArr, LongerThanAnyBuffer) {
  for (int lead = 0; lead < 24; ++lead) {
    std::vector<int> values(static_cast<std::size_t>(lead / 2), 0); // "0 ", 2 bytes each
    if (lead % 2 == 1) {
      values.push_back(-1); // "-1 ", 3 bytes
    }
    values.insert(values.end(), 200, INT_MIN);
    std::string expected;
    for (const int value : values) {
      expected += std::to_string(value) + ' ';
    }
    const int count = static_cast<int>(values.size());
    EXPECT_EQ(written([&](std::FILE *out) { console::printArr(values.data(), count, out); }),
              expected + '\n')
        << "lead-in " << lead;
  }
  EXPECT_EQ(written([](std::FILE *out) { console::printMatrix(700, 0, nullptr, out); }),
            std::string(700, '\n'));
}

TEST(PrintValue, NumberThenLineFeed) {
  for (const int value : {INT_MIN, -1, 0, 7, INT_MAX}) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "%d\n", value);
    EXPECT_EQ(written([&](std::FILE *out) { console::printValue(value, out); }), expected);
  }
}

// A stream whose writes all succeed but whose close fails, as on a file
// system that reports a lost write only then.
std::FILE *closeFails() {
  cookie_io_functions_t io{};
  io.write = [](void * /*cookie*/, const char * /*bytes*/, std::size_t size) {
    return static_cast<ssize_t>(size);
  };
  io.close = [](void * /*cookie*/) {
    errno = EIO;
    return -1;
  };
  return fopencookie(nullptr, "w", io);
}

struct FinishCase {
  const char *name;
  std::FILE *(*open)(); // the stream the output goes to
  bool flushedFirst;    // a flush already failed, and stdio dropped its buffer
  int status;
  const char *said;
  friend void PrintTo(const FinishCase &c, std::ostream *os) { *os << c.name; }
};

class FinishOutput : public testing::TestWithParam<FinishCase> {};

TEST_P(FinishOutput, StatusAndMessage) {
  const FinishCase &c = GetParam();
  std::FILE *out = c.open();
  ASSERT_NE(out, nullptr);
  std::fputs("text\n", out);
  if (c.flushedFirst) {
    std::fflush(out);
  }
  int status = -1;
  // finishOutput closes out.
  EXPECT_EQ(written([&](std::FILE *err) { status = console::finishOutput("prog", out, err); }),
            c.said);
  EXPECT_EQ(status, c.status);
}

std::FILE *devNull() { return std::fopen("/dev/null", "w"); }
std::FILE *devFull() { return std::fopen("/dev/full", "w"); }

INSTANTIATE_TEST_SUITE_P(Streams, FinishOutput,
                         testing::Values(FinishCase{"WritesSucceeded", devNull, false, 0, ""},
                                         FinishCase{"FlushFails", devFull, false, 1,
                                                    "prog: write error: No space left on device\n"},
                                         FinishCase{"EarlierFailureAlreadyFlushed", devFull, true,
                                                    1, "prog: write error\n"},
                                         FinishCase{"CloseFails", closeFails, false, 1,
                                                    "prog: write error: Input/output error\n"}),
                         CaseName());

} // namespace
