#include "rowcompare.hpp"

#include "support.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

struct CompareCase {
  const char *name;
  int rows;
  int cols;
  std::vector<int> a;
  std::vector<int> b;
  std::vector<int> expected; // rows x 2
  friend void PrintTo(const CompareCase &c, std::ostream *os) { *os << c.name; }
};

class MyFunction : public testing::TestWithParam<CompareCase> {};

TEST_P(MyFunction, CountsPerRow) {
  const CompareCase &c = GetParam();
  std::vector<int> result(c.expected.size(), -99);
  rowcompare::myFunction(c.rows, c.cols, c.a.data(), c.b.data(), result.data());
  EXPECT_EQ(result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MyFunction,
    testing::Values(
        // Two equal pairs count in neither column.
        CompareCase{"EqualPairs", 1, 4, {1, 2, -4, 5}, {5, 2, -4, 1}, {1, 1}},
        // -1 > -3 and -2 > -5 as signed numbers; extremes do not wrap.
        CompareCase{"Signed", 1, 4, {-1, -2, INT_MIN, INT_MAX}, {-3, -5, INT_MAX, -1}, {3, 1}},
        // Counts restart on every row, so an all-equal row after others is 0, 0.
        CompareCase{"AllEqualRow", 2, 2, {3, -1, 7, 7}, {1, -2, 7, 7}, {2, 0, 0, 0}},
        // Each row is a single column of its own: row 0 must not repeat.
        CompareCase{"OneColumn", 3, 1, {1, 5, -2}, {2, 5, -3}, {0, 1, 0, 0, 1, 0}},
        CompareCase{"ZeroCols", 2, 0, {}, {}, {0, 0, 0, 0}},
        // No rows: the result keeps what it held.
        CompareCase{"ZeroRows", 0, 4, {1, 2, 3, 4}, {4, 3, 2, 1}, {-99, -99}}),
    CaseName());

} // namespace
