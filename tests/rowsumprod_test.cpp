#include "rowsumprod.hpp"

#include "support.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

struct SumProdCase {
  const char *name;
  int rows;
  int cols;
  std::vector<int> matrix;
  std::vector<int> expected; // rows x 2: sum, product
  friend void PrintTo(const SumProdCase &c, std::ostream *os) { *os << c.name; }
};

class MyFunction : public testing::TestWithParam<SumProdCase> {};

TEST_P(MyFunction, SumAndProductPerRow) {
  const SumProdCase &c = GetParam();
  std::vector<int> result(c.expected.size(), -99);
  rowsumprod::myFunction(c.rows, c.cols, c.matrix.data(), result.data());
  EXPECT_EQ(result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MyFunction,
    testing::Values(SumProdCase{"ZeroMakesProductZero", 1, 4, {2, 0, 1, 6}, {9, 0}},
                    SumProdCase{"OddNegativesMakeProductNegative", 1, 4, {3, 1, -2, 1}, {3, -6}},
                    SumProdCase{"EmptyRow", 2, 0, {}, {0, 1, 0, 1}},
                    SumProdCase{"OneColumn", 3, 1, {4, -5, 6}, {4, 4, -5, -5, 6, 6}},
                    // 32-bit two's complement: 2^16 * 2^16 = 2^32 wraps to 0, and sums
                    // past either end of the int range wrap around.
                    SumProdCase{"ProductWrapsToZero", 1, 4, {65536, 65536, 1, 1}, {131074, 0}},
                    SumProdCase{"SumWrapsPastMax", 1, 2, {INT_MAX, 1}, {INT_MIN, INT_MAX}},
                    SumProdCase{"SumWrapsPastMin", 1, 2, {INT_MIN, -1}, {INT_MAX, INT_MIN}},
                    SumProdCase{"ProductWrapsNegative", 1, 2, {INT_MIN, -1}, {INT_MAX, INT_MIN}},
                    SumProdCase{"ZeroRows", 0, 4, {1, 2, 3, 4}, {-99, -99}}),
    CaseName());

} // namespace
