// SPDX-License-Identifier: GPL-3.0-or-later
// The side panel's navigation without its widgets: the next-step suggestions offered for a
// tool number and what each does, and the back and forward history of panel steps.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "settings/TParams.h"

namespace quillon {

inline constexpr int kSuggestionCount = 53;
inline constexpr int kSuggestionEntries = 4;
inline constexpr char kSuggestionPrompt[] = "Select what you want to do next...";

// What the suggestion set of a panel depends on besides its tool number.
struct SuggestionFacts {
  bool anySelected = false;     // the active document has a selected item
  bool selectedIsText = false;  // ... and the first selected item is a text
};

// The suggestion numbers (1 .. 53) offered with a tool's panel, ascending.
std::vector<int> SuggestionsFor(int32_t tool, SuggestionFacts facts);
// The entries shown: the first four of the set in number order.
std::vector<int> ShownSuggestions(const std::vector<int>& set);
QString SuggestionText(int number);

// What a suggestion does.
struct SuggestionAction {
  enum class Kind {
    ShowTool,             // show `tool`
    RunTool,              // run `tool` through the main window's tool timer
    SelectNewestAndShow,  // select the newest item, then show `tool` (or 20 without a selection)
    Join,                 // join the selection, then show 59
    Split,                // split the selected group, then show 20
  };
  Kind kind = Kind::ShowTool;
  int32_t tool = 0;
  bool skipIfShown = false;
  // Shows `tool` only with a selection, the pointer tool's panel otherwise.
  bool needsSelection = false;
};
// The hint switch governing a guidance page, or -1.
int HintOfPage(int32_t page);
SuggestionAction ActionOf(int number, const std::array<bool, kHintSwitches>& hints);

// The tool settings a line, shape or text step remembers.
struct ToolSettings {
  int32_t lineColor = 0, lineWidthTab = 0, linePattern = 0, linePatternTab = 0, lineFill = 0,
          lineDirectionTab = 0, lineOutlineTab = 0, liplas = 0;
  double lineWidth = 0, lineDirection = 0, lineOutline = 0;
  int32_t tcolor = 0, tcharset = 0, tsize = 0, tsizetab = 0, tbold = 0, toptions = 0, tangle = 0,
          tangletab = 0, tdir = 0, txplas = 0, shtext = 0;
  QString tfont;
  int32_t polycolor = 0, polytab = 0, polyfill = 0, polysides = 0, polyshape = 0, polystate = 0,
          bpolyshape = 0, bpolystate = 0, poplas = 0, shpoly = 0;
  double polywidth = 0;
  friend bool operator==(const ToolSettings&, const ToolSettings&) = default;
};
// The settings of the tool's kind (line 98, shapes 100 .. 199, text 300); others none.
std::optional<ToolSettings> TakeToolSettings(const TParams& params, int32_t tool);
// Puts back the settings of the tool's kind.
void RestoreToolSettings(TParams& params, int32_t tool, const ToolSettings& settings);

struct HistoryStep {
  int32_t tool = 0;
  int32_t window = -1;  // window number, -1 without a window
  int32_t stamp = 0;    // the selection's stamp in that window, 0 for none
  int64_t sequence = 0;
  std::optional<ToolSettings> settings;
};

// Whether steps are recorded for a tool number.
bool RecordsStep(int32_t tool);

// The recorded steps with a current position. Back and forward skip the steps that can no
// longer be shown.
class PanelHistory {
 public:
  using Showable = std::function<bool(const HistoryStep&)>;
  // Discards the steps after the current one and appends the step, unless the current step has
  // the same tool and settings (line, shape and text steps).
  void Record(HistoryStep step);
  // The previous (next) showable step, which becomes current; none when there is none.
  std::optional<HistoryStep> Back(const Showable& showable);
  std::optional<HistoryStep> Forward(const Showable& showable);
  bool CanGoBack(const Showable& showable) const;
  bool CanGoForward(const Showable& showable) const;
  std::size_t size() const { return steps_.size(); }
  int Current() const { return current_; }

 private:
  std::optional<int> Find(int from, int direction, const Showable& showable) const;

  std::vector<HistoryStep> steps_;
  int current_ = -1;
  int64_t sequence_ = 0;
};

}  // namespace quillon
