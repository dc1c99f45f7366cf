// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's left column: one stacked place showing the panel of the current tool
// number (the tool palette is kept, every other panel is freed on leaving), the four
// suggestion entries with their prompt, and the back and forward strip.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <vector>

#include "settings/ui/PropertyPanels.h"

class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace quillon {

class SidePanel : public QObject {
  Q_OBJECT
 public:
  // Builds the stack in `place`, the suggestions in `suggestions` and the strip in `strip`.
  SidePanel(PanelContext& context, QWidget* place, QWidget* suggestions, QWidget* strip);

  // Leaves the panel shown and shows the panel of the tool number.
  QWidget* Show(int32_t tool);
  QWidget* Current() const;
  PropertyPanel* Properties() const;
  TToolbox* Toolbox() const { return toolbox_; }
  TUnibox* Unibox() const;
  TPictbox* Pictbox() const;
  QStackedWidget* Stack() const { return stack_; }

  // Shows the first four suggestions of the set, or none.
  void ShowSuggestions(const std::vector<int>& set);
  // The numbers the entries show, in order (hidden entries left out).
  std::vector<int> ShownSuggestions() const;
  QPushButton* Entry(int i) const { return entries_[std::size_t(i)]; }
  QLabel* Prompt() const { return prompt_; }
  // The strip's arrows are active when a step can be shown that way.
  void SetHistoryState(bool back, bool forward);
  QToolButton* BackButton() const { return back_; }
  QToolButton* ForwardButton() const { return forward_; }

 signals:
  void SuggestionChosen(int number);
  // The picture insertion panel's Insert: the entire image, or round clips.
  void PictureInsertRequested(bool roundClips);
  void BackClicked();
  void ForwardClicked();

 private:
  PanelContext& context_;
  QStackedWidget* stack_ = nullptr;
  TToolbox* toolbox_ = nullptr;
  QPointer<QWidget> current_;
  std::array<QPushButton*, 4> entries_{};
  std::array<int, 4> numbers_{};
  QLabel* prompt_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
};

}  // namespace quillon
