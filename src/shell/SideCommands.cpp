// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side panel: the panel switch, the panels' access to the active document,
// the suggestions and the back and forward history.
#include <QMdiArea>
#include <QTimer>

#include "canvas/TPict.h"
#include "canvas/TSandbox.h"
#include "document/EditCommands.h"
#include "document/ToolNumbers.h"
#include "shell/FrameCommands.h"
#include "shell/FrameTimers.h"
#include "shell/HostWindow.h"
#include "shell/PanelSwitch.h"
#include "shell/PictureCommands.h"
#include "shell/SidePanel.h"
#include "shell/TForm1.h"
#include "shell/TProcs.h"

namespace quillon {

PanelSwitch::PanelSwitch(TForm1& form) : form_(form), context_(form) {}

void PanelSwitch::Create(QWidget* place, QWidget* suggestions, QWidget* strip) {
  side_ = new SidePanel(context_, place, suggestions, strip);
  QObject::connect(side_, &SidePanel::SuggestionChosen, &form_,
                   [this](int number) { RunSuggestion(number); });
  QObject::connect(side_, &SidePanel::PictureInsertRequested, &form_, [this](bool roundClips) {
    THostWindow* host = form_.HostX();
    auto* pict = qobject_cast<TPict*>(host->Panel());
    if (pict == nullptr || !host->isVisible() || !pict->HasPicture()) return;
    // The panel's choice: round clips, or the entire image whatever was outlined.
    pict->Editor().ChooseClipKind(roundClips ? kClipRound : kClipNone);
    form_.Pictures().PlaceClips(*pict);
    host->hide();
  });
  QObject::connect(side_, &SidePanel::BackClicked, &form_, [this] { GoBack(); });
  QObject::connect(side_, &SidePanel::ForwardClicked, &form_, [this] { GoForward(); });
  QObject::connect(side_->Toolbox(), &TToolbox::PageSetupRequested, &form_, [this] {
    // Nothing while the first-time setup shows.
    THostWindow* host = form_.HostX();
    if (host->isVisible() && host->Code() == kHostFirstTimeSetup) return;
    if (form_.ActiveWindow() != nullptr) {
      form_.Files().psCurrentFile1Click();
    } else {
      form_.Files().psNewFiles1Click();
    }
  });
}

void PanelSwitch::Show(int toolNumber, bool skipIfShown, bool tellWindow, bool fromHistory) {
  if (skipIfShown && toolNumber == currentTool_) return;
  if (!fromHistory) RecordStep(toolNumber);
  if (IsGuidanceTool(toolNumber)) previousTool_ = currentTool_;
  currentTool_ = toolNumber;
  form_.Toolbar()->SetCurrentTool(toolNumber);
  TSandbox* window = form_.ActiveWindow();
  panelWindow_ = window;
  // The tool chosen decides the window's gesture.
  if (tellWindow && window != nullptr) window->SelectTool(toolNumber);
  side_->Show(toolNumber);
  if (TUnibox* unibox = side_->Unibox()) {
    QObject::connect(unibox, &TUnibox::JoinRequested, &form_, [this] {
      if (TSandbox* active = form_.ActiveWindow()) active->Run(JoinItems);
    });
    QObject::connect(unibox, &TUnibox::SplitRequested, &form_, [this] {
      if (TSandbox* active = form_.ActiveWindow()) active->Run(SplitGroup);
      QTimer::singleShot(0, &form_, [this] { Show(kToolPointer, false, true); });
    });
  }
  side_->ShowSuggestions(SuggestionsFor(toolNumber, CurrentFacts()));
  RefreshHistoryStrip();
  // Without a window a drawing tool opens a new document that starts with it.
  const bool drawingTool =
      toolNumber == kToolLine || toolNumber == kToolText || IsShapeTool(toolNumber);
  const bool noWindow = form_.Windows().empty();
  if (noWindow && drawingTool) {
    form_.RememberMode(toolNumber == kToolLine   ? kModeLine
                       : toolNumber == kToolText ? kModeText
                                                 : toolNumber);
    form_.Timers().OpenStartDocumentSoon();
  } else if (noWindow && (toolNumber == kToolSeveralKinds || toolNumber == kToolSelectedPicture)) {
    form_.Timers().OpenStartDocumentSoon();
  }
  form_.Editing().UpdateSelectionCommands();
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

void PanelSwitch::FollowActiveWindow(bool force) {
  TSandbox* window = form_.ActiveWindow();
  if (window == nullptr) {
    // A panel of another window's selection has nothing left to act on.
    if (panelWindow_ == nullptr && IsSelectedStateTool(currentTool_)) {
      Show(kToolPointer, false, false);
    }
    return;
  }
  if (window == panelWindow_ && !force) return;
  // The picture insertion panel belongs to the clip editor, not to a window.
  if (currentTool_ == kToolInsertPicture && form_.HostX()->isVisible() &&
      qobject_cast<TPict*>(form_.HostX()->Panel()) != nullptr) {
    panelWindow_ = window;
    return;
  }
  const int32_t tool = PanelOfWindow(*window);
  // A tool's panel shows the settings for new items, the same for every window.
  if (tool == currentTool_ && !IsSelectedStateTool(tool)) {
    panelWindow_ = window;
    return;
  }
  Show(tool, false, false);
}

TParams& SidePanelContext::Params() {
  return form_.Params();
}

void SidePanelContext::RunTool(int32_t tool) {
  form_.RunTool(tool);
}

ItemList* SidePanelContext::ActiveDocument() {
  TSandbox* window = form_.ActiveWindow();
  return window != nullptr ? &window->GetItems() : nullptr;
}

DocumentEvents* SidePanelContext::ActiveEvents() {
  TSandbox* window = form_.ActiveWindow();
  return window != nullptr ? &window->Announcements() : nullptr;
}

GeometryContext SidePanelContext::ActiveGeometry() {
  TSandbox* window = form_.ActiveWindow();
  if (window != nullptr) return window->Context().Geometry();
  GeometryContext context;
  context.screen = form_.Params().screen;
  return context;
}

void SidePanelContext::Customize(ValueListKind kind) {
  THostWindow* formX = form_.HostX();
  THostWindow* formY = form_.HostY();
  switch (kind) {
    case ValueListKind::Colours:
    case ValueListKind::FillColours:
      form_.Tools().Colors1Click();
      if (PropertyPanel* panel = form_.Side().Properties()) panel->RefillLists();
      break;
    case ValueListKind::LineWeights:
    case ValueListKind::OutlineWeights:
      formY->OpenHost(kHostLineWeights, 0, QString());
      break;
    case ValueListKind::Shadows:
      formY->OpenHost(kHostShadows, 0, QString());
      break;
    case ValueListKind::LinePatterns:
      formX->OpenHost(kHostLinePatterns, 0, QString());
      break;
    case ValueListKind::LineDirections:
      formX->OpenHost(kHostLineAngles, 0, QString());
      break;
    case ValueListKind::TextAngles:
      formX->OpenHost(kHostTextAngles, 0, QString());
      break;
    case ValueListKind::FontSizes:
      formX->OpenHost(kHostFontSizes, 0, QString());
      break;
    default:
      break;
  }
}

void SidePanelContext::SelectionEdited() {
  if (TSandbox* window = form_.ActiveWindow()) window->Context().RedrawSelectionMarks();
}

void SidePanelContext::PanelChanged(int32_t tool) {
  form_.Panels().PanelChanged(tool);
}

bool SidePanelContext::ChangeEditedText(const std::function<void(ItemRecord&)>& change) {
  TSandbox* window = form_.ActiveWindow();
  return window != nullptr && window->ChangeEditedText(change);
}

void PanelSwitch::PanelChanged(int32_t tool) {
  // A change to the selection stays in the step that showed it; a tool's settings make a step.
  if (!IsSelectedStateTool(tool)) RecordStep(tool);
  RefreshHistoryStrip();
}

SuggestionFacts PanelSwitch::CurrentFacts() const {
  SuggestionFacts facts;
  if (TSandbox* window = form_.ActiveWindow()) {
    const ItemRecord* first = FirstSelected(window->GetItems());
    facts.anySelected = first != nullptr;
    facts.selectedIsText = first != nullptr && first->kind() == kKindText;
  }
  return facts;
}

void PanelSwitch::RecordStep(int32_t tool) {
  if (!RecordsStep(tool)) return;
  HistoryStep step;
  step.tool = tool;
  step.settings = TakeToolSettings(form_.Params(), tool);
  if (TSandbox* window = form_.ActiveWindow()) {
    step.window = window->GetWindowId();
    // Item ids change with every edit; a stamp stays with the items through their versions.
    if (IsSelectedStateTool(tool) && FirstSelected(window->GetItems()) != nullptr) {
      step.stamp = StampSelection(window->GetItems(), stamps_);
    }
  }
  history_.Record(std::move(step));
}

bool PanelSwitch::CanShowStep(const HistoryStep& step) const {
  if (!IsSelectedStateTool(step.tool)) return true;
  for (TSandbox* window : form_.Windows()) {
    if (window->GetWindowId() == step.window && !window->IsClosing()) {
      return step.stamp != 0 && HasStamped(window->GetItems(), step.stamp);
    }
  }
  return false;
}

void PanelSwitch::ShowStep(const HistoryStep& step) {
  if (step.settings) RestoreToolSettings(form_.Params(), step.tool, *step.settings);
  if (IsSelectedStateTool(step.tool)) {
    for (TSandbox* window : form_.Windows()) {
      if (window->GetWindowId() != step.window) continue;
      // The step itself says which panel the window shows.
      panelWindow_ = window;
      form_.ClientArea()->setActiveSubWindow(window);
      SelectStamped(window->GetItems(), step.stamp, window->Announcements());
      break;
    }
  }
  Show(step.tool, false, true, true);
}

void PanelSwitch::GoBack() {
  const auto showable = [this](const HistoryStep& step) { return CanShowStep(step); };
  if (const std::optional<HistoryStep> step = history_.Back(showable)) {
    ShowStep(*step);
  } else {
    Show(kToolPointer, false, true, true);
  }
}

void PanelSwitch::GoForward() {
  const auto showable = [this](const HistoryStep& step) { return CanShowStep(step); };
  if (const std::optional<HistoryStep> step = history_.Forward(showable)) ShowStep(*step);
}

void PanelSwitch::RefreshHistoryStrip() {
  const auto showable = [this](const HistoryStep& step) { return CanShowStep(step); };
  side_->SetHistoryState(history_.CanGoBack(showable), history_.CanGoForward(showable));
}

bool PanelSwitch::SelectNewest() {
  TSandbox* window = form_.ActiveWindow();
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

void PanelSwitch::RunSuggestion(int number) {
  using Kind = SuggestionAction::Kind;
  const SuggestionAction action = ActionOf(number, form_.Params().hints);
  TSandbox* window = form_.ActiveWindow();
  switch (action.kind) {
    case Kind::ShowTool: {
      const bool selected = window != nullptr && FirstSelected(window->GetItems()) != nullptr;
      Show(action.needsSelection && !selected ? kToolPointer : action.tool, false, true);
      break;
    }
    case Kind::RunTool:
      form_.Timers().RunToolSoon(action.tool);
      break;
    case Kind::SelectNewestAndShow: {
      const bool selected = SelectNewest();
      Show(action.needsSelection && !selected ? kToolPointer : action.tool, action.skipIfShown,
           true);
      break;
    }
    case Kind::Join:
      if (window != nullptr) window->Run(JoinItems);
      Show(kToolSeveralKinds, false, true);
      break;
    case Kind::Split:
      if (window != nullptr) window->Run(SplitGroup);
      Show(kToolPointer, false, true);
      break;
  }
}

}  // namespace quillon
