/* Reference: the output of rowcompare made by plain C calls, for cost.sh. */
#include <stdio.h>

static void row(const int *v, int n) {
  for (int i = 0; i < n; ++i)
    printf("%d ", v[i]);
  putchar('\n');
}

int main(void) {
  const int a[12] = {1, 2, -4, 5, 3, 4, 5, -1, -3, 0, -2, -4};
  const int b[12] = {5, 2, -4, 1, 3, 1, 2, -3, 4, 2, -5, 1};
  int r[6];
  for (int i = 0; i < 3; ++i) {
    r[2 * i] = r[2 * i + 1] = 0;
    for (int j = 0; j < 4; ++j) {
      if (a[4 * i + j] > b[4 * i + j])
        ++r[2 * i];
      else if (b[4 * i + j] > a[4 * i + j])
        ++r[2 * i + 1];
    }
  }
  puts("--- Matrice A ---");
  for (int i = 0; i < 3; ++i)
    row(a + 4 * i, 4);
  putchar('\n');
  puts("--- Matrice B ---");
  for (int i = 0; i < 3; ++i)
    row(b + 4 * i, 4);
  putchar('\n');
  puts("--- Matrice Risultato ---");
  for (int i = 0; i < 3; ++i)
    row(r + 2 * i, 2);
  return 0;
}
