// rowminmax: prints a fixed 3 x 4 matrix, then the smallest and the largest
// element of every row, each run on one labelled line.
#include "console.hpp"
#include "rowminmax.hpp"

#include <cstdio>

int main() {
  constexpr int kRows = 3;
  constexpr int kCols = 4;
  const int matrix[kRows * kCols] = {
      6,  2, -4, 8,  //
      8,  1, 11, 6,  //
      -3, 0, -2, -4, //
  };
  int minima[kRows];
  int maxima[kRows];

  console::printMatrix(kRows, kCols, matrix);
  rowminmax::findMinMaxForRow(kRows, kCols, matrix, minima, maxima);
  std::fputs("Min: ", stdout);
  console::printArr(minima, kRows);
  std::fputs("Max: ", stdout);
  console::printArr(maxima, kRows);
  return console::finishOutput("rowminmax");
}
