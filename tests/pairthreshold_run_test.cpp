// Whole runs of the built pairthreshold, driven through pipes and through a
// pseudo-terminal, checked against the computing functions.
#include "pairthreshold.hpp"

#include "pairthreshold_command.hpp" // kCommand: the emulator, if any, then the program
#include "support.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <fcntl.h>
#include <iterator>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char *kPrompt = "Inserire il valore di x: ";

// Reads fd into got until it holds needle (or, with an empty needle, until end
// of input). Returns false if that takes more than ten seconds.
bool readUntil(int fd, std::string &got, const std::string &needle = "") {
  while (needle.empty() || got.find(needle) == std::string::npos) {
    pollfd ready{.fd = fd, .events = POLLIN, .revents = 0};
    if (poll(&ready, 1, 10'000) != 1) {
      return false;
    }
    char buffer[256];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) { // end of input; a pseudo-terminal says EIO instead
      return needle.empty();
    }
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

int exitStatus(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Checks one printed sequence line: 9 numbers, each followed by a space, that
// form a run of values from 1 to 10, the terminator, then cleared slots.
// Returns the numbers.
std::vector<int> sequenceLine(const std::string &line) {
  std::istringstream in(line);
  std::vector<int> slots;
  std::string printed;
  for (int v = 0; in >> v;) {
    slots.push_back(v);
    printed += std::to_string(v) + ' ';
  }
  EXPECT_EQ(printed, line);
  EXPECT_EQ(slots.size(), 9U) << line;
  std::size_t i = 0;
  while (i < slots.size() && slots[i] >= 1 && slots[i] <= 10) {
    ++i;
  }
  EXPECT_LT(i, 9U) << "no terminator in: " << line;
  if (i < slots.size()) {
    EXPECT_EQ(slots[i], pairthreshold::kTerminator) << line;
  }
  for (++i; i < slots.size(); ++i) {
    EXPECT_EQ(slots[i], 0) << line;
  }
  return slots;
}

// Tells whether the sequences that the seed of one second of [from, to] draws
// are the printed sequences a and b.
bool seededWithin(const std::vector<int> &a, const std::vector<int> &b, std::time_t from,
                  std::time_t to) {
  for (std::time_t second = from; second <= to; ++second) {
    int drawnA[pairthreshold::kSlots] = {};
    int drawnB[pairthreshold::kSlots] = {};
    pairthreshold::drawSequences(static_cast<unsigned>(second), drawnA, drawnB);
    if (std::vector<int>(std::begin(drawnA), std::end(drawnA)) == a &&
        std::vector<int>(std::begin(drawnB), std::end(drawnB)) == b) {
      return true;
    }
  }
  return false;
}

// Checks a whole run's output, the program started at or after second from
// and ended by second to: two sequence lines drawn from the clock, the prompt,
// then answer (what a terminal echoes) and the result line, whose count fun
// confirms.
void expectRun(const std::string &output, int x, std::time_t from, std::time_t to,
               const std::string &answer = "") {
  const std::size_t first = output.find('\n');
  const std::size_t second = output.find('\n', first + 1);
  ASSERT_NE(second, std::string::npos) << output;
  const std::vector<int> a = sequenceLine(output.substr(0, first));
  const std::vector<int> b = sequenceLine(output.substr(first + 1, second - first - 1));
  EXPECT_TRUE(seededWithin(a, b, from, to)) << "not drawn from the clock:\n" << output;
  EXPECT_EQ(output.substr(second + 1),
            kPrompt + answer + "RES: " + std::to_string(pairthreshold::fun(a, b, x)) + "\n");
}

struct PipeCase {
  const char *name;
  const char *input;
  int x;              // the value the input stands for
  bool waitForPrompt; // answer only once the prompt has arrived
  friend void PrintTo(const PipeCase &c, std::ostream *os) { *os << c.name; }
};

class ThroughPipes : public testing::TestWithParam<PipeCase> {};

TEST_P(ThroughPipes, WholeRun) {
  const PipeCase &c = GetParam();
  int toChild[2];
  int fromChild[2];
  ASSERT_EQ(pipe2(toChild, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(fromChild, O_CLOEXEC), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
  posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
  pid_t pid = 0;
  const std::time_t started = std::time(nullptr);
  ASSERT_EQ(
      posix_spawnp(&pid, kCommand[0], &actions, nullptr, const_cast<char **>(kCommand), environ),
      0);
  posix_spawn_file_actions_destroy(&actions);
  close(toChild[0]);
  close(fromChild[1]);

  std::string output;
  if (c.waitForPrompt) {
    // Standard input is still open and empty: the prompt must come anyway.
    EXPECT_TRUE(readUntil(fromChild[0], output, kPrompt)) << "no prompt; got: " << output;
  }
  const std::string input = c.input;
  EXPECT_EQ(write(toChild[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
  close(toChild[1]);
  EXPECT_TRUE(readUntil(fromChild[0], output));
  close(fromChild[0]);
  EXPECT_EQ(exitStatus(pid), 0);
  expectRun(output, c.x, started, std::time(nullptr));
}

INSTANTIATE_TEST_SUITE_P(Input, ThroughPipes,
                         testing::Values(PipeCase{"AnswerAfterPrompt", "3\n", 3, true},
                                         PipeCase{"AnswerUpFront", "5\n", 5, false},
                                         PipeCase{"EndOfInput", "", 0, true},
                                         PipeCase{"NotANumber", "abc\n", 0, false},
                                         PipeCase{"OutOfRange", "99999999999\n", INT_MAX, false}),
                         CaseName());

TEST(OnTerminal, PromptWaitsForTypedAnswer) {
  int terminal = -1;
  const std::time_t started = std::time(nullptr);
  const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    execvp(kCommand[0], const_cast<char **>(kCommand));
    _exit(127);
  }
  std::string screen;
  EXPECT_TRUE(readUntil(terminal, screen, kPrompt)) << "no prompt; got: " << screen;
  EXPECT_EQ(write(terminal, "4\n", 2), 2);
  EXPECT_TRUE(readUntil(terminal, screen));
  close(terminal);
  EXPECT_EQ(exitStatus(pid), 0);
  // The terminal ends every line with CR LF, and echoes the typed answer.
  std::string output;
  for (char ch : screen) {
    if (ch != '\r') {
      output.push_back(ch);
    }
  }
  expectRun(output, 4, started, std::time(nullptr), "4\n");
}

} // namespace
