/* Reference: a run of pairthreshold made by plain C calls, for cost.sh. */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static void fill(int *v) {
  int i = 0, d = rand() % 12 - 1;
  while (i < 8 && d > 0) {
    v[i++] = d;
    d = rand() % 12 - 1;
  }
  v[i] = -1;
}

static void row(const int *v, int n) {
  for (int i = 0; i < n; ++i)
    printf("%d ", v[i]);
  putchar('\n');
}

int main(void) {
  int a[9] = {0}, b[9] = {0}, x = 0, n = 0, i = 0, j = 0;
  srand((unsigned)time(NULL));
  fill(a);
  fill(b);
  row(a, 9);
  row(b, 9);
  printf("Inserire il valore di x: ");
  if (scanf("%d", &x) != 1)
    x = 0;
  for (; a[i] != -1 && b[j] != -1; ++i, ++j)
    n += a[i] + b[j] >= x;
  for (; a[i] != -1; ++i)
    n += a[i] >= x;
  for (; b[j] != -1; ++j)
    n += b[j] >= x;
  printf("RES: %d\n", n);
  return 0;
}
