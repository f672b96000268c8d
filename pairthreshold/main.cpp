// pairthreshold: builds two random terminated sequences, prints them, asks for
// a threshold x and prints how many positions, added pairwise, reach it.
#include "console.hpp"
#include "pairthreshold.hpp"

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main() {
  constexpr int kSlots = 9;
  // Cleared, so that the slots after a terminator print as 0.
  int a[kSlots] = {};
  int b[kSlots] = {};

  // Seeded from the clock on purpose: every run draws new sequences.
  std::srand(static_cast<unsigned>(std::time(nullptr))); // NOLINT(cert-msc32-c,cert-msc51-cpp)
  pairthreshold::populateArr(a, kSlots);
  pairthreshold::populateArr(b, kSlots);

  console::printArr(a, kSlots);
  console::printArr(b, kSlots);
  std::printf("Inserire il valore di x: ");
  // Shown before reading even when standard output is a pipe, so that a
  // program driving this one sees the question before it answers.
  std::fflush(stdout);
  const int x = pairthreshold::readThreshold(stdin);
  std::printf("RES: %d\n", pairthreshold::fun(a, b, x));
  return console::finishOutput("pairthreshold");
}
