#include "console.hpp"

#include "support.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Returns everything written to a stream by one call of print.
template <typename Print> std::string written(Print print) {
  std::FILE *file = std::tmpfile();
  print(file);
  std::rewind(file);
  std::string bytes = readRest(file);
  std::fclose(file);
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

struct FinishCase {
  const char *name;
  const char *path;  // where the output goes
  bool flushedFirst; // a flush already failed, and stdio dropped its buffer
  int status;
  const char *said;
  friend void PrintTo(const FinishCase &c, std::ostream *os) { *os << c.name; }
};

class FinishOutput : public testing::TestWithParam<FinishCase> {};

TEST_P(FinishOutput, StatusAndMessage) {
  const FinishCase &c = GetParam();
  std::FILE *out = std::fopen(c.path, "w");
  ASSERT_NE(out, nullptr);
  std::fputs("text\n", out);
  if (c.flushedFirst) {
    std::fflush(out);
  }
  int status = -1;
  EXPECT_EQ(written([&](std::FILE *err) { status = console::finishOutput("prog", out, err); }),
            c.said);
  EXPECT_EQ(status, c.status);
  std::fclose(out);
}

INSTANTIATE_TEST_SUITE_P(Streams, FinishOutput,
                         testing::Values(FinishCase{"WritesSucceeded", "/dev/null", false, 0, ""},
                                         FinishCase{"FlushFails", "/dev/full", false, 1,
                                                    "prog: write error: No space left on device\n"},
                                         FinishCase{"EarlierFailureAlreadyFlushed", "/dev/full",
                                                    true, 1, "prog: write error\n"}),
                         CaseName());

} // namespace
