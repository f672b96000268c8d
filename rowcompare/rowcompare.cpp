#include "rowcompare.hpp"

namespace rowcompare {

void myFunction(int rows, int cols, const int *a, const int *b, int *result) {
  for (int i = 0; i < rows; ++i) {
    int aGreater = 0;
    int bGreater = 0;
    for (int j = 0; j < cols; ++j) {
      if (a[j] > b[j]) {
        ++aGreater;
      } else if (b[j] > a[j]) {
        ++bGreater;
      }
    }
    result[0] = aGreater;
    result[1] = bGreater;
    if (cols > 0) {
      a += cols;
      b += cols;
    }
    result += 2;
  }
}

} // namespace rowcompare
