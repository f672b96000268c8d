#pragma once

namespace rowminmax {

// For every row i < rows of the row-major rows x cols matrix, writes the
// row's smallest element to minima[i] and its largest to maxima[i] (signed
// comparisons); minima and maxima hold at least rows integers. A row with
// fewer than one column has neither, so cols <= 0, like rows <= 0, writes
// nothing and both runs keep what they held.
void findMinMaxForRow(int rows, int cols, const int *matrix, int *minima, int *maxima);

} // namespace rowminmax
