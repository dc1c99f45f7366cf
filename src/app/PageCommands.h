// SPDX-License-Identifier: GPL-3.0-or-later
// The page commands of the command line: listing the template catalogue and making a new
// document from the settings.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace quillon {

// What --kind, --units, --template and --landscape asked for.
struct PageChoice {
  std::optional<int32_t> kind;
  std::optional<int32_t> units;
  std::optional<QString> templateName;
  bool landscape = false;
  bool any() const { return kind || units || templateName || landscape; }
};

// Reads the --kind and --units values; otherwise a usage error text (without a final line
// break) naming the valid choices.
std::optional<std::string> ParseKindOption(const std::string& text, PageChoice& choice);
std::optional<std::string> ParseUnitsOption(const std::string& text, PageChoice& choice);

// One line per "Quick select" entry of the chosen kind and unit (all when not chosen): kind,
// unit, name, paper, item, margins, rows x columns, gaps and folds, separated by tabs.
int RunTemplates(const PageChoice& choice, std::ostream& out, std::ostream& err);
// Writes the document File > New makes with the user's settings; with a page choice, the one it
// makes after Page Setup > New Files applied the page description of that kind (in that unit,
// with that template, in landscape). The settings store is only read.
int RunNew(const PageChoice& choice, const std::string& output, int screenDpi, std::ostream& err);

}  // namespace quillon
