// SPDX-License-Identifier: GPL-3.0-or-later
// Text typed on the canvas as a gesture over TextEntry: the text tool's clicks, the press held
// as a first click and the box frame that follows the pointer; or a selected text opened again
// by a double click, whose editing a press outside it ends.
#pragma once

#include <functional>

#include "canvas/Gesture.h"
#include "canvas/TextEntry.h"
#include "document/ToolNumbers.h"

namespace quillon {

class TextGesture : public Gesture {
 public:
  // The text tool; caretMoved starts the caret's clock again after the caret moved, or stops
  // it when the editing ended (told whether a text is edited).
  TextGesture(CanvasContext& context, std::function<void(bool)> caretMoved);
  // A text opened again: everything typed until the editing ends is one undo step.
  TextGesture(CanvasContext& context, std::function<void(bool)> caretMoved, ItemRecord& text);

  bool ClickInPlace(const PointerInput& input) override;
  void Press(const PointerInput& input) override;
  void Held() override;
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  bool Key(int key, Qt::KeyboardModifiers modifiers) override;
  bool Characters(const QString& typed) override;
  void Escape() override;
  void Cancel() override;
  // The text tool's gesture goes on until Esc; a text opened again until its editing ends.
  bool Finished() const override { return escaped_ || (reopened_ && !entry_.Editing()); }
  int32_t Mode() const override { return reopened_ ? kModeTextEdit : 0; }
  void Outcome(GestureOutcome& outcome) const override { outcome.cancelled |= escaped_; }

  TextEntry& Entry() { return entry_; }
  // The editing ends: the caret goes and the canvas is drawn again.
  void EndEditing();

 private:
  void ShowTextPanel();
  void Anchor(Point canvas);
  void CaretMoved() { caretMoved_(entry_.Editing()); }

  CanvasContext& context_;
  std::function<void(bool)> caretMoved_;
  TextEntry entry_;
  bool reopened_ = false;
  bool escaped_ = false;
  // 0 before the first click, 1 after it (a second click makes the box, typing starts a
  // text), 2 while the text made is edited.
  int step_ = 0;
  Point anchor_;  // the first click, canvas pixels
  Point press_;
  Qt::KeyboardModifiers modifiers_;  // of the last key, for the characters that follow
};

}  // namespace quillon
