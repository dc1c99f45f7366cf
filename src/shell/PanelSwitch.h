// SPDX-License-Identifier: GPL-3.0-or-later
// The side panel of the main window: which panel shows (the current tool), the suggestions,
// the back and forward history of panel steps, and the panels' access to the active document.
#pragma once

#include <QPointer>
#include <cstdint>
#include <functional>
#include <random>

#include "document/ToolNumbers.h"
#include "settings/ui/PanelContext.h"
#include "shell/Navigation.h"

class QWidget;

namespace quillon {

class SidePanel;
class TForm1;
class TSandbox;

// What the panels ask of the main window, answered from its active drawing window.
class SidePanelContext : public PanelContext {
 public:
  explicit SidePanelContext(TForm1& form) : form_(form) {}

  TParams& Params() override;
  ItemList* ActiveDocument() override;
  DocumentEvents* ActiveEvents() override;
  GeometryContext ActiveGeometry() override;
  void Customize(ValueListKind kind) override;
  void RunTool(int32_t tool) override;
  void SelectionEdited() override;
  void PanelChanged(int32_t tool) override;
  bool ChangeEditedText(const std::function<void(ItemRecord&)>& change) override;

 private:
  TForm1& form_;
};

class PanelSwitch {
 public:
  explicit PanelSwitch(TForm1& form);

  // Builds the side panel in its place, the suggestions and the history strip.
  void Create(QWidget* place, QWidget* suggestions, QWidget* strip);
  SidePanel& Side() const { return *side_; }
  PanelContext& Context() { return context_; }

  // Switches the side panel to a tool number; tellWindow also activates the tool in the active
  // drawing window; a step taken from the history is not recorded again.
  void Show(int toolNumber, bool skipIfShown, bool tellWindow, bool fromHistory = false);
  int32_t CurrentTool() const { return currentTool_; }
  // The tool shown before the last guidance page.
  int32_t PreviousTool() const { return previousTool_; }
  // The side panel follows the active window: the panel of its drawing tool, else of its
  // selection, else the tool palette; force also when the window stayed but its document changed.
  void FollowActiveWindow(bool force = false);
  // A panel changed a value: the tool and its settings become a history step.
  void PanelChanged(int32_t tool);
  // Runs a suggestion entry's action.
  void RunSuggestion(int number);
  // Shows the previous or next panel step of the history that can still be shown.
  void GoBack();
  void GoForward();

 private:
  void RecordStep(int32_t tool);
  bool CanShowStep(const HistoryStep& step) const;
  void ShowStep(const HistoryStep& step);
  void RefreshHistoryStrip();
  SuggestionFacts CurrentFacts() const;
  // Selects only the newest drawable item of the active document that is neither locked nor
  // hidden; whether one was selected.
  bool SelectNewest();

  TForm1& form_;
  SidePanelContext context_;
  SidePanel* side_ = nullptr;
  int32_t currentTool_ = 0;
  int32_t previousTool_ = kToolPointer;
  PanelHistory history_;
  std::mt19937 stamps_{18601};
  // The window whose state the side panel shows; null for none.
  QPointer<TSandbox> panelWindow_;
};

}  // namespace quillon
