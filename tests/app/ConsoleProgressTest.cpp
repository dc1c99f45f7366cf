// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConsoleProgress.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

namespace quillon {
namespace {

// Work told at these (seconds since the start, fraction done) steps, then finished.
std::string Told(bool terminal, const std::vector<std::pair<double, double>>& steps) {
  std::ostringstream err;
  double now = 100;
  ConsoleProgress progress(err, terminal, "printing card", [&now] { return now; });
  const ProgressReport report = progress.Report();
  for (const auto& [seconds, done] : steps) {
    now = 100 + seconds;
    EXPECT_TRUE(report(done)) << "telling never stops the work";
  }
  progress.Finish();
  return err.str();
}

TEST(ConsoleProgress, SaysNothingForTwoSecondsThenOneLineOrATenthAtATime) {
  const std::vector<std::pair<double, double>> quick = {{0.5, 0.3}, {1.2, 0.7}, {1.9, 1.0}};
  const std::vector<std::pair<double, double>> slow = {{1.0, 0.10}, {2.5, 0.25}, {3.0, 0.251},
                                                       {4.0, 0.29}, {5.0, 0.31}, {9.0, 1.0}};
  struct Case {
    bool terminal;
    const std::vector<std::pair<double, double>>* steps;
    const char* expected;
  };
  const Case cases[] = {
      {true, &quick, ""},
      {false, &quick, ""},
      {true, &slow,
       "\rquillon: printing card... 25%\rquillon: printing card... 29%"
       "\rquillon: printing card... 31%\rquillon: printing card... 100%\n"},
      {false, &slow,
       "quillon: printing card... 20%\nquillon: printing card... 30%\n"
       "quillon: printing card... 100%\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.terminal ? "terminal" : "file");
    EXPECT_EQ(Told(c.terminal, *c.steps), c.expected);
  }
}

TEST(ConsoleProgress, OnlyTheProgramsOwnStandardErrorCanBeATerminal) {
  std::ostringstream err;
  EXPECT_FALSE(ErrIsTerminal(err));
}

}  // namespace
}  // namespace quillon
