// SPDX-License-Identifier: GPL-3.0-or-later
// The `quillon` command line: parses the arguments and runs one command without a window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillon {

// Exit status: 0 success, 1 failure (one sentence on err), 2 usage error.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quillon
