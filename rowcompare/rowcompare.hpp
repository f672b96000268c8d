#pragma once

namespace rowcompare {

// Compares the row-major rows x cols matrices a and b position by position.
// For every row i < rows it writes into the rows x 2 matrix result:
//   result[i][0] = number of columns j with a[i][j] > b[i][j],
//   result[i][1] = number of columns j with b[i][j] > a[i][j].
// Equal pairs count in neither column; comparisons are signed. Both counts are
// reset per row, so cols <= 0 gives 0 and 0; rows <= 0 writes nothing.
void myFunction(int rows, int cols, const int *a, const int *b, int *result);

} // namespace rowcompare
