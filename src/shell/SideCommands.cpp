// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side panel: the panel switch, the panels' access to the active document,
// the suggestions and the back and forward history.
#include <QMdiArea>
#include <QTimer>

#include "canvas/TPict.h"
#include "canvas/TSandbox.h"
#include "document/EditCommands.h"
#include "document/ToolNumbers.h"
#include "shell/HostWindow.h"
#include "shell/SidePanel.h"
#include "shell/TForm1.h"
#include "shell/TProcs.h"

namespace quillon {

void TForm1::CreateSidePanel(QWidget* place, QWidget* suggestions, QWidget* strip) {
  side_ = new SidePanel(*this, place, suggestions, strip);
  connect(side_, &SidePanel::SuggestionChosen, this, &TForm1::RunSuggestion);
  connect(side_, &SidePanel::PictureInsertRequested, this, [this](bool roundClips) {
    auto* pict = qobject_cast<TPict*>(formX_->Panel());
    if (pict == nullptr || !formX_->isVisible() || !pict->HasPicture()) return;
    // The panel's choice: round clips, or the entire image whatever was outlined.
    pict->Editor().ChooseClipKind(roundClips ? kClipRound : kClipNone);
    PlaceClips(*pict);
    formX_->hide();
  });
  connect(side_, &SidePanel::BackClicked, this, &TForm1::GoBack);
  connect(side_, &SidePanel::ForwardClicked, this, &TForm1::GoForward);
  connect(side_->Toolbox(), &TToolbox::PageSetupRequested, this, [this] {
    // Nothing while the first-time setup shows.
    if (formX_->isVisible() && formX_->Code() == 60) return;
    if (ActiveWindow() != nullptr) {
      psCurrentFile1Click();
    } else {
      psNewFiles1Click();
    }
  });
}

void TForm1::ShowPanel(int toolNumber, bool skipIfShown, bool tellWindow, bool fromHistory) {
  if (skipIfShown && toolNumber == currentTool_) return;
  if (!fromHistory) RecordStep(toolNumber);
  if (IsGuidanceTool(toolNumber)) previousTool_ = currentTool_;
  currentTool_ = toolNumber;
  procs_->SetCurrentTool(toolNumber);
  TSandbox* window = ActiveWindow();
  panelWindow_ = window;
  // The tool chosen decides the window's gesture.
  if (tellWindow && window != nullptr) window->SelectTool(toolNumber);
  side_->Show(toolNumber);
  if (TUnibox* unibox = side_->Unibox()) {
    connect(unibox, &TUnibox::JoinRequested, this, [this] {
      if (TSandbox* active = ActiveWindow()) active->JoinSelection();
    });
    connect(unibox, &TUnibox::SplitRequested, this, [this] {
      if (TSandbox* active = ActiveWindow()) active->SplitSelection();
      QTimer::singleShot(0, this, [this] { ShowPanel(kToolPointer, false, true); });
    });
  }
  side_->ShowSuggestions(SuggestionsFor(toolNumber, CurrentFacts()));
  RefreshHistoryStrip();
  // Without a window a drawing tool opens a new document that starts with it.
  const bool drawingTool =
      toolNumber == kToolLine || toolNumber == kToolText || IsShapeTool(toolNumber);
  if (Windows().empty() && drawingTool) {
    startMode_ = toolNumber == kToolLine   ? kModeLine
                 : toolNumber == kToolText ? kModeText
                                           : toolNumber;
    timer2_->start();
  } else if (Windows().empty() &&
             (toolNumber == kToolSeveralKinds || toolNumber == kToolSelectedPicture)) {
    timer2_->start();
  }
  UpdateSelectionCommands();
}

namespace {

// The panel that shows what a window is doing: its drawing tool's, else its selection's.
int32_t PanelOfWindow(const TSandbox& window) {
  const int32_t mode = window.Mode();
  if (mode == kModeLine) return kToolLine;
  if (mode == kModeText) return kToolText;
  if (IsShapeTool(mode) || mode == kModeContinueSpline || mode == kModeContinueCurve) return mode;
  return SelectionToolNumber(window.GetItems());
}

}  // namespace

void TForm1::FollowActiveWindow(bool force) {
  TSandbox* window = ActiveWindow();
  if (window == nullptr) {
    // A panel of another window's selection has nothing left to act on.
    if (panelWindow_ == nullptr && IsSelectedStateTool(currentTool_)) {
      ShowPanel(kToolPointer, false, false);
    }
    return;
  }
  if (window == panelWindow_ && !force) return;
  // The picture insertion panel belongs to the clip editor, not to a window.
  if (currentTool_ == kToolInsertPicture && formX_->isVisible() &&
      qobject_cast<TPict*>(formX_->Panel()) != nullptr) {
    panelWindow_ = window;
    return;
  }
  const int32_t tool = PanelOfWindow(*window);
  // A tool's panel shows the settings for new items, the same for every window.
  if (tool == currentTool_ && !IsSelectedStateTool(tool)) {
    panelWindow_ = window;
    return;
  }
  ShowPanel(tool, false, false);
}

ItemList* TForm1::ActiveDocument() {
  TSandbox* window = ActiveWindow();
  return window != nullptr ? &window->GetItems() : nullptr;
}

DocumentEvents* TForm1::ActiveEvents() {
  TSandbox* window = ActiveWindow();
  return window != nullptr ? &window->Announcements() : nullptr;
}

GeometryContext TForm1::ActiveGeometry() {
  TSandbox* window = ActiveWindow();
  if (window != nullptr) return window->Geometry();
  GeometryContext context;
  context.screen = params_.screen;
  return context;
}

void TForm1::Customize(ValueListKind kind) {
  switch (kind) {
    case ValueListKind::Colours:
    case ValueListKind::FillColours:
      Colors1Click();
      if (PropertyPanel* panel = side_->Properties()) panel->RefillLists();
      break;
    case ValueListKind::LineWeights:
    case ValueListKind::OutlineWeights:
      formY_->OpenHost(9, 0, QString());
      break;
    case ValueListKind::Shadows:
      formY_->OpenHost(63, 0, QString());
      break;
    case ValueListKind::LinePatterns:
      formX_->OpenHost(10, 0, QString());
      break;
    case ValueListKind::LineDirections:
      formX_->OpenHost(11, 0, QString());
      break;
    case ValueListKind::TextAngles:
      formX_->OpenHost(40, 0, QString());
      break;
    case ValueListKind::FontSizes:
      formX_->OpenHost(41, 0, QString());
      break;
    default:
      break;
  }
}

void TForm1::SelectionEdited() {
  if (TSandbox* window = ActiveWindow()) window->RedrawSelectionMarks();
}

void TForm1::PanelChanged(int32_t tool) {
  // A change to the selection stays in the step that showed it; a tool's settings make a step.
  if (!IsSelectedStateTool(tool)) RecordStep(tool);
  RefreshHistoryStrip();
}

bool TForm1::ChangeEditedText(const std::function<void(ItemRecord&)>& change) {
  TSandbox* window = ActiveWindow();
  if (window == nullptr || !window->TextEditing()) return false;
  window->RejustifyEditedText(change);
  return true;
}

SuggestionFacts TForm1::CurrentFacts() const {
  SuggestionFacts facts;
  if (TSandbox* window = ActiveWindow()) {
    const ItemRecord* first = FirstSelected(window->GetItems());
    facts.anySelected = first != nullptr;
    facts.selectedIsText = first != nullptr && first->kind() == kKindText;
  }
  return facts;
}

void TForm1::RecordStep(int32_t tool) {
  if (!RecordsStep(tool)) return;
  HistoryStep step;
  step.tool = tool;
  step.settings = TakeToolSettings(params_, tool);
  if (TSandbox* window = ActiveWindow()) {
    step.window = window->GetWindowId();
    // Item ids change with every edit; a stamp stays with the items through their versions.
    if (IsSelectedStateTool(tool) && FirstSelected(window->GetItems()) != nullptr) {
      step.stamp = StampSelection(window->GetItems(), stamps_);
    }
  }
  history_.Record(std::move(step));
}

bool TForm1::CanShowStep(const HistoryStep& step) const {
  if (!IsSelectedStateTool(step.tool)) return true;
  for (TSandbox* window : Windows()) {
    if (window->GetWindowId() == step.window && !window->IsClosing()) {
      return step.stamp != 0 && HasStamped(window->GetItems(), step.stamp);
    }
  }
  return false;
}

void TForm1::ShowStep(const HistoryStep& step) {
  if (step.settings) RestoreToolSettings(params_, step.tool, *step.settings);
  if (IsSelectedStateTool(step.tool)) {
    for (TSandbox* window : Windows()) {
      if (window->GetWindowId() != step.window) continue;
      // The step itself says which panel the window shows.
      panelWindow_ = window;
      mdiArea_->setActiveSubWindow(window);
      SelectStamped(window->GetItems(), step.stamp, window->Announcements());
      break;
    }
  }
  ShowPanel(step.tool, false, true, true);
}

void TForm1::GoBack() {
  const auto showable = [this](const HistoryStep& step) { return CanShowStep(step); };
  if (const std::optional<HistoryStep> step = history_.Back(showable)) {
    ShowStep(*step);
  } else {
    ShowPanel(kToolPointer, false, true, true);
  }
}

void TForm1::GoForward() {
  const auto showable = [this](const HistoryStep& step) { return CanShowStep(step); };
  if (const std::optional<HistoryStep> step = history_.Forward(showable)) ShowStep(*step);
}

void TForm1::RefreshHistoryStrip() {
  const auto showable = [this](const HistoryStep& step) { return CanShowStep(step); };
  side_->SetHistoryState(history_.CanGoBack(showable), history_.CanGoForward(showable));
}

bool TForm1::SelectNewest() {
  TSandbox* window = ActiveWindow();
  if (window == nullptr) return false;
  ItemList& items = window->GetItems();
  ItemRecord* newest = nullptr;
  for (ItemRecord& r : items) {
    if (IsVisible(r) && IsDrawableKind(r.kind())) newest = &r;
  }
  SelectOnly(items, newest);
  window->Announcements().RepaintAll(true);
  window->Announcements().SelectionChanged();
  return newest != nullptr;
}

void TForm1::RunSuggestion(int number) {
  using Kind = SuggestionAction::Kind;
  const SuggestionAction action = ActionOf(number, params_.hints);
  TSandbox* window = ActiveWindow();
  switch (action.kind) {
    case Kind::ShowTool: {
      const bool selected = window != nullptr && FirstSelected(window->GetItems()) != nullptr;
      ShowPanel(action.needsSelection && !selected ? kToolPointer : action.tool, false, true);
      break;
    }
    case Kind::RunTool:
      pendingTool_ = action.tool;
      timer1_->start();
      break;
    case Kind::SelectNewestAndShow: {
      const bool selected = SelectNewest();
      ShowPanel(action.needsSelection && !selected ? kToolPointer : action.tool, action.skipIfShown,
                true);
      break;
    }
    case Kind::Join:
      if (window != nullptr) window->JoinSelection();
      ShowPanel(kToolSeveralKinds, false, true);
      break;
    case Kind::Split:
      if (window != nullptr) window->SplitSelection();
      ShowPanel(kToolPointer, false, true);
      break;
  }
}

}  // namespace quillon
