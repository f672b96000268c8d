#include "pairthreshold.hpp"

#include "support.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Draws handed out in order by scriptedDraw. Running past the end fails the
// test and draws 0, which ends any run: nothing may be thrown through
// populateArr, which is built without exceptions.
std::vector<int> script;
std::size_t drawn = 0;
int scriptedDraw() {
  if (drawn >= script.size()) {
    ADD_FAILURE() << "draw " << drawn + 1 << " is past the script's " << script.size();
    ++drawn;
    return 0;
  }
  return script[drawn++];
}

struct PopulateCase {
  const char *name;
  std::vector<int> draws;
  int size;
  std::vector<int> expected; // the storage afterwards, cleared to 0 before
  std::size_t consumed;
  friend void PrintTo(const PopulateCase &c, std::ostream *os) { *os << c.name; }
};

class PopulateArr : public testing::TestWithParam<PopulateCase> {};

TEST_P(PopulateArr, ScriptedDraws) {
  const PopulateCase &c = GetParam();
  script = c.draws;
  drawn = 0;
  std::vector<int> array(c.expected.size(), 0);
  pairthreshold::populateArr(array.data(), c.size, scriptedDraw);
  EXPECT_EQ(array, c.expected);
  EXPECT_EQ(drawn, c.consumed);
}

INSTANTIATE_TEST_SUITE_P(
    Draws, PopulateArr,
    testing::Values(
        // Remainders 5, 11, 0: values 4 and 10, the terminator in slot 2.
        PopulateCase{"TwoValues", {5, 23, 24}, 9, {4, 10, -1, 0, 0, 0, 0, 0, 0}, 3},
        PopulateCase{"RemainderOneEndsRun", {13}, 9, {-1, 0, 0, 0, 0, 0, 0, 0, 0}, 1},
        PopulateCase{"RemainderZeroEndsRun", {0}, 9, {-1, 0, 0, 0, 0, 0, 0, 0, 0}, 1},
        // A full run of 8, then a ninth draw taken and dropped unexamined.
        PopulateCase{
            "FullRun", {2, 3, 4, 5, 6, 7, 8, 11, 9, 5}, 9, {1, 2, 3, 4, 5, 6, 7, 10, -1}, 9},
        PopulateCase{"SizeOne", {5}, 1, {-1}, 1}, PopulateCase{"SizeZero", {}, 0, {0}, 0},
        PopulateCase{"NegativeSize", {}, -2, {0}, 0}),
    CaseName());

TEST(PopulateArr, SecondSequenceContinuesTheStream) {
  script = {3, 4, 0, 6, 12, 9};
  drawn = 0;
  int a[9] = {};
  int b[9] = {};
  pairthreshold::populateArr(a, 9, scriptedDraw);
  pairthreshold::populateArr(b, 9, scriptedDraw);
  EXPECT_EQ(std::vector<int>(a, a + 3), (std::vector<int>{2, 3, -1}));
  EXPECT_EQ(std::vector<int>(b, b + 2), (std::vector<int>{5, -1}));
  EXPECT_EQ(drawn, 5U);
}

// The sequences that glibc's rand() gives from a few seeds: the same on every
// architecture. Another generator behind rand() draws others, so this pins it.
struct SeedCase {
  const char *name;
  unsigned seed;
  std::vector<int> a; // the storage afterwards, cleared to 0 before
  std::vector<int> b;
  friend void PrintTo(const SeedCase &c, std::ostream *os) { *os << c.name; }
};

class DrawSequences : public testing::TestWithParam<SeedCase> {};

TEST_P(DrawSequences, FollowTheSeed) {
  const SeedCase &c = GetParam();
  int a[pairthreshold::kSlots] = {};
  int b[pairthreshold::kSlots] = {};
  pairthreshold::drawSequences(c.seed, a, b);
  EXPECT_EQ(std::vector<int>(std::begin(a), std::end(a)), c.a);
  EXPECT_EQ(std::vector<int>(std::begin(b), std::end(b)), c.b);
}

INSTANTIATE_TEST_SUITE_P(
    Glibc, DrawSequences,
    testing::Values(
        SeedCase{"One", 1, {6, 9, 8, 6, 4, 6, 9, -1, 0}, {8, -1, 0, 0, 0, 0, 0, 0, 0}},
        // The first seed whose first sequence runs to all 8 values.
        SeedCase{"FullFirstRun", 10, {6, 3, 1, 4, 5, 4, 10, 6, -1}, {10, 10, 4, -1, 0, 0, 0, 0, 0}},
        SeedCase{
            "FullSecondRun", 2024, {10, 2, 7, 7, 8, -1, 0, 0, 0}, {5, 1, 2, 8, 1, 3, 3, 9, -1}},
        SeedCase{
            "LargestSeed", UINT_MAX, {2, 3, 3, 8, 7, 5, 9, 2, -1}, {7, 3, 8, 5, 6, -1, 0, 0, 0}}),
    CaseName());

