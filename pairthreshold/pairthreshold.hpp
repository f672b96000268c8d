#pragma once

#include <cstdio>
#include <span>

namespace pairthreshold {

// Closes every terminated sequence. The values of a run lie from 1 to 10, so
// the first terminator marks the run's end.
constexpr int kTerminator = -1;

// The slots of each sequence that the program fills and prints.
constexpr int kSlots = 9;

// A source of non-negative random draws.
using DrawFn = int (*)();

// The platform generator: std::rand(), seeded by the caller with std::srand.
int platformDraw();

// Fills array, storage of size slots, as a terminated sequence: values
// (draw() % 12) - 1 are stored while they are above 0 and fewer than size - 1
// are stored; the terminator follows the run. So the run holds 0 to size - 1
// values from 1 to 10, and exactly one draw more than the values stored is
// consumed: the one that ends the run, or after a full run one drawn and
// dropped unexamined. Slots after the terminator are left as they were.
// size < 1 writes and draws nothing.
void populateArr(int *array, int size, DrawFn draw = platformDraw);

// Seeds the platform generator once with seed, then fills a and then b with
// populateArr from its draws: b's draws follow a's in the same stream. The
// same seed always gives the same two sequences.
void drawSequences(unsigned seed, std::span<int, kSlots> a, std::span<int, kSlots> b);

// Counts the positions, up to the end of the longer run of the terminated
// sequences a and b, where a[i] + b[i] >= x; past the end of the shorter run a
// position counts when the longer run's value alone is >= x. Comparisons are
// signed and the sum cannot overflow. Each walk stops at its terminator or at
// the end of its storage, whichever comes first.
int fun(std::span<const int> a, std::span<const int> b, int x);

// Reads one decimal integer from in as scanf("%d") does: white space (line
// ends included) is skipped, then an optional sign and the digits are taken,
// and the first character after them is left unread. A value past the int
// range is clamped to INT_MAX or INT_MIN, however many digits it has. With no
// digits (end of input, or another character first) the result is 0; the sign
// read before the failure stays consumed, the offending character does not.
int readThreshold(std::FILE *in);

} // namespace pairthreshold
