#pragma once

namespace rowsumprod {

// For every row i < rows of the row-major rows x cols matrix, writes into the
// rows x 2 matrix result: result[i][0] = the sum and result[i][1] = the product
// of the row's elements. Both are 32-bit two's complement: a result past the
// int range wraps (65536 * 65536 gives 0) instead of overflowing. cols <= 0
// gives the empty sum 0 and the empty product 1; rows <= 0 writes nothing.
void myFunction(int rows, int cols, const int *matrix, int *result);

} // namespace rowsumprod
