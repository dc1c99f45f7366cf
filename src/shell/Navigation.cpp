// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Navigation.h"

#include <algorithm>
#include <iterator>

#include "document/ToolNumbers.h"

namespace quillon {
namespace {

// The thirteen shape kinds, each with three suggestions from 8 on: start the next one,
// fine-tune the newest, move it (a guidance page).
struct ShapeKind {
  const char* name;
  int32_t startTool;
  int32_t selectedTool;
  int32_t movePage;
};
constexpr ShapeKind kShapes[] = {
    {"triangle", 100, 200, 1044}, {"square", 101, 201, 1046},  {"rectangle", 102, 202, 1048},
    {"circle", 103, 203, 1050},   {"ellipse", 104, 204, 1052}, {"polygon", 199, 299, 1054},
    {"star", 105, 206, 1056},     {"pie", 107, 207, 1058},     {"spline", 109, 209, 1060},
    {"solid", 110, 210, 1063},    {"arc", 108, 208, 1066},     {"curve", 111, 211, 1069},
    {"oblong", 112, 212, 1072},
};
constexpr int kFirstShapeSuggestion = 8;

int StartSuggestion(int shape) {
  return kFirstShapeSuggestion + 3 * shape;
}

std::vector<int> GuidanceSuggestions(int32_t page) {
  switch (page) {
    case 1024:
      return {1, 2, 3, 4};
    case 1025:
      return {1, 2, 3};
    case 1035:
      return {1, 5, 6, 7};
    case 1036:
      return {1, 5, 6};
    case 1061:
    case 1064:
    case 1070:
    case 1073:
      return {};
    case 1077:
      return {1, 47, 48, 49};
    case 1078:
      return {1, 47, 48};
    default:
      break;
  }
  for (int i = 0; i < static_cast<int>(std::size(kShapes)); ++i) {
    const int s = StartSuggestion(i);
    if (page == kShapes[i].movePage - 1) return {1, s, s + 1, s + 2};
    if (page == kShapes[i].movePage) return {1, s, s + 1};
  }
  return {1};
}

}  // namespace

std::vector<int> SuggestionsFor(int32_t tool, SuggestionFacts facts) {
  if (IsGuidanceTool(tool)) return GuidanceSuggestions(tool);
  switch (tool) {
    case kToolPointer:
      return {};
    case kToolLine:
      return facts.anySelected ? std::vector<int>{1, 3} : std::vector<int>{1};
    case kToolSelectedLine:
      return {1, 2};
    case kToolText:
    case kToolTypedText:
    case kToolTextAngles:
      return facts.selectedIsText ? std::vector<int>{1, 6} : std::vector<int>{1};
    case kToolSelectedText:
      return {1, 5};
    case kToolSeveralKinds:
      return {1, 52, 53};
    case kToolSelectedPicture:
      return {1, 47, 50, 51};
    case kModeContinueSpline:
    case kModeContinueCurve:
      return {1};
    default:
      break;
  }
  if (IsShapeTool(tool)) return {1};
  for (int i = 0; i < static_cast<int>(std::size(kShapes)); ++i) {
    if (kShapes[i].selectedTool == tool) return {1, StartSuggestion(i)};
  }
  return {};
}

std::vector<int> ShownSuggestions(const std::vector<int>& set) {
  std::vector<int> shown;
  for (int number = 1; number <= kSuggestionCount && shown.size() < kSuggestionEntries; ++number) {
    if (std::find(set.begin(), set.end(), number) != set.end()) shown.push_back(number);
  }
  return shown;
}

QString SuggestionText(int number) {
  switch (number) {
    case 1:
      return QStringLiteral("Insert new item");
    case 2:
      return QStringLiteral("Draw next line");
    case 3:
      return QStringLiteral("Fine-tune this line");
    case 4:
      return QStringLiteral("Move this line");
    case 5:
      return QStringLiteral("Start new text");
    case 6:
      return QStringLiteral("Fine-tune this text");
    case 7:
      return QStringLiteral("Move this text");
    case 47:
      return QStringLiteral("Insert new picture");
    case 48:
      return QStringLiteral("Fine-tune");
    case 49:
      return QStringLiteral("Move this clip");
    case 50:
      return QStringLiteral("Insert new clip");
    case 51:
      return QStringLiteral("Edit this clip");
    case 52:
      return QStringLiteral("Join items");
    case 53:
      return QStringLiteral("Split group");
    default:
      break;
  }
  const int shape = (number - kFirstShapeSuggestion) / 3;
  if (number < kFirstShapeSuggestion || shape >= static_cast<int>(std::size(kShapes))) return {};
  const QString name = QString::fromLatin1(kShapes[shape].name);
  switch ((number - kFirstShapeSuggestion) % 3) {
    case 0:
      return QStringLiteral("Start next ") + name;
    case 1:
      return QStringLiteral("Fine-tune");
    default:
      return QStringLiteral("Move this ") + name;
  }
}

int HintOfPage(int32_t page) {
  const int hint = page - kToolFirstGuidance;
  return hint >= 0 && hint < kHintSwitches ? hint : -1;
}

SuggestionAction ActionOf(int number, const std::array<bool, kHintSwitches>& hints) {
  using Kind = SuggestionAction::Kind;
  const auto hintOn = [&](int32_t page) {
    const int hint = HintOfPage(page);
    return hint >= 0 && hints[std::size_t(hint)];
  };
  switch (number) {
    case 1:
      return {Kind::ShowTool, kToolPointer};
    case 2:
      return {Kind::ShowTool, kToolLine};
    case 3:
      return {Kind::SelectNewestAndShow, kToolSelectedLine, false, true};
    case 4:
      return hintOn(1025)
                 ? SuggestionAction{Kind::SelectNewestAndShow, 1025}
                 : SuggestionAction{Kind::SelectNewestAndShow, kToolSelectedLine, false, true};
    case 5:
      return {Kind::ShowTool, kToolText};
    case 6:
      return {Kind::ShowTool, kToolSelectedText, false, true};
    case 7:
      return hintOn(1036) ? SuggestionAction{Kind::ShowTool, 1036}
                          : SuggestionAction{Kind::ShowTool, kToolSelectedText, false, true};
    case 47:
      return {Kind::RunTool, kToolInsertPicture};
    case 48:
      return {Kind::SelectNewestAndShow, kToolSelectedPicture};
    case 49:
      return {Kind::SelectNewestAndShow, 1078};
    case 50:
      return {Kind::RunTool, kToolAddClip};
    case 51:
      return {Kind::RunTool, kToolEditClip};
    case 52:
      return {Kind::Join, kToolSeveralKinds};
    case 53:
      return {Kind::Split, kToolPointer};
    default:
      break;
  }
  const int shape = (number - kFirstShapeSuggestion) / 3;
  if (number < kFirstShapeSuggestion || shape >= static_cast<int>(std::size(kShapes))) return {};
  const ShapeKind& kind = kShapes[shape];
  switch ((number - kFirstShapeSuggestion) % 3) {
    case 0:
      return {Kind::ShowTool, kind.startTool};
    case 1:
      return {Kind::SelectNewestAndShow, kind.selectedTool, true};
    default:
      return {Kind::SelectNewestAndShow, kind.movePage};
  }
}

namespace {

// Copies the settings of the tool's kind between the settings object and a snapshot, which
// name their fields alike.
template <class From, class To>
void CopyToolSettings(const From& f, To& t, int32_t tool) {
  if (tool == kToolLine) {
    t.lineColor = f.lineColor, t.lineWidth = f.lineWidth, t.lineWidthTab = f.lineWidthTab;
    t.linePattern = f.linePattern, t.linePatternTab = f.linePatternTab, t.lineFill = f.lineFill;
    t.lineDirection = f.lineDirection, t.lineDirectionTab = f.lineDirectionTab;
    t.lineOutline = f.lineOutline, t.lineOutlineTab = f.lineOutlineTab, t.liplas = f.liplas;
    t.shpoly = f.shpoly;
  } else if (tool == kToolText) {
    t.tcolor = f.tcolor, t.tfont = f.tfont, t.tcharset = f.tcharset, t.tsize = f.tsize;
    t.tsizetab = f.tsizetab, t.tbold = f.tbold, t.toptions = f.toptions, t.tangle = f.tangle;
    t.tangletab = f.tangletab, t.tdir = f.tdir, t.txplas = f.txplas, t.shtext = f.shtext;
  } else if (IsShapeTool(tool)) {
    t.polycolor = f.polycolor, t.polywidth = f.polywidth, t.polytab = f.polytab;
    t.polyfill = f.polyfill, t.polysides = f.polysides, t.polyshape = f.polyshape;
    t.polystate = f.polystate, t.bpolyshape = f.bpolyshape, t.bpolystate = f.bpolystate;
    t.poplas = f.poplas, t.shpoly = f.shpoly;
  }
}

}  // namespace

std::optional<ToolSettings> TakeToolSettings(const TParams& params, int32_t tool) {
  if (tool != kToolLine && tool != kToolText && !IsShapeTool(tool)) return std::nullopt;
  ToolSettings settings;
  CopyToolSettings(params, settings, tool);
  return settings;
}

void RestoreToolSettings(TParams& params, int32_t tool, const ToolSettings& settings) {
  CopyToolSettings(settings, params, tool);
}

bool RecordsStep(int32_t tool) {
  return tool == kToolPointer || tool == kToolSeveralKinds ||
         (tool >= kToolLine && tool <= kToolSelectedText) || tool == kToolInsertPicture ||
         tool == kToolSelectedPicture || IsGuidanceTool(tool);
}

void PanelHistory::Record(HistoryStep step) {
  if (current_ >= 0 && step.settings) {
    const HistoryStep& now = steps_[std::size_t(current_)];
    if (now.tool == step.tool && now.settings == step.settings) return;
  }
  steps_.resize(std::size_t(current_ + 1));
  step.sequence = ++sequence_;
  steps_.push_back(std::move(step));
  current_ = static_cast<int>(steps_.size()) - 1;
}

std::optional<int> PanelHistory::Find(int from, int direction, const Showable& showable) const {
  for (int i = from + direction; i >= 0 && i < static_cast<int>(steps_.size()); i += direction) {
    if (showable(steps_[std::size_t(i)])) return i;
  }
  return std::nullopt;
}

std::optional<HistoryStep> PanelHistory::Back(const Showable& showable) {
  const std::optional<int> found = Find(current_, -1, showable);
  if (!found) return std::nullopt;
  current_ = *found;
  return steps_[std::size_t(current_)];
}

std::optional<HistoryStep> PanelHistory::Forward(const Showable& showable) {
  const std::optional<int> found = Find(current_, 1, showable);
  if (!found) return std::nullopt;
  current_ = *found;
  return steps_[std::size_t(current_)];
}

bool PanelHistory::CanGoBack(const Showable& showable) const {
  return Find(current_, -1, showable).has_value();
}

bool PanelHistory::CanGoForward(const Showable& showable) const {
  return Find(current_, 1, showable).has_value();
}

}  // namespace quillon
