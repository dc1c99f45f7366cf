// SPDX-License-Identifier: GPL-3.0-or-later
// How far a long command has come, told on standard error: nothing for a run shorter than two
// seconds, then one line that a terminal sees rewritten in place and anything else sees once per
// tenth of the work.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "output/SheetComposer.h"

namespace quillon {

// Seconds from some fixed moment.
using SecondsClock = std::function<double()>;
double SteadySeconds();

// Whether err is the program's standard error and that is a terminal.
bool ErrIsTerminal(const std::ostream& err);

class ConsoleProgress {
 public:
  // Tells "quillon: <doing>... N%" on err once the work has lasted two seconds; terminal says
  // whether err shows a line rewritten with a carriage return.
  ConsoleProgress(std::ostream& err, bool terminal, std::string doing,
                  SecondsClock clock = SteadySeconds);
  ConsoleProgress(const ConsoleProgress&) = delete;
  ConsoleProgress& operator=(const ConsoleProgress&) = delete;

  // A report for the composer and the print driver; it never stops the work.
  ProgressReport Report();
  // Ends the line on a terminal when one was shown, so that what follows starts afresh.
  void Finish();

 private:
  void Tell(double done);

  std::ostream& err_;
  bool terminal_;
  std::string doing_;
  SecondsClock clock_;
  double start_;
  int shown_ = -1;  // the percentage last shown, -1 before the first
  bool finished_ = false;
};

}  // namespace quillon
