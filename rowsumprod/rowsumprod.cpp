#include "rowsumprod.hpp"

#include <cstdint>

namespace rowsumprod {

void myFunction(int rows, int cols, const int *matrix, int *result) {
  for (int i = 0; i < rows; ++i) {
    // Unsigned arithmetic wraps modulo 2^32, and converting back to int keeps
    // those 32 bits: the two's complement result, with no signed overflow.
    std::uint32_t sum = 0;
    std::uint32_t product = 1;
    for (int j = 0; j < cols; ++j) {
      const auto element = static_cast<std::uint32_t>(matrix[j]);
      sum += element;
      product *= element;
    }
    result[0] = static_cast<int>(sum);
    result[1] = static_cast<int>(product);
    if (cols > 0) {
      matrix += cols;
    }
    result += 2;
  }
}

} // namespace rowsumprod
