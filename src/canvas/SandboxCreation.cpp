// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's side of the drawing tools: the gesture of the tool's mode gets the
// clicks, the press-and-hold and the keys; a continuation that ends returns to the pointer.
#include <QTimer>

#include "canvas/CreationBuilders.h"
#include "canvas/TSandbox.h"
#include "document/ToolNumbers.h"

namespace quillon {

CreationGesture& TSandbox::Creation() {
  if (creation_ == nullptr) creation_ = MakeCreationGesture(*this, mode_);
  return *creation_;
}

void TSandbox::ReleaseInCreation(const PointerInput& input) {
  if (creation_ == nullptr && (mode_ == kModeContinueSpline || mode_ == kModeContinueCurve)) {
    mode_ = kModePointer;
    return;
  }
  Creation().Release(input);
  if (creation_->Ended()) {
    creation_.reset();
    mode_ = kModePointer;
  }
  step_ = 0;
}

bool TSandbox::CreationKey(int key) {
  const bool continuing = mode_ == kModeContinueSpline || mode_ == kModeContinueCurve;
  if (creation_ == nullptr || !(IsCreationMode(mode_))) return false;
  if (key == Qt::Key_Escape) {
    if (creation_->Step() == 0 && !continuing) return false;
    creation_->Escape();
    if (continuing) {
      creation_.reset();
      mode_ = kModePointer;
      return true;
    }
    ResetGesture();
    gestureCancelled_ = true;
    if (IsShapeTool(mode_)) FullRepaint(true);
    if (IsPointListTool(mode_) && GuidanceOn(host_.Params(), EntryGuidancePageOf(mode_))) {
      host_.ShowTool(mode_);
    }
    return true;
  }
  if (!IsPointListTool(mode_)) return false;
  if (key != Qt::Key_Backspace && key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_C) {
    return false;
  }
  const bool taken = creation_->Key(key);
  if (creation_->Ended()) {
    creation_.reset();
    mode_ = kModePointer;
  }
  return taken;
}

void TSandbox::Timer1Timer() {
  // The button stayed down: the press is the first click, and the release the second.
  if (gestureCancelled_ || closing_) return;
  if (mode_ == kModeText && step_ == 0) {
    anchorPt_ = pressPt_;
    step_ = 1;
    ShowTextPanel();
    return;
  }
  if (!IsCreationMode(mode_)) return;
  if (Creation().Step() == 0) Creation().Hold(pressPt_);
}

}  // namespace quillon
