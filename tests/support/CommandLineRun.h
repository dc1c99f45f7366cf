// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the command line in-process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace quillon::test {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun Quillon(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCommandLine(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace quillon::test
