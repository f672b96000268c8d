/* Reference: the output of rowminmax made by plain C calls, for cost.sh. */
#include <stdio.h>

static void row(const int *v, int n) {
  for (int i = 0; i < n; ++i)
    printf("%d ", v[i]);
  putchar('\n');
}

int main(void) {
  const int m[12] = {6, 2, -4, 8, 8, 1, 11, 6, -3, 0, -2, -4};
  int lo[3], hi[3];
  for (int i = 0; i < 3; ++i)
    row(m + 4 * i, 4);
  for (int i = 0; i < 3; ++i) {
    lo[i] = hi[i] = m[4 * i];
    for (int j = 0; j < 4; ++j) {
      if (m[4 * i + j] < lo[i])
        lo[i] = m[4 * i + j];
      if (m[4 * i + j] > hi[i])
        hi[i] = m[4 * i + j];
    }
  }
  printf("Min: ");
  row(lo, 3);
  printf("Max: ");
  row(hi, 3);
  return 0;
}
