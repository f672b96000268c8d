// rowcompare: compares two fixed 3 x 4 matrices row by row and prints, for
// every row, how many elements of A are greater and how many are smaller.
#include "console.hpp"
#include "rowcompare.hpp"

#include <cstdio>

int main() {
  constexpr int kRows = 3;
  constexpr int kCols = 4;
  const int a[kRows * kCols] = {
      1,  2, -4, 5,  //
      3,  4, 5,  -1, //
      -3, 0, -2, -4, //
  };
  const int b[kRows * kCols] = {
      5, 2, -4, 1,  //
      3, 1, 2,  -3, //
      4, 2, -5, 1,  //
  };
  int result[kRows * 2];

  rowcompare::myFunction(kRows, kCols, a, b, result);

  std::puts("--- Matrice A ---");
  console::printMatrix(kRows, kCols, a);
  std::putchar('\n');
  std::puts("--- Matrice B ---");
  console::printMatrix(kRows, kCols, b);
  std::putchar('\n');
  std::puts("--- Matrice Risultato ---");
  console::printMatrix(kRows, 2, result);
  return console::finishOutput("rowcompare");
}