struct FunCase {
  const char *name;
  std::vector<int> a; // storage, terminator included unless the case omits it
  std::vector<int> b;
  int x;
  int expected;
  friend void PrintTo(const FunCase &c, std::ostream *os) { *os << c.name; }
};

class Fun : public testing::TestWithParam<FunCase> {};

TEST_P(Fun, CountsPositions) {
  const FunCase &c = GetParam();
  EXPECT_EQ(pairthreshold::fun(c.a, c.b, c.x), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Sequences, Fun,
                         testing::Values(
                             // 3 + 4 reaches 5, and the lone 5 equals it.
                             FunCase{"PairThenLone", {3, 5, -1}, {4, -1}, 5, 2},
                             FunCase{"LongerSecond", {4, -1}, {3, 5, 1, -1}, 5, 2},
                             // Only the last of a's lone values reaches x.
                             FunCase{"LaterLoneValue", {1, 1, 2, 9, -1}, {1, -1}, 5, 1},
                             FunCase{"BothEmpty", {-1}, {-1}, INT_MIN, 0},
                             FunCase{"XAtOneCountsAll", {1, 1, -1}, {1, 1, 1, 1, -1}, 1, 4},
                             FunCase{"XBelowOneCountsAll", {10, -1}, {2, 7, -1}, -100, 2},
                             FunCase{"XAboveTwenty", {10, 10, -1}, {10, -1}, 21, 0},
                             FunCase{"SumEqualsX", {10, 9, -1}, {10, 9, -1}, 20, 1},
                             // Values after the terminator are not part of the run.
                             FunCase{"StopsAtTerminator", {2, -1, 9, 9}, {2, -1, 9}, 1, 1},
                             // Without a terminator each walk ends with its storage.
                             FunCase{"MissingTerminators", {3, 5}, {4, 4, 5}, 5, 3},
                             FunCase{"NoSumOverflow", {INT_MAX, -1}, {INT_MAX, -1}, INT_MAX, 1}),
                         CaseName());

struct ReadCase {
  const char *name;
  std::string input;
  int expected;
  std::string unread;
  friend void PrintTo(const ReadCase &c, std::ostream *os) { *os << c.name; }
};

class ReadThreshold : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadThreshold, ValueAndWhatIsLeft) {
  const ReadCase &c = GetParam();
  // Read from memory, so that no file system has to be writable.
  std::string input = c.input;
  std::FILE *in = fmemopen(input.data(), input.size(), "r");
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(pairthreshold::readThreshold(in), c.expected);
  EXPECT_EQ(readRest(in), c.unread);
  std::fclose(in);
}

INSTANTIATE_TEST_SUITE_P(
    Input, ReadThreshold,
    testing::Values(ReadCase{"Plain", "5\n", 5, "\n"}, ReadCase{"Plus", "+7", 7, ""},
                    ReadCase{"Negative", "-12 ", -12, " "},
                    ReadCase{"LeadingBlankLines", "  \n\n 7 rest", 7, " rest"},
                    ReadCase{"AllSpaceKinds", "\t\v\f\r 3", 3, ""},
                    ReadCase{"TrailingText", "7abc", 7, "abc"},
                    ReadCase{"LeadingZeros", "-000000000000000000000042", -42, ""},
                    ReadCase{"IntMax", "2147483647", INT_MAX, ""},
                    ReadCase{"IntMin", "-2147483648", INT_MIN, ""},
                    ReadCase{"JustAboveIntMax", "2147483648", INT_MAX, ""},
                    ReadCase{"JustBelowIntMin", "-2147483649", INT_MIN, ""},
                    ReadCase{"ManyDigits", "99999999999999999999999999 1", INT_MAX, " 1"},
                    ReadCase{"ManyNegativeDigits", "-99999999999999999999999999", INT_MIN, ""},
                    ReadCase{"EndOfInput", "", 0, ""}, ReadCase{"BlankLineOnly", "\n", 0, ""},
                    ReadCase{"Word", "abc", 0, "abc"}, ReadCase{"SignThenSpace", "- 5", 0, " 5"},
                    ReadCase{"SignOnly", "+", 0, ""}, ReadCase{"DoubleSign", "--5", 0, "-5"}),
    CaseName());

} // namespace
