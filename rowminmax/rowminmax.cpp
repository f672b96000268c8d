#include "rowminmax.hpp"

#include <algorithm>

namespace rowminmax {

void findMinMaxForRow(int rows, int cols, const int *matrix, int *minima, int *maxima) {
  if (cols < 1) {
    return;
  }
  for (int i = 0; i < rows; ++i) {
    int minimum = matrix[0];
    int maximum = matrix[0];
    for (int j = 0; j < cols; ++j) {
      minimum = std::min(minimum, matrix[j]);
      maximum = std::max(maximum, matrix[j]);
    }
    minima[i] = minimum;
    maxima[i] = maximum;
    matrix += cols;
  }
}

} // namespace rowminmax
