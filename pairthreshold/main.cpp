// pairthreshold: builds two random terminated sequences, prints them, asks for
// a threshold x and prints how many positions, added pairwise, reach it.
#include "console.hpp"
#include "pairthreshold.hpp"

#include <cstdio>
#include <ctime>

int main() {
  using pairthreshold::kSlots;
  // Cleared, so that the slots after a terminator print as 0.
  int a[kSlots] = {};
  int b[kSlots] = {};

  // Seeded from the clock on purpose: each second draws new sequences.
  pairthreshold::drawSequences(static_cast<unsigned>(std::time(nullptr)), a, b);

  console::printArr(a, kSlots);
  console::printArr(b, kSlots);
  std::fputs("Inserire il valore di x: ", stdout);
  // Shown before reading even when standard output is a pipe, so that a
  // program driving this one sees the question before it answers.
  std::fflush(stdout);
  const int x = pairthreshold::readThreshold(stdin);
  std::fputs("RES: ", stdout);
  console::printValue(pairthreshold::fun(a, b, x));
  return console::finishOutput("pairthreshold");
}
