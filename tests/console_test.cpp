#include "console.hpp"

#include "named_case.hpp"

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
  std::string bytes;
  for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
    bytes.push_back(static_cast<char>(c));
  }
  std::fclose(file);
  return bytes;
}

struct PrintCase {
  const char *name;
  int rows; // below 0: the values go to printArr, with count = cols
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

// Runs finishOutput on out and returns its status and what it said on err.
std::pair<int, std::string> finish(std::FILE *out) {
  std::string said;
  int status = 0;
  said = written([&](std::FILE *err) { status = console::finishOutput("prog", out, err); });
  return {status, said};
}

TEST(FinishOutput, WritesSucceeded) {
  std::FILE *out = std::tmpfile();
  std::fputs("text\n", out);
  EXPECT_EQ(finish(out), std::make_pair(0, std::string()));
  std::fclose(out);
}

TEST(FinishOutput, FlushFails) {
  std::FILE *out = std::fopen("/dev/full", "w");
  ASSERT_NE(out, nullptr);
  std::fputs("text\n", out);
  EXPECT_EQ(finish(out),
            std::make_pair(1, std::string("prog: write error: No space left on device\n")));
  std::fclose(out);
}

TEST(FinishOutput, EarlierFailureAlreadyFlushed) {
  std::FILE *out = std::fopen("/dev/full", "w");
  ASSERT_NE(out, nullptr);
  std::fputs("text\n", out);
  std::fflush(out); // fails, and stdio drops the buffer
  EXPECT_EQ(finish(out), std::make_pair(1, std::string("prog: write error\n")));
  std::fclose(out);
}

} // namespace
