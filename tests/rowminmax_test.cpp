#include "rowminmax.hpp"

#include "support.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

struct MinMaxCase {
  const char *name;
  int rows;
  int cols;
  std::vector<int> matrix;
  std::vector<int> minima; // rows of them, or what the run held before
  std::vector<int> maxima;
  friend void PrintTo(const MinMaxCase &c, std::ostream *os) { *os << c.name; }
};

class FindMinMaxForRow : public testing::TestWithParam<MinMaxCase> {};

TEST_P(FindMinMaxForRow, ExtremesPerRow) {
  const MinMaxCase &c = GetParam();
  std::vector<int> minima(c.minima.size(), -99);
  std::vector<int> maxima(c.maxima.size(), 99);
  rowminmax::findMinMaxForRow(c.rows, c.cols, c.matrix.data(), minima.data(), maxima.data());
  EXPECT_EQ(minima, c.minima);
  EXPECT_EQ(maxima, c.maxima);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FindMinMaxForRow,
    testing::Values(MinMaxCase{"ZeroMaxAmongNegatives", 1, 4, {-3, 0, -2, -4}, {-4}, {0}},
                    MinMaxCase{"PositiveMin", 1, 4, {8, 1, 11, 6}, {1}, {11}},
                    MinMaxCase{"AllEqual", 1, 3, {7, 7, 7}, {7}, {7}},
                    // The first element can be the minimum and the last the maximum.
                    MinMaxCase{"ExtremesAtEnds", 1, 3, {INT_MIN, 0, INT_MAX}, {INT_MIN}, {INT_MAX}},
                    MinMaxCase{"SingleColumn", 2, 1, {5, -5}, {5, -5}, {5, -5}},
                    // No columns: nothing is read or written, rows or not.
                    MinMaxCase{"ZeroCols", 2, 0, {}, {-99, -99}, {99, 99}},
                    MinMaxCase{"NegativeCols", 2, -1, {}, {-99, -99}, {99, 99}},
                    MinMaxCase{"ZeroRows", 0, 4, {1, 2, 3, 4}, {-99}, {99}}),
    CaseName());

} // namespace
