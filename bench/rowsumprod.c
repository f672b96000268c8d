/* Reference: the output of rowsumprod made by plain C calls, for cost.sh. */
#include <stdio.h>

static void row(const int *v, int n) {
  for (int i = 0; i < n; ++i)
    printf("%d ", v[i]);
  putchar('\n');
}

int main(void) {
  const int m[12] = {3, 1, -2, 1, 2, 0, 1, 6, 10, 2, 3, 4};
  int r[6];
  for (int i = 0; i < 3; ++i) {
    r[2 * i] = 0;
    r[2 * i + 1] = 1;
    for (int j = 0; j < 4; ++j) {
      r[2 * i] += m[4 * i + j];
      r[2 * i + 1] *= m[4 * i + j];
    }
  }
  for (int i = 0; i < 3; ++i)
    row(m + 4 * i, 4);
  puts("------");
  for (int i = 0; i < 3; ++i)
    row(r + 2 * i, 2);
  return 0;
}
