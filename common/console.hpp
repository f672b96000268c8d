#pragma once

#include <cstdio>

// Console output shared by every program: integers printed as row text, and
// the end-of-run check that turns a failed write into a failing exit status.
namespace console {

// Writes rows lines to out, line r holding the cols integers of row r of the
// row-major matrix, each as "%d " (so a space precedes every line feed).
// rows <= 0 writes nothing; cols <= 0 writes one lone line feed per row.
void printMatrix(int rows, int cols, const int *matrix, std::FILE *out = stdout);

// Writes exactly one line to out: the first count integers of array, each as
// "%d ", then a line feed; the bytes are those printf gives, for any int and
// any count. count <= 0 writes a lone line feed. A failed write is left in the
// stream's error state for finishOutput.
void printArr(const int *array, int count, std::FILE *out = stdout);

// Writes value in decimal, as "%d" gives it, then a line feed: the number that
// closes a labelled line such as "RES: 3".
void printValue(int value, std::FILE *out = stdout);

// Ends the run of the program called program: closes out (which flushes it)
// and, if any write to it or the close failed, reports
// "<program>: write error: <reason>" on err, or "<program>: write error" when
// the reason is lost. Returns the exit status for main: 0 when every write
// succeeded, 1 otherwise. out must not be used afterwards.
int finishOutput(const char *program, std::FILE *out = stdout, std::FILE *err = stderr);

} // namespace console
