// rowsumprod: prints a fixed 3 x 4 matrix, a separator, and the sum and the
// product of every row.
#include "console.hpp"
#include "rowsumprod.hpp"

#include <cstdio>

int main() {
  constexpr int kRows = 3;
  constexpr int kCols = 4;
  const int matrix[kRows * kCols] = {
      3,  1, -2, 1, //
      2,  0, 1,  6, //
      10, 2, 3,  4, //
  };
  int result[kRows * 2];

  rowsumprod::myFunction(kRows, kCols, matrix, result);

  console::printMatrix(kRows, kCols, matrix);
  std::puts("------");
  console::printMatrix(kRows, 2, result);
  return console::finishOutput("rowsumprod");
}
