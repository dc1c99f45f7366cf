// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ConsoleProgress.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>

namespace quillon {
namespace {

// Work that ends sooner says nothing, so quick commands keep their output as it was.
constexpr double kQuietSeconds = 2.0;

}  // namespace

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool ErrIsTerminal(const std::ostream& err) {
  return &err == &std::cerr && isatty(STDERR_FILENO) == 1;
}

ConsoleProgress::ConsoleProgress(std::ostream& err, bool terminal, std::string doing,
                                 SecondsClock clock)
    : err_(err),
      terminal_(terminal),
      doing_(std::move(doing)),
      clock_(std::move(clock)),
      start_(clock_()) {}

ProgressReport ConsoleProgress::Report() {
  return [this](double done) {
    Tell(done);
    return true;
  };
}

void ConsoleProgress::Tell(double done) {
  if (finished_ || !std::isfinite(done)) return;
  if (shown_ < 0 && clock_() - start_ < kQuietSeconds) return;
  // Whole percents, with room for fractions such as 0.29 that come out a hair below.
  const int percent = static_cast<int>(std::clamp(done, 0.0, 1.0) * 100 + 1e-9);
  // A terminal sees every new percentage; a file or pipe only every new tenth.
  const int step = terminal_ ? percent : percent / 10 * 10;
  if (step == shown_) return;
  shown_ = step;
  err_ << (terminal_ ? "\r" : "") << "quillon: " << doing_ << "... " << step << '%'
       << (terminal_ ? "" : "\n");
  err_.flush();
}

void ConsoleProgress::Finish() {
  if (finished_) return;
  finished_ = true;
  if (terminal_ && shown_ >= 0) err_ << '\n';
}

}  // namespace quillon
